// The editor's history: every change of the storey is one step that Ctrl+Z
// takes back and Ctrl+Y makes again.
#pragma once

// Steps kept; older ones are forgotten.
const int UndoDepth = 200;

// A step is open around the tools of every editor frame and stays open while
// the left button is held, so a drag of the brush is one step. Closing a
// step that changed nothing drops it.
void OpenEditStep();
void CloseEditStep();
// Closes the open step and opens one that keeps the floors whole: called
// before a storey is loaded or made new (its size may change).
void OpenWholeStoreyStep();
// Every floor the editor writes goes through here, so that the open step
// knows what the cell held before.
void SetFloor(int cell, int type);
// The open step forgets enemy starts but leaves the enemies made from them,
// when taken back and made again alike (Delete of the enemy tool).
void StepKeepsLiveEnemies();

// Take back the last step, or make the last one taken back again; false
// when there is none.
bool UndoStep();
bool RedoStep();
void ForgetHistory();
// Forgets the history when a storey has been loaded outside the editor since
// (the campaign's next storey, the menu's fresh start after a death).
void ForgetHistoryOfOtherStoreys();
int UndoStepCount();
int RedoStepCount();
// Changes with every step kept, taken back or made again.
int HistoryVersion();
