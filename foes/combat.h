// What hurts: the shared bullet trace, the enemies' blows and shots, damage
// and the death of an enemy.
#pragma once

const int ENEMY_MELEE_DAMAGE = 7;  // armour does not soften a blow

// Traces one bullet from the shooter at (x, y) along angle, starting at the
// given height and changing it by slope per pixel: it sparks on walls and
// closed doors, breaks furniture, wounds enemies (unless enemiesSafe) and the
// player (unless playerSafe), until its power is spent.
void FireShot(float x, float y, float angle, int power, float height, float slope, bool playerSafe,
              bool enemiesSafe);

// The death of enemy i (once): a bonus point, the death animations.
void KillEnemy(int i);

// The fighting states of enemy i, one frame each. A blow lands when its
// animation ends, if the player is still within reach; a shot is fired
// when the aim time runs out; after firing the enemy waits for the firing
// animation to end.
void StrikeStep(int i);
void AimStep(int i, float dt);
void RecoverStep(int i);

// An enemy holding a weapon that cannot fire (only a hand-made storey gives
// one) is named in an error box once per storey; a storey load calls this
// so that the next storey's may be named again.
void ForgetUnusableWeaponReport();
