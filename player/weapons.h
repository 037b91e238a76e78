// The player's hands: firing, striking, reloading, throwing and switching
// weapons.
#pragma once

#include <cstdint>

extern uint8_t WeaponChanged;  // the hands animation must be chosen again
extern uint8_t ShotNoise;      // the player fired this frame; enemies hear it

// The hands' part of a live play frame: the keys that cut a reload short are
// noted, then either the action under way goes on (and ends when its
// animation has played) or, with ready hands, the fire, strike, lift, reload
// and weapon keys are read.
void HandsFrame();

// Height change per pixel of a bullet from the muzzle to what the mouse
// points at: the top of the object in the aim cell (capped), or a standing
// man's chest. A repeated rifle shot aims higher.
float AimSlope(bool repeatedShot);
// The weapon that comes to hand once the last grenade has left it.
int WeaponAfterLastGrenade();
