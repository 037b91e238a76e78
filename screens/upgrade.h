// The upgrade shop visited in the lift between storeys: bonus points buy
// weapons, ammunition, healing and gear; owned weapons are taken back from
// the lift for free.
#pragma once

#include <string>

// The description of the hovered rectangle, rebuilt every shop frame.
extern std::string ShopText;

// Hover, buy or take, leave by the exit rectangle or Space, Escape to the menu.
void UpgradeFrame(float dt, float mx, float my);
void RenderUpgrade(float mx, float my);
