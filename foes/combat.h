// What hurts: the shared bullet trace, the enemies' blows and shots, damage
// and the death of an enemy.
#pragma once

// The death of enemy i (once): a bonus point, the death animations.
void KillEnemy(int i);
