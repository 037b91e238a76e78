#include "foes/combat.h"

#include "assets/character_sets.h"
#include "foes/enemies.h"
#include "player/body.h"
#include "world/player_state.h"

void KillEnemy(int i)
{
    enemy_struct& e = Enemies[i];
    BonusPoints += 1;
    BonusPopupTime = 2.0f;
    e.dead = 1;
    e.legs_anim.reset(PlayOnceCopy(LegsAnimation(e.legs_set, LEGS_DEAD)));
    e.hands_anim.reset(PlayOnceCopy(HandsDeadAnimation(e.hands_set)));
    e.head_anim.reset(PlayOnceCopy(HeadAnimation(e.head_set, HEAD_DEAD)));
}

// The bullet trace is being built; until then a shot hits nothing.
void FireShot(float, float, float, int, float, float, bool, bool) {}
