// The editor's test run (F6): the storey being edited is put aside whole and
// a fresh copy of it, as a save and load would give it, is played from its
// start. The run ends when the player dies, takes the lift or presses
// Escape, and the editor comes back with the storey exactly as it was.
#pragma once

enum { TEST_RUN_DIED, TEST_RUN_LIFT, TEST_RUN_ESCAPE };

bool TestRunActive();
// Starts the run from the editor (the player healed, his gear as it is).
void StartTestRun();
// Ends the run: the storey, the enemies, the player and the campaign's
// place come back as they were, and the editor with them.
void EndTestRun(int how);

// Asked before every campaign step: in a run the only step is the lift's,
// which ends the run instead. True when the step is not to be taken.
bool TestRunTakesCampaignStep();
// Whether the run is over after the player's part of a play frame (the lift
// was taken, or the death sequence has run out), and how.
bool TestRunOver(int* how);
