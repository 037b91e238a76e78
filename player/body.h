// The player's body: the legs, hands and head animations he plays, chosen
// from his motion and his hands' action, and his death.
#pragma once

#include <memory>

#include "assets/animation.h"

// Drawn in this order: legs, hands, head.
extern std::unique_ptr<hgeAnimation> PlayerLegsAnim, PlayerHandsAnim, PlayerHeadAnim;
extern float DeathTimer;      // slowed seconds left in the death sequence
extern float KillerX, KillerY;  // where the last bullet that hit the player came from

// The pop-up numbers above the player: seconds the spare ammunition (red)
// and the bonus points (green) stay shown; set to 2 by whatever earns or
// spends, counted down with the body's animations.
extern float AmmoPopupTime;
extern float BonusPopupTime;

// The sets the player wears: hands set 4 with the bullet-proof vest, else 0;
// head set 5 with the helmet, else 0; legs always set 0.
int PlayerHandsSet();
int PlayerHeadSet();

// Fresh copies as after a level load: normal head, the weapon in hand's
// standing animation, standing legs.
void GivePlayerFreshAnimations();
// The animations the program starts with: the shotgun's standing animation
// of hands set 0, whatever is worn.
void GivePlayerStartAnimations();

// Health below 0 starts the death sequence once: death animations, the menu
// music.
void CheckPlayerDeath();
// A frame of the death sequence: the camera drifts toward the killer and
// time runs at a tenth; Space or the end of the timer leaves for the menu.
// Returns the frame time the rest of the frame runs with.
float DeathFrame(float dt);
// Chooses the animations for this frame's pose (alive only).
void ChoosePlayerAnimations();
// Advances the three animations and the pop-up timers (dead or alive).
void UpdatePlayerBody(float dt);
// Counts both pop-up timers down while positive.
void CountDownPopups(float dt);
