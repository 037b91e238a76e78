// What hurts: the shared bullet trace, the enemies' blows and shots, damage
// and the death of an enemy.
#pragma once

// Traces one bullet from the shooter at (x, y) along angle, starting at the
// given height and changing it by slope per pixel: it sparks on walls and
// closed doors, breaks furniture, wounds enemies (unless enemiesSafe) and the
// player (unless playerSafe), until its power is spent.
void FireShot(float x, float y, float angle, int power, float height, float slope, bool playerSafe,
              bool enemiesSafe);

// The death of enemy i (once): a bonus point, the death animations.
void KillEnemy(int i);
