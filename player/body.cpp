#include "player/body.h"

#include "assets/character_sets.h"
#include "world/player_state.h"

std::unique_ptr<hgeAnimation> PlayerLegsAnim, PlayerHandsAnim, PlayerHeadAnim;
int PrevPoseCode = 0;

int PlayerHandsSet()
{
    return HasVest ? 4 : 0;
}

int PlayerHeadSet()
{
    return HasHelmet ? 5 : 0;
}

static std::unique_ptr<hgeAnimation> Copy(const hgeAnimation* anim)
{
    return std::unique_ptr<hgeAnimation>(CopyAnimation(anim));
}

void GivePlayerFreshAnimations()
{
    PlayerHeadAnim = Copy(HeadAnimation(PlayerHeadSet(), HEAD_BASE));
    PlayerHandsAnim = Copy(HandsAnimation(PlayerHandsSet(), CurrentWeapon, HANDS_STOIT));
    PlayerLegsAnim = Copy(LegsAnimation(0, LEGS_STOIT));
}

void GivePlayerStartAnimations()
{
    PlayerHeadAnim = Copy(HeadAnimation(PlayerHeadSet(), HEAD_BASE));
    PlayerHandsAnim = Copy(HandsAnimation(0, WEAPON_SHOTGUN, HANDS_STOIT));
    PlayerLegsAnim = Copy(LegsAnimation(0, LEGS_STOIT));
}
