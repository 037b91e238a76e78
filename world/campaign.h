// The campaign: the fixed sequence of steps that leads up the ten storeys,
// and the save file that keeps its last checkpoint between runs.
#pragma once

#include <cstdint>
#include <string>

#include "world/player_state.h"

extern int32_t CampaignStep;    // the next step to perform, 0..40; 0: no campaign running
extern int32_t StoreyNumber;    // 1..10, the storey whose intro picture is shown
extern int32_t DialogueNumber;  // 1..10, the dialogue page to show

// Step 0 starts a new game on storey 1; storey k (2..10) begins at step
// 4k - 5; step 39 shows the final picture and step 40 returns to the menu.
const int LastCampaignStep = 40;

// Performs step CampaignStep and advances it. Called by the screens when
// they are left, by the lift and by the main menu. A storey file that cannot
// be loaded is named in an error box and the campaign returns to the menu.
void NextCampaignStep();

// "Data/save", in the game's folder or, for an installed game, the
// player's own.
extern const char* const SaveFileName;

// The program's exit routine: writes the checkpoint to "Data/save" when its
// health is positive. The old save survives a write that fails midway.
// False when the save could not be written (a read-only folder, a full
// disk), true also when there was nothing to write.
bool WriteSaveFile();
// At start-up: the checkpoint from "Data/save" when the file holds a sound
// one, else a checkpoint with health -1 (nothing to continue).
void ReadSaveFile();

// The save file's line for a checkpoint (without the line break).
std::string SaveLine(const checkpoint_struct& checkpoint);
// The checkpoint of a save line; false when the line is too short, a number
// lies outside the code's range or the checkpoint is not sound.
bool ParseSaveLine(std::string line, checkpoint_struct* out);
// Whether every value could have been saved by the game: an intro step of
// storeys 2..10, weapons and slots that exist, items 0 or 1, no negative
// count, and an inventory the game could have given (owned guns, loads and
// pockets within their sizes, health within its maximum).
bool CheckpointIsSound(const checkpoint_struct& c);

// What every step causes above the world model: the player's three
// animations renewed as after a level load. Set by the frame at start-up.
extern void (*CampaignStepHook)();
// Asked first by NextCampaignStep: true when the step is not to be taken
// (the editor's test run ends at the lift instead). Set by the frame.
extern bool (*CampaignStepOverride)();

// The storey in play was loaded by a campaign step: false for the scratch
// storey and for whatever the editor opens or makes.
extern bool StoreyFromCampaign;
