// The status strip the player may show at the foot of the play picture:
// health and its maximum, the rounds in the gun and spare, grenades and the
// cards picked up on this storey. Off by default, so that play shows no
// panel unless asked for.
#pragma once

#include <string>

extern bool StatusStripOn;

const float StatusStripHeight = 26;

// The texts of the strip, left to right: health, the weapon in hand with
// its rounds, grenades (Windows-1251).
std::string StripHealthText();
std::string StripWeaponText();
std::string StripGrenadeText();

// Over the world and the red of a hit, under the cursor; nothing while off.
void DrawStatusStrip();
