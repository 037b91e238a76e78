// The player's hands: firing, striking, reloading, throwing and switching
// weapons.
#pragma once

#include <cstdint>

extern uint8_t WeaponChanged;  // the hands animation must be chosen again
extern uint8_t ShotNoise;      // the player fired this frame; enemies hear it
