// The player's body animations, his death and the short effects.
#include <gtest/gtest.h>

#include "assets/character_sets.h"
#include "assets/music.h"
#include "foes/effects.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/play_frame.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "screens/world_draw.h"
#include "tests/support/body_sets.h"
#include "tests/support/fake_engine.h"
#include "tests/support/test_catalogue.h"
#include "world/campaign.h"
#include "world/player_state.h"
#include "world/storey.h"

// One legs, hands and head set whose every animation is a distinct 4-frame
// rectangle, so a test can tell which one the player plays.
struct BodyFixture : ::testing::Test {
    FakeEngineScope fake;
    std::unique_ptr<hgeAnimation> spark;
    void SetUp() override
    {
        HTEXTURE tex = fake.engine.AddTexture(4096, 4096);
        UseOneBodySet(tex, 4, 10);
        UseTestCatalogue();
        ResetStoreyGrid(30, 30);
        NewGameState();
        GivePlayerFreshAnimations();
        PoseCode = PrevPoseCode = 10;
        WeaponChanged = 0;
        MusicOn = true;
        GameMode = MODE_GAME;
        GameStage = STAGE_PLAY;
        WorldMode = WORLD_PLAY;
        DeveloperMode = false;
        spark = std::make_unique<hgeAnimation>(tex, 3, 10, 0, 0, 10, 10);
        spark->SetMode(HGEANIM_FWD);
        spark->Play();
        Sprites[SPR_SPARK] = spark.get();
        Effects.clear();
        Sounds[SND_MENU_MUSIC] = fake.engine.Effect_Load(SoundFiles[SND_MENU_MUSIC], 0);
    }
    void TearDown() override
    {
        Sprites[SPR_SPARK] = nullptr;
        Sounds[SND_MENU_MUSIC] = 0;
        Effects.clear();
        PlayerLegsAnim.reset();
        PlayerHandsAnim.reset();
        PlayerHeadAnim.reset();
        LegsSets.clear();
        HandsSets.clear();
        HeadSets.clear();
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    // Which template row an animation copy shows.
    static int Row(const std::unique_ptr<hgeAnimation>& a)
    {
        FakeEngine* e = (FakeEngine*)hge;
        e->quads.clear();
        a->Render(0, 0);
        return (int)(e->quads[0].v[0].ty * 4096 / 10 + 0.5f);
    }
};

TEST_F(BodyFixture, PoseChangesSwapLegsAndHandsButWeaponChangesOnlyHands)
{
    EXPECT_EQ(Row(PlayerHandsAnim), 100 + 8);  // pistol standing
    PoseCode = 11;
    ChoosePlayerAnimations();
    EXPECT_EQ(Row(PlayerLegsAnim), LEGS_IDET_VPERED);
    EXPECT_EQ(Row(PlayerHandsAnim), 100 + 9);  // pistol walking
    UpdatePlayerBody(0.1f);
    EXPECT_EQ(PrevPoseCode, 11);

    hgeAnimation* legs = PlayerLegsAnim.get();
    CurrentWeapon = WEAPON_RIFLE;
    WeaponChanged = 1;
    ChoosePlayerAnimations();
    EXPECT_EQ(PlayerLegsAnim.get(), legs);
    EXPECT_EQ(Row(PlayerHandsAnim), 100 + 19);  // rifle walking

    // Crouching during a reload changes the legs but not the reload.
    HandsState = HANDS_RELOADING;
    PlayerHandsAnim.reset(PlayOnceCopy(HandsAnimation(0, WEAPON_RIFLE, HANDS_RELOAD)));
    PoseCode = 20;
    WeaponChanged = 0;
    ChoosePlayerAnimations();
    EXPECT_EQ(Row(PlayerLegsAnim), LEGS_SIDIT);
    EXPECT_EQ(Row(PlayerHandsAnim), 100 + 22);
}

TEST_F(BodyFixture, DeathStartsBelowZeroAndPlaysOnce)
{
    Health = 0;
    CheckPlayerDeath();
    EXPECT_EQ(Dead, 0);
    Health = -1;
    ShotNoise = 1;  // he fired in his last live frame
    CheckPlayerDeath();
    EXPECT_EQ(Dead, 1);
    EXPECT_EQ(ShotNoise, 0);
    EXPECT_FLOAT_EQ(DeathTimer, 0.35f);
    EXPECT_EQ(fake.engine.sounds, std::vector<std::string>{"sound/menu_music.mp3"});
    EXPECT_EQ(Row(PlayerLegsAnim), LEGS_DEAD);
    EXPECT_EQ(Row(PlayerHandsAnim), 100 + 27);
    EXPECT_EQ(Row(PlayerHeadAnim), 201);
    for (int i = 0; i < 10; i++)
        UpdatePlayerBody(0.1f);
    EXPECT_FALSE(PlayerLegsAnim->IsPlaying());
    EXPECT_EQ(PlayerLegsAnim->GetFrame(), 3);  // lying on its last frame
    CheckPlayerDeath();
    EXPECT_EQ(fake.engine.sounds.size(), 1u);  // only once
}

TEST_F(BodyFixture, TheDeathDriftRunsAtATenthAndSpaceEndsIt)
{
    Health = -1;
    CheckPlayerDeath();
    KillerX = 1000, KillerY = 100;
    CameraTargetX = 0, CameraTargetY = 100;
    float dt = DeathFrame(0.1f);
    EXPECT_FLOAT_EQ(dt, 0.01f);
    EXPECT_FLOAT_EQ(CameraTargetX, 100);
    EXPECT_FLOAT_EQ(CameraX, 100);
    EXPECT_FLOAT_EQ(DeathTimer, 0.34f);
    EXPECT_EQ(GameMode, MODE_GAME);
    CampaignStep = 7;
    fake.engine.Press(HGEK_SPACE);
    EXPECT_FLOAT_EQ(DeathFrame(0.1f), 0.1f);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 0);
}

TEST_F(BodyFixture, WhileDeadTheWholeFrameIsSlowed)
{
    PlayerX = PlayerY = 400;
    CameraX = CameraY = 400;
    Health = -1;
    SpawnEffect(400, 400, 0, 0, SPR_SPARK);
    AddObject(MakeObject(T_DOOR, 0), 20, 20, false);
    Objects[0].door_state = DOOR_OPENING;
    Objects[0].anim->Play();
    ActionFrame(0.1f);  // dies; this frame runs slowed
    ActionFrame(0.1f);
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_EQ(Effects[0].anim->GetFrame(), 0);  // 0.01 s a frame is not enough to advance
    for (int i = 0; i < 10; i++)
        ActionFrame(0.1f);
    EXPECT_EQ(Effects[0].anim->GetFrame(), 1);
    EXPECT_EQ(Objects[0].door_state, DOOR_OPENING);
}

TEST_F(BodyFixture, EffectsOnlyStrictlyInsideTheStoreyLessItsLastRowAndColumn)
{
    SpawnEffect(0, 100, 0, 0, SPR_SPARK);
    SpawnEffect(100, 0, 0, 0, SPR_SPARK);
    SpawnEffect(29 * 40, 100, 0, 0, SPR_SPARK);
    SpawnEffect(100, 29 * 40, 0, 0, SPR_SPARK);
    EXPECT_TRUE(Effects.empty());
    SpawnEffect(29 * 40 - 0.5f, 0.5f, 1, 0, SPR_SPARK);
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_EQ(Effects[0].cell, CellIndex(28, 0));
}

TEST_F(BodyFixture, DelayedEffectsWaitAndFinishedOnesTakeTheLastPlace)
{
    for (int i = 0; i < 5; i++)
        SpawnEffect(100.0f + i, 100, 0, i == 2 ? 0.0f : 0.5f, SPR_SPARK);
    UpdateEffects(0);     // the first update starts the third one's first frame
    UpdateEffects(0.1f);
    UpdateEffects(0.1f);
    EXPECT_EQ(Effects[2].anim->GetFrame(), 2);
    EXPECT_EQ(Effects[0].anim->GetFrame(), 0);
    UpdateEffects(0.1f);  // the third stops: the fifth moves into its place
    ASSERT_EQ(Effects.size(), 4u);
    EXPECT_FLOAT_EQ(Effects[2].x, 104);
    EXPECT_FLOAT_EQ(Effects[3].x, 103);
    EXPECT_FLOAT_EQ(Effects[0].delay, 0.2f);
}

TEST(Darkness, ColourFadesWithTheLight)
{
    EXPECT_EQ(DarknessColour(0), 0xFFFFFFFFu);
    EXPECT_EQ(DarknessColour(100), 0x9B9B9B9Bu);
    EXPECT_EQ(DarknessColour(249), 0x06060606u);
}
