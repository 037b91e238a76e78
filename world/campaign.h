// The campaign: the fixed sequence of steps that leads up the ten storeys,
// and the save file that keeps its last checkpoint between runs.
#pragma once

#include <cstdint>

extern int32_t CampaignStep;    // the next step to perform, 0..40; 0: no campaign running
extern int32_t StoreyNumber;    // 1..10, the storey whose intro picture is shown
extern int32_t DialogueNumber;  // 1..10, the dialogue page to show

// Performs step CampaignStep and advances it. Called by the screens when
// they are left, by the lift and by the main menu.
void NextCampaignStep();

// The program's exit routine: writes the checkpoint to "Data/save" when its
// health is positive.
void WriteSaveFile();
// At start-up: the checkpoint from "Data/save" when the file holds a valid
// one, else a checkpoint with health -1 (nothing to continue).
void ReadSaveFile();

// What every step causes above the world model: the player's three
// animations renewed as after a level load. Set by the frame at start-up.
extern void (*CampaignStepHook)();
