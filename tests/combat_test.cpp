// The bullet trace: walls and doors, furniture, enemies and the player, the
// heights that decide what a bullet can hit, and the enemies' aim.
#include <cmath>

#include "foes/combat.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/enemy_ai.h"
#include "player/body.h"
#include "player/movement.h"
#include "tests/support/enemy_stage.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

using Bullet = EnemyStage;

// A level bullet from the centre of cell (2, 2) along the row, hurting
// nobody unless asked.
static void ShootEast(int power, float height = 75, bool playerSafe = true, bool enemiesSafe = true)
{
    FireShot(100, 100, 0, power, height, 0, playerSafe, enemiesSafe);
}

TEST_F(Bullet, AWallTakesAtLeastTenAndSparksOnTheEdgeItCrossed)
{
    Wall(5, 2);
    Wall(7, 2);
    fake.engine.randomInts = {10};
    ShootEast(15);  // 5 left after the first wall, spent in the second
    ASSERT_EQ(Effects.size(), 2u);
    EXPECT_FLOAT_EQ(Effects[0].x, 200);
    EXPECT_FLOAT_EQ(Effects[0].y, 100);
    EXPECT_FLOAT_EQ(Effects[0].angle, (float)M_PI);
    EXPECT_FLOAT_EQ(Effects[0].delay, 0);
    EXPECT_FLOAT_EQ(Effects[1].x, 280);
    EXPECT_FLOAT_EQ(Effects[1].delay, 0.05f);

    Effects.clear();
    ShootEast(10);  // a weak bullet is spent in the first wall
    EXPECT_EQ(Effects.size(), 1u);

    Effects.clear();
    FireShot(340, 100, (float)M_PI, 10, 75, 0, true, true);  // from the east: the wall's east edge
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_FLOAT_EQ(Effects[0].x, 320);

    Effects.clear();
    Wall(4, 4);
    FireShot(100, 100, (float)M_PI / 4, 10, 75, 0, true, true);  // into a corner: both edges
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_FLOAT_EQ(Effects[0].x, 160);
    EXPECT_FLOAT_EQ(Effects[0].y, 160);
}

TEST_F(Bullet, ClosedAndClosingDoorsStopBulletsOpenOnesLetThemPass)
{
    int door = Door(5, 2, DOOR_CLOSED);
    const bool stops[] = {true, true, false, false, false};
    for (int state = DOOR_CLOSED; state <= DOOR_HELD; state++) {
        Effects.clear();
        Objects[door].door_state = state;
        ShootEast(10);
        EXPECT_EQ(Effects.size(), stops[state] ? 1u : 0u) << "door state " << state;
    }
}

TEST_F(Bullet, LeavingOverTheLeftEdgeMeetsTheEdgeColumnOnce)
{
    Wall(0, 2);
    fake.engine.randomInts = {10, 10};
    FireShot(50, 100, (float)M_PI, 30, 75, 0, true, true);
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_FLOAT_EQ(Effects[0].x, 40);
}

TEST_F(Bullet, ALevelEnemyShotPassesOverFurnitureOfSize75AndSparesEnemies)
{
    ObjectTypes[T_DESK].size = 75;
    ObjectTypes[T_DESK].hit_chance = 101;
    AddObject(MakeObject(T_DESK, 0), 4, 2, false);
    int comrade = Enemy(7, 2, WEAPON_NONE, 0);
    PlacePlayer(9, 2);
    ShootEast(15, 75, false, true);
    EXPECT_EQ(Objects.back().type, T_DESK);
    EXPECT_EQ(Enemies[comrade].health, 10);
    EXPECT_EQ(Health, 95);
    EXPECT_FLOAT_EQ(KillerX, 100);
    EXPECT_FLOAT_EQ(KillerY, 100);

    ShootEast(15, 74.9f);  // a hair lower: the desk is hit
    EXPECT_EQ(Objects.back().type, T_DESK_WRECK);
}

TEST_F(Bullet, AnyHitBreaksFurnitureWhateverItsHitPoints)
{
    AddObject(MakeObject(T_DESK, 0), 4, 2, false);  // 40 hit points
    AddObject(MakeObject(T_LAMP, 0), 4, 5, false);
    AddObject(MakeObject(T_SAFE, 0), 8, 2, false);
    ShootEast(2, 30);  // the desk takes 1, the safe the other 1
    ASSERT_EQ(Objects.size(), 3u);
    EXPECT_EQ(Objects.back().type, T_DESK_WRECK);
    EXPECT_EQ(BonusPoints, 3);
    EXPECT_EQ(BonusPopupTime, 0) << "remains start no pop-up";
    ASSERT_EQ(Effects.size(), 3u);  // a puff per footprint cell, then the safe's spark
    EXPECT_NEAR(Effects[0].x, 180, 4);
    EXPECT_NEAR(Effects[1].x, 220, 4);
    EXPECT_LE(Effects[1].delay, 0.1f);
    EXPECT_FLOAT_EQ(Effects[2].x, 340);
    EXPECT_EQ(ObjectMap[CellIndex(8, 2)], 1) << "a fixture is never broken";

    FireShot(100, 220, 0, 5, 30, 0, true, true);
    EXPECT_EQ(ObjectMap[CellIndex(4, 5)], -1);
    EXPECT_EQ(BonusPoints, 5);
    EXPECT_EQ(BonusPopupTime, 2.0f);
}

TEST_F(Bullet, DyingEnemiesAreHitOnlyBelow25AndTheLivingBelow80)
{
    int living = Enemy(5, 2, WEAPON_NONE, 0);
    int dying = Enemy(5, 6, WEAPON_NONE, 0);
    Enemies[dying].dead = 1;
    ShootEast(10, 80, true, false);
    EXPECT_EQ(Enemies[living].health, 10);
    ShootEast(10, 79.9f, true, false);
    EXPECT_EQ(Enemies[living].health, 5);
    FireShot(100, 260, 0, 10, 25, 0, true, false);
    EXPECT_EQ(Enemies[dying].health, 10);
    FireShot(100, 260, 0, 10, 24.9f, 0, true, false);
    EXPECT_EQ(Enemies[dying].health, 5);

    // A bullet sinking below the floor in the step that reaches an enemy
    // only sparks on the floor.
    Effects.clear();
    FireShot(100, 100, 0, 10, 10, -0.1f, true, false);
    EXPECT_EQ(Enemies[living].health, 5);
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_FLOAT_EQ(Effects[0].x, 220);
}

TEST_F(Bullet, OneBulletWoundsEachInTurnAndItsImpactsAreStaggered)
{
    int first = Enemy(4, 2, WEAPON_NONE, 0);
    int second = Enemy(6, 2, WEAPON_NONE, 0);
    Wall(8, 2);
    fake.engine.randomInts = {0, 3, 0, 3, 10};
    ShootEast(20, 50, true, false);
    EXPECT_EQ(Enemies[first].health, -5);
    EXPECT_EQ(Enemies[second].health, -5);
    ASSERT_EQ(Effects.size(), 3u);
    EXPECT_FLOAT_EQ(Effects[0].delay, 0);
    EXPECT_FLOAT_EQ(Effects[1].delay, 0.05f);
    EXPECT_FLOAT_EQ(Effects[2].delay, 0.1f);
    EXPECT_FLOAT_EQ(Effects[2].x, 320);
}

TEST_F(Bullet, ThePlayerIsWoundedAtMostOncePerStep)
{
    PlacePlayer(6, 2);
    ShootEast(20, 75, false, true);
    EXPECT_EQ(Health, 95);
    EXPECT_EQ(Effects.size(), 1u);
}

TEST_F(Bullet, ArmourDividesTheDamageAndCrouchingLowersThePlayer)
{
    PlacePlayer(6, 2);
    const int expected[2][2] = {{15, 12}, {9, 6}};  // [vest][helmet]
    for (HasVest = 0; HasVest <= 1; HasVest++) {
        for (HasHelmet = 0; HasHelmet <= 1; HasHelmet++) {
            Health = 100;
            fake.engine.randomInts = {0, 3};
            ShootEast(20, 75, false, true);
            EXPECT_EQ(100 - Health, expected[HasVest][HasHelmet]) << "vest " << HasVest << ", helmet " << HasHelmet;
        }
    }
    HasVest = HasHelmet = 0;
    Crouching = 1;
    Health = 100;
    ShootEast(20, 60, false, true);
    EXPECT_EQ(Health, 100);
    fake.engine.randomInts = {40};
    ShootEast(20, 59.9f, false, true);
    EXPECT_EQ(Health, 100) << "a crouching player is hit 40 times in 101";
    ShootEast(20, 59.9f, false, true);
    EXPECT_EQ(Health, 95);
}

// A guard at (2, 10) aims at a crouching player 400 pixels away.
TEST_F(Bullet, AnEnemyShotSinksTowardACrouchingPlayer)
{
    Storey(40, 30, 12, 10);
    Crouching = 1;
    int guard = Enemy(2, 10, WEAPON_REVOLVER, 12);
    Enemies[guard].state = ES_AIM;
    Enemies[guard].angle = 0;
    fake.engine.randomFloats = {1.0f, 0.0f};  // no scatter of the slope, none of the angle
    Frames(1);
    EXPECT_EQ(Health, 95) << "near height 40 at the player, within his 60";

    // With the player 400 pixels straight below, the same aim along the row
    // meets the floor 22 steps out.
    Effects.clear();
    PlayerX = 100;
    PlayerY = 420 + 400;
    Enemies[guard].state = ES_AIM;
    Enemies[guard].timer = 0;
    fake.engine.randomFloats = {1.0f, 0.0f};
    Frames(1);
    ASSERT_EQ(Effects.size(), 1u);
    EXPECT_NEAR(Effects[0].x, 100 + 22 * 40, 0.01f);
}
