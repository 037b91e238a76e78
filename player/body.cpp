#include "player/body.h"

#include <cmath>

#include "assets/character_sets.h"
#include "assets/music.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "world/campaign.h"
#include "world/player_state.h"

std::unique_ptr<hgeAnimation> PlayerLegsAnim, PlayerHandsAnim, PlayerHeadAnim;
float DeathTimer = 0;
float KillerX = 0, KillerY = 0;
float AmmoPopupTime = 0;
float BonusPopupTime = 0;

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

void CheckPlayerDeath()
{
    if (Health >= 0 || Dead)
        return;
    if (MusicOn) {
        hge->Channel_Stop(MusicChannel);
        StartMusic(Sounds[SND_MENU_MUSIC]);
    }
    Dead = 1;
    // Only live frames clear the noise flag: a shot of his last live frame
    // would otherwise be heard for as long as he lies there.
    ShotNoise = 0;
    PlayerHandsAnim.reset(PlayOnceCopy(HandsDeadAnimation(PlayerHandsSet())));
    PlayerHeadAnim.reset(PlayOnceCopy(HeadAnimation(PlayerHeadSet(), HEAD_DEAD)));
    PlayerLegsAnim.reset(PlayOnceCopy(LegsAnimation(0, LEGS_DEAD)));
    DeathTimer = 0.35f;
}

float DeathFrame(float dt)
{
    if (DeathTimer < 0 || hge->Input_KeyDown(HGEK_SPACE)) {
        CampaignStep = 0;
        GameMode = MODE_MENU;
        return dt;
    }
    CameraTargetX += (KillerX - CameraTargetX) * dt;
    CameraTargetY += (KillerY - CameraTargetY) * dt;
    CameraX = floorf(CameraTargetX);
    CameraY = floorf(CameraTargetY);
    dt /= 10;
    DeathTimer -= dt;
    return dt;
}

static bool Standing(int pose)
{
    return pose == 10 || pose == 20;
}

static int LegsOfPose(int pose)
{
    switch (pose) {
    case 11: return LEGS_IDET_VPERED;
    case 12: return LEGS_IDET_NAZAD;
    case 20: return LEGS_SIDIT;
    case 21: return LEGS_POLZET_VPERED;
    case 22: return LEGS_POLZET_NAZAD;
    default: return LEGS_STOIT;
    }
}

static void GiveHandsForPose(int pose)
{
    int action = Standing(pose) ? HANDS_STOIT : HANDS_IDET;
    PlayerHandsAnim = Copy(HandsAnimation(PlayerHandsSet(), CurrentWeapon, action));
}

void ChoosePlayerAnimations()
{
    if (PoseCode == PrevPoseCode) {
        if (WeaponChanged)
            GiveHandsForPose(PoseCode);
        return;
    }
    PlayerLegsAnim = Copy(LegsAnimation(0, LegsOfPose(PoseCode)));
    if (HandsState == HANDS_READY)
        GiveHandsForPose(PoseCode);
}

void UpdatePlayerBody(float dt)
{
    PrevPoseCode = PoseCode;
    UpdateAnimation(PlayerHeadAnim.get(), dt);
    UpdateAnimation(PlayerLegsAnim.get(), dt);
    UpdateAnimation(PlayerHandsAnim.get(), dt);
    CountDownPopups(dt);
}

void CountDownPopups(float dt)
{
    if (AmmoPopupTime > 0)
        AmmoPopupTime -= dt;
    if (BonusPopupTime > 0)
        BonusPopupTime -= dt;
}
