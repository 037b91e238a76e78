// The autopilot's hands on the keyboard and the mouse: the input it gives
// the game frame by frame, kept as the replay it writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input_script.h"

// Starts a frame's input: keys tapped in the last frame are let go, and the
// frame's events go to *frameEvents as well as to the replay.
void BeginPilotInput(int frame, std::vector<InputEvent>* frameEvents);
// Holds a key down or lets it go; an event only when that changes.
void HoldKey(int key, bool down);
bool KeyHeld(int key);
// Presses a key in this frame and lets it go in the next.
void TapKey(int key);
// Puts the mouse on a point of the picture, in whole pixels inside it.
void MoveMouse(float x, float y);
// The same, unless the mouse stands within slack pixels of it already: where
// the exact spot does not matter, the replay stays short.
void MoveMouseNear(float x, float y, float slack);
// A hand's move: toward the point, at most step pixels this frame, unless
// the mouse stands within slack pixels of it already.
void MoveMouseToward(float x, float y, float slack, float step);
// Whether the mouse stands on that point already, or within slack of it.
bool MouseAt(float x, float y);
bool MouseWithin(float x, float y, float slack);
// Lets go of every key held.
void ReleaseAllKeys();
// The replay: a header comment, the seed and every event so far.
std::string PilotReplay(uint32_t seed, const std::string& header);
// Forgets everything: no key held, no event recorded.
void ResetPilotInput();
