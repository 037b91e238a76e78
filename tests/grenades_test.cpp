// Grenades: the arc of a throw, bounces off the floor, furniture, walls and
// doors, leaving the storey, the fuse, the shrapnel and the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/movement.h"
#include "screens/world_draw.h"
#include "tests/support/fake_engine.h"
#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_catalogue.h"
#include "world/angles.h"
#include "world/storey.h"

const float Dt = 1.0f / 60;

// An empty 30 x 30 storey; every random turn, spin and slope is 0.
struct GrenadeFixture : ::testing::Test {
    FakeEngineScope fake;
    FakeEngine& engine = fake.engine;
    std::unique_ptr<hgeAnimation> blast;
    void SetUp() override
    {
        for (int s = 0; s < SOUND_COUNT; s++)
            Sounds[s] = engine.Effect_Load(SoundFiles[s], 0);
        SoundOn = true;
        blast = std::make_unique<hgeAnimation>(engine.AddTexture(64, 64), 2, 10, 0, 0, 32, 32);
        Sprites[SPR_BLAST] = blast.get();
        UseTestCatalogue();
        ResetStoreyGrid(30, 30);
        Grenades.clear();
        Effects.clear();
        Enemies.clear();
    }
    void TearDown() override
    {
        for (HEFFECT& s : Sounds)
            s = 0;
        Sprites[SPR_BLAST] = nullptr;
        Sprites[SPR_GRENADE] = nullptr;
        Grenades.clear();
        Effects.clear();
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    void Step()
    {
        engine.randomFloats.assign(64, 0.0f);
        UpdateGrenades(Dt);
    }
    grenade_struct& G() { return Grenades.at(0); }
    static float Pace(const grenade_struct& g) { return hypotf(g.vx, g.vy); }
    // Steps until the grenade hops back up off something; false if it never does.
    bool UntilBounce(int limit = 400)
    {
        for (int i = 0; i < limit && !Grenades.empty(); i++) {
            float climb = G().climb;
            Step();
            if (!Grenades.empty() && climb < 0 && G().climb > 0)
                return true;
        }
        return false;
    }
    int Played(const std::string& sound) const
    {
        return (int)std::count(engine.sounds.begin(), engine.sounds.end(), "sound/" + sound);
    }
};

TEST_F(GrenadeFixture, AThrowOfTwoHundredPixelsPeaksAt120AndLandsAtTheAim)
{
    ThrowGrenade(100, 300, 300, 300);
    ASSERT_EQ(Grenades.size(), 1u);
    EXPECT_FLOAT_EQ(G().height, 80);
    EXPECT_FLOAT_EQ(G().speed, 200);
    EXPECT_FLOAT_EQ(G().fuse, 4);
    EXPECT_NEAR(G().climb, 80 * (1 + sqrtf(3)) / 200, 1e-6);
    float peak = 0, peakX = 0;
    while (G().climb > 0) {
        Step();
        if (G().height > peak)
            peak = G().height, peakX = G().x;
    }
    EXPECT_NEAR(peak, 120, 2.5);  // a frame's step past the top
    EXPECT_NEAR(peakX - 100, 73, 4);
    ASSERT_TRUE(UntilBounce());
    EXPECT_NEAR(G().x, 300, 4);
    EXPECT_EQ(Played("grenade-onto-floor-1.mp3"), 1);

    // The first bounce keeps the pace over the floor while the hops flatten;
    // the pace halves from the second bounce on.
    EXPECT_NEAR(Pace(G()), 200, 1e-3);
    EXPECT_FLOAT_EQ(G().speed, 100);
    float hop = G().climb;
    ASSERT_TRUE(UntilBounce());
    EXPECT_NEAR(Pace(G()), 100, 1e-3);
    EXPECT_FLOAT_EQ(G().speed, 50);
    EXPECT_LT(G().climb, hop);
    EXPECT_NEAR(G().y, 300, 1e-3);

    // On a rug it lands as on the floor, rather than sinking through.
    Grenades.clear();
    AddObject(MakeObject(T_RUG, 0), 7, 7, false);  // 80 x 80 from (280, 280)
    ThrowGrenade(100, 300, 300, 300);
    ASSERT_TRUE(UntilBounce());
    EXPECT_NEAR(G().x, 300, 4);
    EXPECT_GE(G().height, 0);
}

TEST_F(GrenadeFixture, AWallOneCellAwayTurnsItBackAcrossTheEdgeItCrossed)
{
    AddObject(MakeObject(T_WALL, 0), 7, 5, false);
    ThrowGrenade(220, 220, 420, 220);  // east, from the middle of (5, 5)
    while (G().vx > 0)
        Step();
    EXPECT_EQ(G().cell, CellIndex(7, 5));  // inside the wall for this frame
    EXPECT_NEAR(G().direction, Pi, 1e-6);
    EXPECT_FLOAT_EQ(G().speed, 100);
    EXPECT_NEAR(G().vx, -100, 1e-3);
    EXPECT_GT(G().height, 80);  // height and climb untouched
    EXPECT_EQ(Played("grenade-onto-floor-1.mp3"), 1);
    Step();
    EXPECT_EQ(G().cell, CellIndex(6, 5));

    // Across a row, y turns back.
    Grenades.clear();
    AddObject(MakeObject(T_WALL, 0), 5, 7, false);
    ThrowGrenade(220, 220, 220, 420);
    while (G().vy > 0)
        Step();
    EXPECT_NEAR(G().vy, -100, 1e-3);
    EXPECT_NEAR(G().vx, 0, 1e-3);
}

TEST_F(GrenadeFixture, ACornerEnteredDiagonallyTurnsItBackBothWays)
{
    AddObject(MakeObject(T_WALL, 0), 6, 6, false);
    ThrowGrenade(239.5f, 239.5f, 400, 400);
    Step();
    EXPECT_EQ(G().cell, CellIndex(6, 6));
    EXPECT_LT(G().vx, 0);
    EXPECT_LT(G().vy, 0);
    EXPECT_NEAR(G().vx, G().vy, 1e-3);
}

TEST_F(GrenadeFixture, ClosedDoorsBounceItAndOpenOnesLetItThrough)
{
    AddObject(MakeObject(T_DOOR, 0), 7, 4, false);  // covers (7, 4) and (7, 5)
    ThrowGrenade(220, 220, 420, 220);
    for (int i = 0; i < 30; i++)
        Step();
    EXPECT_LT(G().vx, 0);

    Grenades.clear();
    Objects[0].door_state = DOOR_OPEN;
    ThrowGrenade(220, 220, 420, 220);
    for (int i = 0; i < 36; i++)
        Step();
    EXPECT_GT(G().x, 330);
    EXPECT_FLOAT_EQ(G().vx, 200);
}

TEST_F(GrenadeFixture, ItFliesOverLowFurnitureAndCanLandOnItsTop)
{
    AddObject(MakeObject(T_DESK, 0), 8, 5, false);  // 55 high, cells (8, 5) and (9, 5)
    // Aimed past the desk: over it without a touch.
    ThrowGrenade(100, 220, 700, 220);
    while (G().x < 420) {
        float climb = G().climb;
        Step();
        ASSERT_LE(G().climb, climb);
        ASSERT_FLOAT_EQ(G().vx, 200);
    }

    // Aimed at the desk: it enters the desk's cell above its top and bounces
    // off the top, mirrored about it.
    Grenades.clear();
    ThrowGrenade(100, 220, 400, 220);
    ASSERT_TRUE(UntilBounce());
    EXPECT_EQ(G().cell / 30, 5);
    EXPECT_GE(G().cell % 30, 8);
    EXPECT_GT(G().height, 55);
    EXPECT_LT(G().height, 60);
    EXPECT_GT(G().vx, 0);  // on, not back

    // Low enough, it bounces off the desk's side instead.
    Grenades.clear();
    ThrowGrenade(300, 220, 700, 220);
    G().height = 10;
    G().climb = 0;
    G().climb_change = 0;
    while (G().vx > 0)
        Step();
    EXPECT_EQ(G().cell, CellIndex(8, 5));
    EXPECT_FLOAT_EQ(G().speed, 100);
}

TEST_F(GrenadeFixture, OffTheGridItVanishesWithoutExploding)
{
    ThrowGrenade(60, 220, -400, 220);
    int frames = 0;
    while (!Grenades.empty() && frames < 100) {
        Step();
        frames++;
    }
    EXPECT_TRUE(Grenades.empty());
    EXPECT_GT(frames, 20);
    EXPECT_EQ(Played("grenade-explosion-1.mp3"), 0);
    EXPECT_TRUE(Effects.empty());
}

TEST_F(GrenadeFixture, TheFuseEndsInABlastAfterFourSeconds)
{
    ThrowGrenade(400, 400, 401, 400);
    ThrowGrenade(400, 400, 500, 400);
    Grenades[1].fuse = 10;
    for (int i = 0; i < 235; i++)
        Step();
    ASSERT_EQ(Grenades.size(), 2u);
    for (int i = 0; i < 10; i++)
        Step();
    ASSERT_EQ(Grenades.size(), 1u);
    EXPECT_NEAR(Grenades[0].fuse, 10 - 245 * Dt, 1e-4);  // the later one is still counting
    EXPECT_EQ(Played("grenade-explosion-1.mp3"), 1);
    int blasts = 0;
    for (const effect_struct& e : Effects)
        if (e.anim)
            blasts++;
    EXPECT_EQ(blasts, 1);
}

TEST_F(GrenadeFixture, TheShrapnelSendsTwentyEightTraces)
{
    // A ring of wall around cell (10, 10): every trace strikes it first.
    for (int j = 9; j <= 11; j++)
        for (int i = 9; i <= 11; i++)
            if (i != 10 || j != 10)
                AddObject(MakeObject(T_WALL, 0), i, j, false);
    ThrowGrenade(420, 420, 421, 420);
    G().fuse = Dt / 2;
    Step();
    ASSERT_TRUE(Grenades.empty());
    int firstSparks = 0;
    for (const effect_struct& e : Effects)
        if (!e.anim && e.delay == 0)
            firstSparks++;
    EXPECT_EQ(firstSparks, 28);
}

TEST_F(GrenadeFixture, OnlyGrenadesInLitCellsAreDrawnWithAFrameByHeight)
{
    HTEXTURE tex = engine.AddTexture(144, 24);
    hgeAnimation sprite(tex, 6, 0, 0, 0, 24, 24);
    Sprites[SPR_GRENADE] = &sprite;
    VisibleCells = {0, 0, 29, 29};
    CameraX = 400, CameraY = 295;
    ThrowGrenade(100, 100, 200, 100);  // cell (2, 2)
    ThrowGrenade(300, 100, 400, 100);  // cell (7, 2), dark
    ThrowGrenade(500, 100, 600, 100);  // cell (12, 2)
    Grenades[0].height = 130;
    Grenades[2].height = -30;  // sunk below a rug
    LightMap[CellIndex(2, 2)] = 3;
    LightMap[CellIndex(12, 2)] = 255;
    engine.quads.clear();
    DrawWorld(0, 0);
    std::vector<hgeQuad> drawn;
    for (const hgeQuad& q : engine.quads)
        if (q.tex == tex)
            drawn.push_back(q);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_NEAR(drawn[0].v[0].tx, 5 * 24 / 144.0f, 1e-5);  // the highest frame there is
    EXPECT_NEAR(drawn[1].v[0].tx, 0, 1e-5);
    EXPECT_NEAR(drawn[1].v[0].x, 500 + 400 - CameraX, 1e-3);
}

// The game's own data with a scratch storey compiled from a map: an open
// floor, three office workers (one life each) penned in by potted plants
// around a chair, the player four cells west of the pen's middle.
static const char PenMap[] =
    "size 20 15\n"
    "legend\n"
    ". floor CarpetGrey\n"
    "f object Plant\n"
    "c object Chair\n"
    "@ start\n"
    "! lift\n"
    "1 enemy preset 1 lives 1\n"
    "floors\n"
    "....................\n....................\n....................\n....................\n"
    "....................\n....................\n....................\n....................\n"
    "....................\n....................\n....................\n....................\n"
    "....................\n....................\n....................\n"
    "objects\n"
    "\n\n\n\n\n"
    "       fffff\n"
    "       f c f\n"
    "       f   f\n"
    "       f   f\n"
    "       fffff\n"
    "\n\n\n\n\n"
    "marks\n"
    "\n !\n\n\n\n\n"
    "        1 1\n"
    "     @\n"
    "         1\n"
    "\n\n\n\n\n\n";

TEST(GrenadeScene, AGrenadeThrownIntoAPenKillsItsThreeWorkersAndBreaksFurniture)
{
#ifndef QUARVEL_LEVELC
    GTEST_SKIP() << "the level compiler is not built";
#else
    TempDir dir;
    LinkGameData(dir.path);
    dir.Write("kresk", "");
    RunnerResult c = CompileStorey(dir, PenMap, "data/temp.lvl");
    ASSERT_EQ(c.exitCode, 0) << c.output;
    // The developer kit, the grenade in hand, a throw over the plants into
    // the pen's middle, then a walk away from the blast and down.
    std::string script = dir.Write("in.txt",
                                   "0 mouse 380 300\n5 down TAB\n6 up TAB\n10 down 3\n11 up 3\n"
                                   "20 down LBUTTON\n21 up LBUTTON\n70 down A\n200 down SHIFT\n");
    RunnerResult r = RunSim(dir.path, {"--frames", "300", "--input", script});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(Occurrences(r.dump, "sound/grenade-explosion-1.mp3"), 1) << r.output;
    EXPECT_EQ(Occurrences(r.dump, "\"dead\": false"), 0);
    EXPECT_EQ(Occurrences(r.dump, "\"dead\": true"), 3);
    size_t objects = r.dump.find("\"Objects\": [");
    std::string placed = r.dump.substr(objects, r.dump.find("\"DoorList\"") - objects);
    EXPECT_GT(Occurrences(placed, "Wreck\""), 0);
    size_t points = r.dump.find("\"BonusPoints\": ");
    ASSERT_NE(points, std::string::npos);
    EXPECT_GT(atoi(r.dump.c_str() + points + 15), 3);
#endif
}
