// The autopilot: plays the game as a player would, through its keys and
// mouse only, from the splash through the menu and the screens of a storey,
// through the storey to its lift, and notes how the storey went.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input_script.h"

struct pilot_settings_struct {
    bool newGame = true;         // New game in the menu; else Continue, from the save
    bool quitAfterLift = false;  // once up the lift: back to the menu and out, so the save is written
    bool novice = false;         // with a person's limits: slow to react, unsteady aim, slow mouse
    uint32_t seed = 1;           // the run's seed, which also throws the novice's own dice
};

struct pilot_report_struct {
    bool finished = false;  // left the storey by the lift
    bool died = false;
    int storey = 0;
    int playStartFrame = -1, lastPlayFrame = -1, liftFrame = -1;
    int healthAtStart = 0, lowestHealth = 0, healthAtLift = 0;  // at the lift before its bonus
    int pointsAtStart = 0, pointsAtLift = 0;
    int enemies = 0, kills = 0;
    int shots = 0, blows = 0, smashed = 0, hitsTaken = 0;
    std::string bought;  // what the shop sold, by name
    std::string hits;    // each hit taken: the weapon, how far, whether the shooter was in sight
};

extern pilot_report_struct PilotReport;

void StartPilot(const pilot_settings_struct& settings);
// The engine's hook before every frame: the input the autopilot gives.
void PilotFrame(int frame, std::vector<InputEvent>* events);
// Nothing is left to do: the run may stop.
bool PilotDone();
