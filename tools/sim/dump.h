// The runner's JSON dump of the game state: the program variables of every
// subsystem under their own names, plus the engine's record of sounds and
// message boxes.
#pragma once

#include <string>

// Everything the game holds now. Call while the resources are loaded.
std::string DumpGameState();
// Only what survives a start-up that failed: the event record.
std::string DumpEventsOnly();
