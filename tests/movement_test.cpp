// The player's movement, the camera and the light map of what he sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "player/movement.h"
#include "player/sight.h"
#include "tests/support/fake_engine.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

struct MovementFixture : ::testing::Test {
    FakeEngineScope fake;
    void SetUp() override
    {
        UseTestCatalogue();
        ResetStoreyGrid(20, 15);
        SetZoom(false);
        Crouching = 0;
        PlayerX = 400, PlayerY = 300;
        PlayerAngle = 0;
        AimX = PlayerX + 100, AimY = PlayerY;  // facing east
        CameraX = 400, CameraY = 300;
    }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    void Hold(const char* keys)
    {
        for (const char* k = keys; *k; k++)
            fake.engine.held[(int)*k] = true;
    }
    void Wall(int x, int y) { AddObject(MakeObject(T_WALL, 0), x, y, false); }
};

TEST_F(MovementFixture, SBeatsWAndDBeatsA)
{
    float dir;
    ASSERT_TRUE(MovementDirection(true, false, true, false, &dir));
    EXPECT_FLOAT_EQ(dir, (float)M_PI / 2);
    ASSERT_TRUE(MovementDirection(false, true, false, true, &dir));
    EXPECT_FLOAT_EQ(dir, 0);
    MovementDirection(true, true, false, false, &dir);
    EXPECT_FLOAT_EQ(dir, 5 * (float)M_PI / 4);
    MovementDirection(true, true, false, true, &dir);
    EXPECT_FLOAT_EQ(dir, 7 * (float)M_PI / 4);
    EXPECT_FALSE(MovementDirection(false, false, false, false, &dir));
}

TEST_F(MovementFixture, SpeedDependsOnFacingAndStance)
{
    const float up = -(float)M_PI / 2;
    EXPECT_FLOAT_EQ(MovementSpeed(up, 3 * (float)M_PI / 2, false), 240);  // forward
    EXPECT_FLOAT_EQ(MovementSpeed(up, (float)M_PI / 2, false), 120);      // S while facing up
    EXPECT_FLOAT_EQ(MovementSpeed(up, (float)M_PI / 2, true), 60);
    EXPECT_FLOAT_EQ(MovementSpeed(up, 0, false), 180);                    // sideways
    EXPECT_FLOAT_EQ(MovementSpeed(up, (float)M_PI, true), 100);
    EXPECT_FLOAT_EQ(MovementSpeed((float)M_PI, 5 * (float)M_PI / 4, true), 100);
    EXPECT_FLOAT_EQ(MovementSpeed((float)M_PI, 7 * (float)M_PI / 4, true), 60);
    EXPECT_FLOAT_EQ(MovementSpeed(-3.0f, (float)M_PI, false), 240);       // across the wrap
}

TEST_F(MovementFixture, WalkingMovesAndSetsThePose)
{
    Hold("WS");
    MovePlayer(0.5f);
    EXPECT_FLOAT_EQ(PlayerX, 400);
    EXPECT_FLOAT_EQ(PlayerY, 300 + 0.5f * 180);  // sideways while facing east
    EXPECT_EQ(PoseCode, 2);                       // exactly sideways counts as backwards
    fake.engine.held['W'] = fake.engine.held['S'] = false;
    Hold("D");
    MovePlayer(0.1f);
    EXPECT_FLOAT_EQ(PlayerX, 424);
    EXPECT_EQ(PoseCode, 1);
    fake.engine.held['D'] = false;
    Hold("A");
    MovePlayer(0.1f);
    EXPECT_EQ(PoseCode, 2);  // walking backwards
    fake.engine.held['A'] = false;
    MovePlayer(0.1f);
    EXPECT_EQ(PoseCode, 0);
}

TEST_F(MovementFixture, TurningIsLimitedAndTakesTheShorterWay)
{
    AimX = PlayerX, AimY = PlayerY - 100;  // straight up
    MovePlayer(0.1f);
    EXPECT_NEAR(PlayerAngle, -0.7f, 1e-5);
    Crouching = 1;
    MovePlayer(0.1f);
    EXPECT_NEAR(PlayerAngle, -1.15f, 1e-5);
    MovePlayer(1.0f);
    EXPECT_NEAR(PlayerAngle, -(float)M_PI / 2, 1e-5);
    PlayerAngle = 3.0f;
    AimX = PlayerX + 100 * cosf(-3.0f), AimY = PlayerY + 100 * sinf(-3.0f);
    MovePlayer(1.0f);
    EXPECT_NEAR(PlayerAngle, -3.0f, 1e-4);  // through pi, not all the way round
}

TEST_F(MovementFixture, TheCornerKeepsTheBodyInside)
{
    PlayerX = 5, PlayerY = 3;
    AimX = 100, AimY = 100;
    MovePlayer(0.01f);
    EXPECT_FLOAT_EQ(PlayerX, 26);
    EXPECT_FLOAT_EQ(PlayerY, 26);
    PlayerX = 20 * 40 + 50, PlayerY = 15 * 40;
    MovePlayer(0.01f);
    EXPECT_FLOAT_EQ(PlayerX, 800 - 26);
    EXPECT_FLOAT_EQ(PlayerY, 600 - 26);
}

TEST_F(MovementFixture, WallsPushTheBodyOutEdgesFirstThenCorners)
{
    Wall(11, 7);  // right of the player's cell (10, 7)
    float x = 435, y = 300;
    PushOutOfBlockedCells(&x, &y, 26);
    EXPECT_FLOAT_EQ(x, 440 - 26);
    EXPECT_FLOAT_EQ(y, 300);
    Wall(9, 8);   // below-left corner only
    x = 415, y = 310;
    PushOutOfBlockedCells(&x, &y, 26);
    // Overlaps of 11 (x) and 16 (y): the smaller one is undone.
    EXPECT_FLOAT_EQ(x, 426);
    EXPECT_FLOAT_EQ(y, 310);
}

TEST_F(MovementFixture, PressingIntoAWallShowsTheIdlePose)
{
    Wall(11, 7);
    PlayerX = 440 - 26, PlayerY = 300;
    Hold("D");
    MovePlayer(1.0f / 60);
    EXPECT_EQ(PoseCode, 0);
    EXPECT_FLOAT_EQ(PlayerX, 440 - 26);
    Crouching = 1;
    fake.engine.held[HGEK_SHIFT] = true;
    TakeStance();
    EXPECT_EQ(PoseCode, 20);
}

TEST_F(MovementFixture, TheCameraSettlesBetweenPlayerAndMouseButNotFar)
{
    ResetStoreyGrid(60, 40);
    PlayerX = 400, PlayerY = 300;
    AimX = 500.6f, AimY = 380;
    UpdateCamera();
    EXPECT_FLOAT_EQ(CameraX, 450);
    EXPECT_FLOAT_EQ(CameraY, 340);
    PlayerX = 1000, PlayerY = 800;
    AimX = 2000, AimY = -200;
    UpdateCamera();
    EXPECT_NEAR(CameraX, 1000 + 400.0f * 2 / 3, 1e-3);
    EXPECT_NEAR(CameraY, 800 - 295.0f * 2 / 3, 1e-3);
    // A storey smaller than the screen: the far edge wins.
    ResetStoreyGrid(5, 5);
    UpdateCamera();
    EXPECT_FLOAT_EQ(CameraX, 200 - 400);
    EXPECT_FLOAT_EQ(CameraY, 200 - 295);
}

TEST_F(MovementFixture, SightSeesThreeCellsIntoAWallAndNothingBehind)
{
    for (int x = 12; x <= 15; x++)
        Wall(x, 7);
    PlayerX = 410, PlayerY = 300;  // cell (10, 7)
    CameraX = 410, CameraY = 300;
    UpdateLightMap();
    EXPECT_EQ(PlayerCellX, 10);
    EXPECT_EQ(LightMap[CellIndex(11, 7)], 255);
    for (int x = 12; x <= 14; x++)
        EXPECT_EQ(LightMap[CellIndex(x, 7)], 255) << "wall cell " << x;
    EXPECT_EQ(LightMap[CellIndex(15, 7)], 0);
    EXPECT_EQ(LightMap[CellIndex(17, 7)], 0);
    UpdateLightMap();
    EXPECT_EQ(LightMap[CellIndex(11, 7)], 255);
    SetCellLight(CellIndex(17, 7), 2);
    UpdateLightMap();
    EXPECT_EQ(LightMap[CellIndex(17, 7)], 0);  // fades by 3 a frame, never below 0
}

TEST_F(MovementFixture, AClosedDoorIsSeenButHidesTheRoomBehind)
{
    AddObject(MakeObject(T_DOOR, 0), 12, 7, false);
    PlayerX = 410, PlayerY = 300;
    CameraX = 410, CameraY = 300;
    UpdateLightMap();
    EXPECT_EQ(LightMap[CellIndex(12, 7)], 255);
    EXPECT_EQ(LightMap[CellIndex(13, 7)], 0);
    Objects[0].door_state = DOOR_CLOSING;
    UpdateLightMap();
    EXPECT_EQ(LightMap[CellIndex(13, 7)], 255);
    EXPECT_EQ(LightMap[CellIndex(16, 7)], 255);
}

// The fade visits only the cells lit lately; walking about a storey of rooms
// must leave exactly the light map that fading every cell would.
TEST_F(MovementFixture, FadingOnlyTheLitCellsMatchesFadingThemAll)
{
    ResetStoreyGrid(60, 40);
    for (int x = 0; x < 60; x += 7)
        for (int y = 0; y < 40; y++)
            if (y % 9 != 4)
                Wall(x, y);
    std::vector<int> expected(LightMap.size(), 0);
    for (int frame = 0; frame < 400; frame++) {
        PlayerX = 60 + (frame * 7 % 2200);
        PlayerY = 60 + (frame * 3 % 1500);
        CameraX = PlayerX, CameraY = PlayerY;
        UpdateLightMap();
        // A faded cell is never at 255, so 255 means lit this frame.
        for (size_t c = 0; c < expected.size(); c++)
            expected[c] = LightMap[c] == 255 ? 255 : std::max(expected[c] - 3, 0);
        ASSERT_EQ(LightMap, expected) << "frame " << frame;
        for (int cell : LitCells)
            ASSERT_GT(LightMap[cell], 0);
        ASSERT_EQ(LitCells.size(), (size_t)std::count_if(LightMap.begin(), LightMap.end(), [](int v) { return v > 0; }));
    }
}
