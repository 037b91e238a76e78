// What the engine is told of the game's state for a player at a desktop:
// when the mouse is kept in the window, how a gamepad aims, and the
// screenshot key.
#pragma once

#include <string>

// The world distance from the player at which a gamepad's right stick puts
// the aim.
const float PadAimDistance = 160.0f;

// True while a storey is being played (not edited, not a screen between).
bool PlayingStorey();

// After every frame: the mouse is kept in the window only while a storey is
// played in a window; a gamepad aims around the player while one is played
// and points on every other screen.
void TellEngineAboutPlay();

// F12 asks the engine for a screenshot of this frame, kept beside the save.
void TakeScreenshotOnKey();
// The folder screenshots go to: "screenshots" beside the save file.
std::string ScreenshotFolder();
