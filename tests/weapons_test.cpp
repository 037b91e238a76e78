// The player's hands: guns, bursts, reloads, blows, throws, weapon keys and
// the lift.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "assets/character_sets.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "player/strike.h"
#include "player/weapons.h"
#include "tests/support/body_sets.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_catalogue.h"
#include "world/angles.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey.h"

const float Dt = 1.0f / 60;

// The player stands in the middle of cell (5, 5) of an empty 30 x 30 storey
// with the pistol, facing east, the mouse 200 pixels ahead. Every hands
// animation of the one set is a looping 6-frame template, as in the game.
struct HandsFixture : ::testing::Test {
    FakeEngineScope fake;
    FakeEngine& engine = fake.engine;
    int frame = 0;
    std::vector<int> soundFrames;  // the frame of every sound played

    void SetUp() override
    {
        UseOneBodySet(engine.AddTexture(4096, 4096), 6, 30);
        for (int s = 0; s < SOUND_COUNT; s++)
            Sounds[s] = engine.Effect_Load(SoundFiles[s], 0);
        SoundOn = true;
        DeveloperMode = false;
        UseTestCatalogue();
        ResetStoreyGrid(30, 30);
        Enemies.clear();
        Grenades.clear();
        Effects.clear();
        NewGameState();
        GivePlayerFreshAnimations();
        PoseCode = PrevPoseCode = 10;
        WeaponChanged = 0;
        AmmoPopupTime = BonusPopupTime = 0;
        PlayerX = PlayerY = 220;
        PlayerCellX = PlayerCellY = 5;
        PlayerAngle = 0;
        Aim(420, 220);
        LiftX = LiftY = 20;
        for (int k = 0; k < CARD_COUNT; k++)
            CardHeld[k] = 1;
    }
    void TearDown() override
    {
        for (HEFFECT& s : Sounds)
            s = 0;
        PlayerLegsAnim.reset();
        PlayerHandsAnim.reset();
        PlayerHeadAnim.reset();
        LegsSets.clear();
        HandsSets.clear();
        HeadSets.clear();
        Enemies.clear();
        Grenades.clear();
        Effects.clear();
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    static void Aim(float x, float y)
    {
        AimX = x, AimY = y;
        AimCellX = (int)(x / 40), AimCellY = (int)(y / 40);
    }
    // The hands' and the body's part of a play frame.
    void Frame()
    {
        size_t before = engine.sounds.size();
        HandsFrame();
        ChoosePlayerAnimations();
        UpdatePlayerBody(Dt);
        engine.ClearPresses();
        for (size_t i = before; i < engine.sounds.size(); i++)
            soundFrames.push_back(frame);
        frame++;
    }
    // A key pressed for one frame and let go.
    void Tap(int key)
    {
        engine.Press(key);
        Frame();
        engine.held[key] = false;
    }
    // Frames until the hands are ready again; how many.
    int UntilReady()
    {
        int n = 0;
        while (HandsState != HANDS_READY && n < 1000) {
            Frame();
            n++;
        }
        return n;
    }
    int Played(const std::string& sound) const
    {
        return (int)std::count(engine.sounds.begin(), engine.sounds.end(), "sound/" + sound);
    }
    // Which template row the hands play.
    int HandsRow()
    {
        engine.quads.clear();
        PlayerHandsAnim->Render(0, 0);
        return (int)(engine.quads[0].v[0].ty * 4096 / 10 + 0.5f) - 100;
    }
    void Hold(int rifleRounds)
    {
        LongGunSlot = WEAPON_RIFLE;
        LongGunLoaded = (int16_t)rifleRounds;
        CurrentWeapon = WEAPON_RIFLE;
        SetStrikeValuesForWeapon();
    }
    void AddEnemy(float x, float y, int health)
    {
        Enemies.emplace_back();
        Enemies.back().x = x;
        Enemies.back().y = y;
        Enemies.back().health = health;
    }
};

TEST_F(HandsFixture, ThePistolsLastRoundGoesAndTheNextPressOnlyClicks)
{
    HandgunLoaded = 1;
    Tap(HGEK_LBUTTON);
    EXPECT_EQ(HandgunLoaded, 0);
    EXPECT_EQ(HandsState, HANDS_FIRING);
    EXPECT_EQ(ShotNoise, 1);
    EXPECT_EQ(HandsRow(), 11);  // the pistol's fire animation
    EXPECT_EQ(Played("pistol-fire.mp3"), 1);
    int frames = UntilReady();
    EXPECT_GT(frames, 3);  // the fire animation plays through once, then ready
    EXPECT_LT(frames, 20);
    EXPECT_EQ(HandsRow(), 8);  // standing again
    EXPECT_EQ(ShotNoise, 0);

    Tap(HGEK_LBUTTON);
    EXPECT_EQ(HandsState, HANDS_READY);
    EXPECT_EQ(ShotNoise, 0);
    EXPECT_EQ(Played("hammer-click.mp3"), 1);
    EXPECT_EQ(Played("pistol-fire.mp3"), 1);
}

TEST_F(HandsFixture, AHeldRifleFiresOncePerFireAnimationUntilEmptyThenClicksOnce)
{
    Hold(4);
    engine.Press(HGEK_LBUTTON);  // and held
    Frame();
    UntilReady();
    EXPECT_EQ(Played("rifle-fire.mp3"), 4);
    EXPECT_EQ(Played("hammer-click.mp3"), 1);
    EXPECT_EQ(LongGunLoaded, 0);
    ASSERT_EQ(soundFrames.size(), 5u);
    int cycle = soundFrames[1] - soundFrames[0];
    for (size_t i = 2; i < soundFrames.size(); i++)
        EXPECT_EQ(soundFrames[i] - soundFrames[i - 1], cycle);
    for (int i = 0; i < 10; i++)
        Frame();
    EXPECT_EQ(Played("hammer-click.mp3"), 1);  // one click, not one a frame

    // Let go and the burst ends with the animation, without a click.
    soundFrames.clear();
    Hold(10);
    engine.Press(HGEK_LBUTTON);
    Frame();
    engine.held[HGEK_LBUTTON] = false;
    int frames = UntilReady();
    EXPECT_EQ(LongGunLoaded, 9);
    EXPECT_EQ(frames, cycle);  // one shot takes as long as a burst's cycle
    EXPECT_EQ(Played("hammer-click.mp3"), 1);
}

TEST_F(HandsFixture, TheRevolverLoadsRoundByRoundAndClosesOnlyWhenFullOrInterrupted)
{
    HandgunSlot = WEAPON_REVOLVER;
    CurrentWeapon = WEAPON_REVOLVER;
    HandgunLoaded = 5;
    Reserve[WEAPON_REVOLVER] = 1;
    ActionInterrupt = 1;
    Tap('R');
    EXPECT_EQ(HandsState, HANDS_RELOADING);
    EXPECT_EQ(ActionInterrupt, 0);
    EXPECT_EQ(HandsRow(), 7);
    UntilReady();
    EXPECT_EQ(HandgunLoaded, 6);
    EXPECT_EQ(Reserve[WEAPON_REVOLVER], 0);
    EXPECT_EQ(Played("revolver-load.mp3"), 1);
    EXPECT_EQ(Played("revolver-rrr.mp3"), 0);  // no spare round left: no closing
    Tap('R');
    EXPECT_EQ(HandsState, HANDS_READY);  // nothing to load

    // With spares it loads until full, then closes the cylinder.
    HandgunLoaded = 4;
    Reserve[WEAPON_REVOLVER] = 10;
    Tap('R');
    UntilReady();
    EXPECT_EQ(HandgunLoaded, 7);
    EXPECT_EQ(Reserve[WEAPON_REVOLVER], 7);
    EXPECT_EQ(Played("revolver-load.mp3"), 4);
    EXPECT_EQ(Played("revolver-rrr.mp3"), 1);

    // A click of the mouse during a cycle makes it the last one.
    HandgunLoaded = 2;
    Tap('R');
    Frame();
    Tap(HGEK_LBUTTON);
    UntilReady();
    EXPECT_EQ(HandgunLoaded, 3);
    EXPECT_EQ(Played("revolver-rrr.mp3"), 2);
    EXPECT_EQ(Played("revolver-fire.mp3"), 0);
}

TEST_F(HandsFixture, SpaceMakesTheShotgunsCurrentCycleItsLast)
{
    LongGunSlot = WEAPON_SHOTGUN;
    CurrentWeapon = WEAPON_SHOTGUN;
    LongGunLoaded = 1;
    Reserve[WEAPON_SHOTGUN] = 10;
    Tap('R');
    EXPECT_EQ(Played("shotgun-open-1.mp3"), 1);
    while (Played("shotgun-reload-1.mp3") == 0 && frame < 100)
        Frame();
    // The first cycle only opened the gun; the second starts past the opening.
    EXPECT_EQ(LongGunLoaded, 2);
    EXPECT_EQ(HandsState, HANDS_RELOADING);
    EXPECT_EQ(PlayerHandsAnim->GetFrame(), 3);
    EXPECT_EQ(HandsRow(), 17);
    Tap(HGEK_SPACE);
    EXPECT_FLOAT_EQ(BonusPopupTime, 0);  // no lift while the hands are busy
    UntilReady();
    EXPECT_EQ(LongGunLoaded, 2);  // the shell of this cycle went in at its start
    EXPECT_EQ(Reserve[WEAPON_SHOTGUN], 9);
    EXPECT_EQ(Played("shotgun-reload-1.mp3"), 1);
    EXPECT_EQ(Played("shotgun-close-1.mp3"), 1);
    EXPECT_EQ(engine.sounds.back(), "sound/shotgun-close-1.mp3");
}

TEST_F(HandsFixture, MagazinesReplaceWhateverWasLoaded)
{
    HandgunLoaded = 16;
    Reserve[WEAPON_PISTOL] = 2;
    Tap('R');
    EXPECT_EQ(Played("pistol_reload.mp3"), 1);
    EXPECT_EQ(HandgunLoaded, 16);  // the magazine goes in when the animation ends
    UntilReady();
    EXPECT_EQ(HandgunLoaded, 17);
    EXPECT_EQ(Reserve[WEAPON_PISTOL], 1);
    EXPECT_GT(AmmoPopupTime, 1.9f);
    Tap('R');
    EXPECT_EQ(HandsState, HANDS_READY);  // full

    Hold(12);
    Tap('R');
    EXPECT_EQ(HandsState, HANDS_READY);  // no spare magazine
    Reserve[WEAPON_RIFLE] = 1;
    Tap('R');
    UntilReady();
    EXPECT_EQ(LongGunLoaded, 30);
    EXPECT_EQ(Reserve[WEAPON_RIFLE], 0);
}

TEST_F(HandsFixture, KnucklesDoubleBareHandsAndHandgunsButNotLongGuns)
{
    HasKnuckles = 1;
    AddEnemy(PlayerX + 30, PlayerY, 100);
    Tap(HGEK_RBUTTON);
    EXPECT_EQ(HandsState, HANDS_STRIKING);
    EXPECT_EQ(HandsRow(), 10);  // the pistol's strike
    EXPECT_EQ(Enemies[0].health, 100);  // the blow lands at the end of the swing
    UntilReady();
    EXPECT_EQ(Enemies[0].health, 80);
    EXPECT_EQ(Played("hit-1.mp3"), 1);
    ASSERT_EQ(Effects.size(), 1u);  // blood on the enemy
    EXPECT_FLOAT_EQ(Effects[0].x, PlayerX + 30);

    Hold(30);
    Tap(HGEK_RBUTTON);
    UntilReady();
    EXPECT_EQ(Enemies[0].health, 60);

    // Empty hands strike with the left button too.
    CurrentWeapon = WEAPON_NONE;
    SetStrikeValuesForWeapon();
    Tap(HGEK_LBUTTON);
    UntilReady();
    EXPECT_EQ(Enemies[0].health, 40);
}

TEST_F(HandsFixture, TheBlowFindsTheNearestLivingEnemyStrictlyWithinReach)
{
    AddEnemy(PlayerX + 30, PlayerY + 30, 50);   // d^2 = 1800, the pistol's reach exactly
    AddEnemy(PlayerX - 20, PlayerY, 0);         // near but already dying
    EXPECT_EQ(NearestEnemyInReach(), -1);
    Tap(HGEK_RBUTTON);
    UntilReady();
    EXPECT_EQ(Enemies[0].health, 50);
    EXPECT_EQ(Played("hit-x.mp3"), 1);

    AddEnemy(PlayerX, PlayerY + 25, 50);
    AddEnemy(PlayerX + 25, PlayerY, 50);  // as near: the first found keeps it
    AddEnemy(PlayerX + 10, PlayerY + 10, 50);
    EXPECT_EQ(NearestEnemyInReach(), 4);
    Enemies[4].health = 0;
    EXPECT_EQ(NearestEnemyInReach(), 2);
}

TEST_F(HandsFixture, FacingEastTheBlowBreaksTheDeskAheadAndUpAndTurnsTowardIt)
{
    AddObject(MakeObject(T_DESK, 0), 6, 4, false);  // covers (6, 4) and (7, 4)
    BonusPoints = 5;
    Tap(HGEK_RBUTTON);
    UntilReady();
    EXPECT_FLOAT_EQ(PlayerAngle, -Pi / 4);
    ASSERT_EQ(Objects.size(), 1u);
    EXPECT_EQ(ObjectTypeOf(Objects[0]).name, "DeskWreck");
    EXPECT_EQ(BonusPoints, 8);
    EXPECT_FLOAT_EQ(BonusPopupTime, 2.0f - Dt);
    EXPECT_EQ(StruckObject, -1);
    ASSERT_EQ(Effects.size(), 2u);  // a puff over each cell of the desk
    EXPECT_NEAR(Effects[0].x, 6.5f * 40, 2);
    EXPECT_NEAR(Effects[1].x, 7.5f * 40, 2);
    EXPECT_NEAR(Effects[1].y, 4.5f * 40, 2);

    // Walls and fixtures do not break; the safe ahead is left alone.
    AddObject(MakeObject(T_SAFE, 0), 6, 5, false);
    PlayerAngle = 0;
    Tap(HGEK_RBUTTON);
    UntilReady();
    EXPECT_EQ(Objects.size(), 2u);
    EXPECT_FLOAT_EQ(PlayerAngle, 0);
}

TEST_F(HandsFixture, EachFacingTriesTheCellItFacesFirst)
{
    for (int step = -4; step <= 4; step++) {
        float angle = step * Pi / 4;
        int dx = (int)lroundf(cosf(angle)), dy = (int)lroundf(sinf(angle));
        // Lamps all around; the one straight ahead must be the one that breaks.
        ResetStoreyGrid(30, 30);
        for (int j = -1; j <= 1; j++)
            for (int i = -1; i <= 1; i++)
                if (i || j)
                    AddObject(MakeObject(T_LAMP, 0), 5 + i, 5 + j, false);
        PlayerAngle = angle + (step == 4 ? -0.3f : 0.3f);  // within the sector
        int o = FindStruckObject();
        ASSERT_GE(o, 0) << angle;
        EXPECT_EQ(Objects[o].cell_x, 5 + dx) << angle;
        EXPECT_EQ(Objects[o].cell_y, 5 + dy) << angle;
        EXPECT_NEAR(PlayerAngle, atan2f((float)dy, (float)dx), 1e-5) << angle;
    }
    EXPECT_EQ(FacingSector(-Pi), 0);
    EXPECT_EQ(FacingSector(Pi), 8);
    EXPECT_EQ(FacingSector(std::nanf("")), 0);
}

TEST_F(HandsFixture, TheLastGrenadeBringsTheLoadedLongGunAndIsThrownAtTheEnd)
{
    // A restored game can hold a grenade in hand with none to throw.
    CurrentWeapon = WEAPON_GRENADE;
    Tap(HGEK_LBUTTON);
    EXPECT_EQ(HandsState, HANDS_READY);
    EXPECT_EQ(Played("hammer-click.mp3"), 1);

    LongGunSlot = WEAPON_SHOTGUN;
    LongGunLoaded = 2;
    Reserve[WEAPON_GRENADE] = 1;
    Tap(HGEK_LBUTTON);
    EXPECT_EQ(HandsState, HANDS_THROWING);
    EXPECT_EQ(Reserve[WEAPON_GRENADE], 0);
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);
    EXPECT_EQ(HandsRow(), 26);  // the throw still plays
    EXPECT_TRUE(Grenades.empty());
    UntilReady();
    ASSERT_EQ(Grenades.size(), 1u);
    EXPECT_NEAR(Grenades[0].direction, 0, 1e-6);
    EXPECT_EQ(HandsRow(), 13);  // the shotgun in hand
    // Its blow is the shotgun's, not the grenade's reach of nothing.
    EXPECT_FLOAT_EQ(StrikeReachSq, 2500);

    // An empty long gun leaves the loaded handgun to come to hand.
    LongGunLoaded = 0;
    EXPECT_EQ(WeaponAfterLastGrenade(), WEAPON_PISTOL);
    HandgunLoaded = 0;
    EXPECT_EQ(WeaponAfterLastGrenade(), WEAPON_SHOTGUN);
}

TEST_F(HandsFixture, TheMouseOnThePlayersCentreStillAimsAndThrowsAPixelAhead)
{
    Aim(PlayerX, PlayerY);
    EXPECT_FLOAT_EQ(AimSlope(false), 65.0f - 80);  // as if a pixel away
    CurrentWeapon = WEAPON_GRENADE;
    Reserve[WEAPON_GRENADE] = 2;
    PlayerAngle = Pi / 2;
    Tap(HGEK_LBUTTON);
    UntilReady();
    ASSERT_EQ(Grenades.size(), 1u);
    EXPECT_NEAR(Grenades[0].direction, Pi / 2, 1e-3);
    for (int i = 0; i < 300 && !Grenades.empty(); i++) {
        UpdateGrenades(Dt);
        ASSERT_TRUE(Grenades.empty() || (std::isfinite(Grenades[0].x) && std::isfinite(Grenades[0].height)));
    }
}

TEST_F(HandsFixture, NumberKeysSwapTheSlotsFromAGunAndPickFromEmptyHands)
{
    LongGunSlot = WEAPON_SHOTGUN;
    Tap('1');
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);
    EXPECT_FLOAT_EQ(StrikeReachSq, 2500);
    EXPECT_EQ(HandsRow(), 13);
    EXPECT_EQ(Played("backpack_1.mp3"), 1);
    Tap('1');
    EXPECT_EQ(CurrentWeapon, WEAPON_PISTOL);
    Tap('2');
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);

    // From a grenade, 1 takes the long gun and 2 the handgun.
    CurrentWeapon = WEAPON_GRENADE;
    Tap('2');
    EXPECT_EQ(CurrentWeapon, WEAPON_PISTOL);
    CurrentWeapon = WEAPON_GRENADE;
    Tap('1');
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);

    // Nothing in the other slot, no grenade: nothing changes, no backpack.
    HandgunSlot = 0;
    Tap('1');
    Tap('2');
    Tap('3');
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);
    EXPECT_EQ(Played("backpack_1.mp3"), 5);

    // Keys pressed during an action are ignored, but cut a reload short.
    HandgunSlot = WEAPON_PISTOL;
    LongGunLoaded = 5;
    Tap(HGEK_LBUTTON);
    ActionInterrupt = 0;
    Tap('2');
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);
    EXPECT_EQ(ActionInterrupt, 1);
}

TEST_F(HandsFixture, TheDeveloperKitAlternatesAndWorksOnlyInDeveloperMode)
{
    Tap(HGEK_TAB);
    EXPECT_EQ(Reserve[WEAPON_GRENADE], 0);
    DeveloperMode = true;
    Tap(HGEK_TAB);
    EXPECT_EQ(CurrentWeapon, WEAPON_SHOTGUN);
    EXPECT_EQ(HandgunSlot, WEAPON_REVOLVER);
    EXPECT_EQ(HandsRow(), 13);
    Tap(HGEK_TAB);
    EXPECT_EQ(CurrentWeapon, WEAPON_RIFLE);
    EXPECT_EQ(HandgunSlot, WEAPON_PISTOL);
    EXPECT_FLOAT_EQ(StrikeReachSq, 2500);  // blows follow the kit's gun
    DeveloperMode = false;
}

// --- the lift

TEST_F(HandsFixture, TheLiftAreaReachesTwoCellsPastTheLiftAndOneBefore)
{
    // One cell left of the area: Space only shows the points.
    PlayerCellX = LiftX - 2;
    PlayerCellY = LiftY;
    Tap(HGEK_SPACE);
    EXPECT_EQ(Health, 20);
    EXPECT_FLOAT_EQ(BonusPopupTime, 2.0f - Dt);
    EXPECT_TRUE(engine.sounds.empty());

    // The far corner: the storey ends, a little healthier.
    PlayerCellX = LiftX + 2;
    PlayerCellY = LiftY + 2;
    CampaignStep = 2;  // a step that only starts play
    engine.randomInts = {3};
    Tap(HGEK_SPACE);
    EXPECT_EQ(Health, 23);
    EXPECT_EQ(MaxHealth, 23);

    // Without the lift card: the error sound and nothing more.
    CardHeld[CARD_LIFT] = 0;
    Tap(HGEK_SPACE);
    EXPECT_EQ(Health, 23);
    EXPECT_EQ(Played("error.mp3"), 1);
    CampaignStep = 0;
}

// A storey written to the scratch folder's data: 12 x 12, the lift at (8, 8), the
// player starting at start, the lift card on the floor or not at all.
static void WriteStorey(const TempDir& dir, const std::string& name, int startX, int startY, bool liftCard)
{
    ResetStoreyGrid(12, 12);
    PlayerStartX = startX, PlayerStartY = startY;
    LiftX = LiftY = 8;
    for (cell_struct& c : CardCell)
        c = {-1, -1};
    if (liftCard)
        CardCell[CARD_LIFT] = {1, 10};
    std::filesystem::create_directories(dir.path + "/data");
    ASSERT_TRUE(WriteLevelFile(dir.path + "/data/" + name));
}

TEST_F(HandsFixture, TheLiftLeadsOnToTheNextStorey)
{
    TempDir dir;
    ChangeDir in(dir.path);
    WriteStorey(dir, "2.lvl", 1, 1, true);  // also the storey being played
    CampaignStep = 3;  // the step that leaves the first storey
    GameStage = STAGE_PLAY;
    PlayerCellX = LiftX, PlayerCellY = LiftY;
    Tap(HGEK_SPACE);
    EXPECT_EQ(CampaignStep, 4);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
    EXPECT_EQ(StoreyNumber, 2);
    EXPECT_EQ(Checkpoint.Health, Health);  // taken with the health the lift gave
    EXPECT_EQ(Checkpoint.step, 3);
    CampaignStep = 0;
}

TEST_F(HandsFixture, AStoreyWithoutALiftCardCanBeLeftAtOnceFromItsStart)
{
    TempDir dir;
    ChangeDir in(dir.path);
    WriteStorey(dir, "s.lvl", 9, 9, false);
    PlayerCellX = PlayerCellY = 0;
    ASSERT_TRUE(LoadLevel("s.lvl"));
    EXPECT_EQ(PlayerCellX, 9);
    EXPECT_EQ(PlayerCellY, 9);
    EXPECT_EQ(CardHeld[CARD_LIFT], 1);
    CampaignStep = 2;  // a step that only starts play
    Tap(HGEK_SPACE);
    EXPECT_GT(Health, 20);
    CampaignStep = 0;

    // The previous storey's cell is not taken for the new one's on its
    // first frame: standing in the lift area before the load is no way out.
    WriteStorey(dir, "s.lvl", 1, 1, false);
    int health = Health;
    PlayerCellX = PlayerCellY = 8;
    ASSERT_TRUE(LoadLevel("s.lvl"));
    Tap(HGEK_SPACE);
    EXPECT_EQ(Health, health);
}
