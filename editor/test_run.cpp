#include "editor/test_run.h"

#include <memory>
#include <utility>

#include "assets/translation.h"
#include "editor/editor.h"
#include "editor/texts.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/body.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey_swap.h"

// Everything a run changes, held aside while it runs.
struct play_state_struct {
    storey_struct storey;
    std::vector<enemy_struct> enemies, corpses;
    std::vector<grenade_struct> grenades;
    std::vector<effect_struct> effects;
    checkpoint_struct lasting{};
    int32_t handsState = HANDS_READY, struckObject = -1;
    uint8_t crouching = 0, actionInterrupt = 0, dead = 0, weaponChanged = 0, shotNoise = 0;
    int prevPoseCode = 0, poseCode = 10, playerCellX = 0, playerCellY = 0;
    float playerX = 0, playerY = 0, playerAngle = 0;
    float cameraX = 0, cameraY = 0, cameraTargetX = 0, cameraTargetY = 0;
    cell_rect_struct visibleCells = {0, 0, 0, 0};
    std::unique_ptr<hgeAnimation> legs, hands, head;
    float deathTimer = 0, killerX = 0, killerY = 0, ammoPopupTime = 0, bonusPopupTime = 0;
    int32_t campaignStep = 0, storeyNumber = 1, dialogueNumber = 1;
};

static play_state_struct Aside;
static bool Running = false;
static bool LiftTaken = false;

static void SwapPlayerValues(play_state_struct& s)
{
    std::swap(HandsState, s.handsState);
    std::swap(StruckObject, s.struckObject);
    std::swap(Crouching, s.crouching);
    std::swap(ActionInterrupt, s.actionInterrupt);
    std::swap(Dead, s.dead);
    std::swap(WeaponChanged, s.weaponChanged);
    std::swap(ShotNoise, s.shotNoise);
    std::swap(PrevPoseCode, s.prevPoseCode);
    std::swap(PoseCode, s.poseCode);
    std::swap(PlayerCellX, s.playerCellX);
    std::swap(PlayerCellY, s.playerCellY);
    std::swap(PlayerX, s.playerX);
    std::swap(PlayerY, s.playerY);
    std::swap(PlayerAngle, s.playerAngle);
    std::swap(PlayerLegsAnim, s.legs);
    std::swap(PlayerHandsAnim, s.hands);
    std::swap(PlayerHeadAnim, s.head);
    std::swap(DeathTimer, s.deathTimer);
    std::swap(KillerX, s.killerX);
    std::swap(KillerY, s.killerY);
    std::swap(AmmoPopupTime, s.ammoPopupTime);
    std::swap(BonusPopupTime, s.bonusPopupTime);
    std::swap(CameraX, s.cameraX);
    std::swap(CameraY, s.cameraY);
    std::swap(CameraTargetX, s.cameraTargetX);
    std::swap(CameraTargetY, s.cameraTargetY);
    std::swap(VisibleCells, s.visibleCells);
    checkpoint_struct lasting = LastingValues();
    SetLastingValues(s.lasting);
    s.lasting = lasting;
}

// Swapping twice gives everything back: the same exchange starts and ends a
// run.
static void SwapPlayState(play_state_struct& s)
{
    SwapStorey(s.storey);
    Enemies.swap(s.enemies);
    Corpses.swap(s.corpses);
    Grenades.swap(s.grenades);
    Effects.swap(s.effects);
    SwapPlayerValues(s);
    std::swap(CampaignStep, s.campaignStep);
    std::swap(StoreyNumber, s.storeyNumber);
    std::swap(DialogueNumber, s.dialogueNumber);
}

bool TestRunActive()
{
    return Running;
}

void StartTestRun()
{
    std::string storey = LevelFileText();
    Aside = play_state_struct{};
    SwapPlayState(Aside);
    // The player keeps his gear and the campaign its place; only the storey
    // and what happens on it are the run's own.
    SetLastingValues(Aside.lasting);
    CampaignStep = Aside.campaignStep;
    StoreyNumber = Aside.storeyNumber;
    DialogueNumber = Aside.dialogueNumber;
    if (!ReadLevelText(storey, "the test run")) {
        SwapPlayState(Aside);
        ShowEditorMessage(Tr(TextTestRunFailed));
        return;
    }
    Health = MaxHealth;
    Running = true;
    LiftTaken = false;
    WorldMode = WORLD_PLAY;
}

void EndTestRun(int how)
{
    if (!Running)
        return;
    SwapPlayState(Aside);
    Aside = play_state_struct{};
    // Only the walking choice of the run's enemies used these marks.
    std::fill(ReachMap.begin(), ReachMap.end(), 0);
    Running = false;
    LiftTaken = false;
    hge->Channel_StopAll();
    GameMode = MODE_GAME;
    WorldMode = WORLD_EDIT;
    ShowEditorMessage(Tr(TextTestRunEnded[how]));
}

bool TestRunTakesCampaignStep()
{
    if (!Running)
        return false;
    LiftTaken = true;
    return true;
}

bool TestRunOver(int* how)
{
    if (!Running)
        return false;
    if (LiftTaken)
        *how = TEST_RUN_LIFT;
    else if (Dead && GameMode == MODE_MENU)
        *how = TEST_RUN_DIED;
    else
        return false;
    return true;
}
