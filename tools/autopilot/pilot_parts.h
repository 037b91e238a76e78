// The autopilot's parts: the screens around play, the shop, and play.
#pragma once

#include "tools/autopilot/pilot.h"

extern pilot_settings_struct PilotSettings;

// A player's pause between the moves of a screen, in frames.
const int ScreenPause = 12;

// A screen of the campaign or the menu: pass it with a key or a click.
void ScreensFrame(int frame);
// The shop: buy what the next storeys need, then leave the lift.
void ShopFrame(int frame);
// Play, until the lift or death.
void PlayFrame(int frame);
// Forgets the storey played.
void ResetPlay();
// Play is over: the lift was taken, or the player died.
bool PlayOver();
