// The player's body: the legs, hands and head animations he plays, chosen
// from his motion and his hands' action, and his death.
#pragma once

#include <memory>

#include "assets/animation.h"

// Drawn in this order: legs, hands, head.
extern std::unique_ptr<hgeAnimation> PlayerLegsAnim, PlayerHandsAnim, PlayerHeadAnim;
extern int PrevPoseCode;  // last frame's motion code

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
