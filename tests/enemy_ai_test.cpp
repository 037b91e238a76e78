// The enemies' pass: decisions, the choice of where to walk, turning and
// walking, blows and shots from the enemy's side, death and bodies.
#include <cmath>

#include "engine/cp1251.h"
#include "foes/combat.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/enemy_ai.h"
#include "foes/move_target.h"
#include "foes/perception.h"
#include "player/body.h"
#include "player/movement.h"
#include "tests/support/enemy_stage.h"
#include "world/player_state.h"
#include "world/storey.h"

using EnemyPass = EnemyStage;

static void LightEverything()
{
    for (int& v : LightMap)
        v = 255;
}

// Frames until the enemy's state is the one wanted, or -1 within the limit.
static int FramesUntil(EnemyStage& stage, int i, int state, int limit)
{
    for (int n = 1; n <= limit; n++) {
        stage.Frames(1);
        if (Enemies[i].state == state)
            return n;
    }
    return -1;
}

TEST_F(EnemyPass, ALitArmedGuardTurnsAimsAndFiresWithinASecond)
{
    LightEverything();
    int guard = Enemy(14, 11, WEAPON_REVOLVER, 12);
    Enemies[guard].angle = 0;  // facing away
    EnemyDecide(guard);
    EXPECT_EQ(Enemies[guard].state, ES_TURN);
    EXPECT_EQ(Enemies[guard].turn_dir, -1);
    EXPECT_NEAR(Enemies[guard].target_angle, atan2f(-40, -160), 1e-5);
    int frames = FramesUntil(*this, guard, ES_RECOVER, 60);
    ASSERT_GT(frames, 0) << "no shot within a second";
    EXPECT_LT(Health, 100);  // the bullet flew level at a standing player 165 pixels away
    EXPECT_FLOAT_EQ(KillerX, Enemies[guard].x);

    Enemies[guard].angle = -2.8f;  // already facing him: aims at once
    EnemyDecide(guard);
    EXPECT_EQ(Enemies[guard].state, ES_AIM);
    EXPECT_FLOAT_EQ(Enemies[guard].angle, Enemies[guard].target_angle);
}

TEST_F(EnemyPass, ALitUnarmedClerkWalksUpAndStrikesWhenTheBlowEnds)
{
    LightEverything();
    int clerk = Enemy(16, 13, WEAPON_NONE, 12);
    ASSERT_GT(FramesUntil(*this, clerk, ES_STRIKE, 180), 0) << "the clerk never came within reach";
    float dx = Enemies[clerk].x - PlayerX, dy = Enemies[clerk].y - PlayerY;
    EXPECT_LT(dx * dx + dy * dy, ENEMY_STRIKE_RANGE_SQ);
    Frames(10);
    EXPECT_EQ(Health, 100) << "the blow lands only when its animation ends";
    Frames(30);
    EXPECT_EQ(Health, 100 - ENEMY_MELEE_DAMAGE);
    EXPECT_FLOAT_EQ(KillerY, Enemies[clerk].y);

    // A player who steps away during the blow is missed.
    Enemies[clerk].state = ES_IDLE;
    Enemies[clerk].timer = -1;
    Frames(1);
    ASSERT_EQ(Enemies[clerk].state, ES_STRIKE);
    PlacePlayer(3, 3);
    Frames(40);
    EXPECT_EQ(Health, 100 - ENEMY_MELEE_DAMAGE);
    EXPECT_NE(Enemies[clerk].state, ES_STRIKE);
}

TEST_F(EnemyPass, WithoutContactAlertedEnemiesBehaveCalmlyAndCalmGuardsNeverWalk)
{
    int clerk = Enemy(4, 4, WEAPON_NONE, 15);
    Enemies[clerk].contact = 1;
    fake.engine.randomInts = {1, 0};  // no calming down; then stand
    EnemyDecide(clerk);
    EXPECT_EQ(Enemies[clerk].contact, 0);
    EXPECT_EQ(Enemies[clerk].alarm, 15);
    EXPECT_EQ(Enemies[clerk].state, ES_IDLE);

    int guard = Enemy(6, 6, WEAPON_SHOTGUN, 0);
    for (int k = 0; k < 30; k++) {
        fake.engine.randomInts = {k % 5};
        EnemyDecide(guard);
        EXPECT_TRUE(Enemies[guard].state == ES_IDLE || Enemies[guard].state == ES_TURN) << Enemies[guard].state;
    }
}

// A wall down column 14 with a door at rows 9 and 10; the player beyond it.
TEST_F(EnemyPass, WalkTargetsNeverLieBehindAWallOrAClosedDoor)
{
    Storey(30, 30, 25, 10);
    WallColumn(14, 0, 8);
    WallColumn(14, 11, 29);
    int door = Door(14, 9, DOOR_CLOSED);
    int i = Enemy(10, 10, WEAPON_NONE, 12);
    auto markedBeyond = [&]() {
        int n = 0;
        for (int y = 0; y < LevelHeight; y++)
            for (int x = 14; x < LevelWidth; x++)
                n += ReachMap[CellIndex(x, y)];
        return n;
    };
    for (int state : {DOOR_CLOSED, DOOR_CLOSING, DOOR_OPENING}) {
        Objects[door].door_state = state;
        ChooseMoveTarget(i, MOVE_APPROACH);
        EXPECT_EQ(markedBeyond(), 0) << "door state " << state;
        EXPECT_LT(Enemies[i].target_x, 14);
    }
    Objects[door].door_state = DOOR_OPEN;
    ChooseMoveTarget(i, MOVE_APPROACH);
    EXPECT_GT(markedBeyond(), 0);
    EXPECT_EQ(Enemies[i].target_x, 17);
    EXPECT_EQ(Enemies[i].target_y, 10);

    // The marks of an earlier choice never survive into the next one.
    Objects[door].door_state = DOOR_CLOSED;
    ChooseMoveTarget(i, MOVE_WANDER);
    EXPECT_EQ(markedBeyond(), 0);
}

TEST_F(EnemyPass, WalkTargetsStayTwoCellsFromTheEdgesAndTiesKeepTheEarlierCell)
{
    int i = Enemy(1, 1, WEAPON_NONE, 0);
    ChooseMoveTarget(i, MOVE_WANDER);  // every score 0: nothing beats the own cell
    EXPECT_EQ(Enemies[i].target_x, 1);
    EXPECT_EQ(Enemies[i].target_y, 1);
    for (int k = 0; k < 100; k++)
        fake.engine.randomFloats.push_back(100);
    ChooseMoveTarget(i, MOVE_WANDER);
    EXPECT_EQ(Enemies[i].target_x, 2);
    EXPECT_EQ(Enemies[i].target_y, 2);
    for (int y = 0; y < LevelHeight; y++)
        EXPECT_EQ(ReachMap[CellIndex(0, y)], 0);

    // Closing in on a player in the far corner stops at the window's edge.
    fake.engine.randomFloats.clear();
    PlacePlayer(19, 19);
    int far = Enemy(15, 15, WEAPON_NONE, 0);
    ChooseMoveTarget(far, MOVE_APPROACH);
    EXPECT_EQ(Enemies[far].target_x, 17);
    EXPECT_EQ(Enemies[far].target_y, 17);
    // Four cells equally near the walled-in player: column by column, (11, 12)
    // comes first.
    PlacePlayer(12, 12);
    Wall(12, 12);
    int near = Enemy(10, 10, WEAPON_NONE, 0);
    ChooseMoveTarget(near, MOVE_APPROACH);
    EXPECT_EQ(Enemies[near].target_x, 11);
    EXPECT_EQ(Enemies[near].target_y, 12);
}

TEST_F(EnemyPass, FleeingPrefersDoorZonesOrDarkness)
{
    Storey(30, 30, 10, 10);
    int i = Enemy(10, 15, WEAPON_NONE, 25);
    ChooseMoveTarget(i, MOVE_FLEE);
    EXPECT_EQ(Enemies[i].target_y, 22);  // straight away from the player
    Door(5, 17, DOOR_CLOSED);            // its zone covers columns 3..7, rows 17 and 18
    ChooseMoveTarget(i, MOVE_FLEE);
    EXPECT_TRUE(Enemies[i].target_x >= 3 && Enemies[i].target_x <= 7) << Enemies[i].target_x;
    EXPECT_TRUE(Enemies[i].target_y == 17 || Enemies[i].target_y == 18) << Enemies[i].target_y;

    Storey(30, 30, 10, 10);
    LightEverything();
    LightMap[CellIndex(9, 11)] = 0;
    ChooseMoveTarget(i, MOVE_FLEE_HIDDEN);
    EXPECT_EQ(Enemies[i].target_y, 22);
    LightMap[CellIndex(12, 20)] = 0;  // 3 x 104 beats the 193 of the far lit corners
    ChooseMoveTarget(i, MOVE_FLEE_HIDDEN);
    EXPECT_EQ(Enemies[i].target_x, 12);
    EXPECT_EQ(Enemies[i].target_y, 20);
}

static void StartWalking(enemy_struct& e, float x, float angle, int targetX)
{
    e.x = x;
    e.state = ES_WALK;
    e.timer = 5;
    e.target_angle = angle;
    e.target_x = targetX;
    e.target_y = e.cell_y;
}

TEST_F(EnemyPass, AWalkLeavingTheInnerFrameIsUndoneAndTheCellStaysOnTheGrid)
{
    int right = Enemy(17, 10, WEAPON_NONE, 0);
    StartWalking(Enemies[right], 718, 0, 19);
    Frames(1);
    EXPECT_FLOAT_EQ(Enemies[right].x, 718);  // 722 is past 18 cells
    EXPECT_EQ(Enemies[right].cell_x, 18);     // the cell keeps its new value
    EXPECT_NE(Enemies[right].state, ES_WALK);

    int left = Enemy(1, 10, WEAPON_NONE, 0);
    StartWalking(Enemies[left], 60, (float)M_PI, 0);
    Frames(1, 1.0f);  // a long frame carries it 260 pixels off the grid
    EXPECT_FLOAT_EQ(Enemies[left].x, 60);
    EXPECT_EQ(Enemies[left].cell_x, 0);
    EXPECT_NE(Enemies[left].state, ES_WALK);
}

TEST_F(EnemyPass, AWalkerPressedAgainstAWallDecidesAgainAndOneReachingItsTargetToo)
{
    Wall(6, 10);
    int stuck = Enemy(5, 10, WEAPON_NONE, 0);
    StartWalking(Enemies[stuck], 214, 0, 8);
    Frames(1);
    EXPECT_FLOAT_EQ(Enemies[stuck].x, 214);
    EXPECT_NE(Enemies[stuck].state, ES_WALK);

    int arriving = Enemy(3, 3, WEAPON_NONE, 0);
    StartWalking(Enemies[arriving], 158, 0, 4);
    Frames(1);
    EXPECT_EQ(Enemies[arriving].cell_x, 4);
    EXPECT_NE(Enemies[arriving].state, ES_WALK);
}

TEST_F(EnemyPass, TurningCrossesTheWrapTheShortWayAndDecidesOnArrival)
{
    int i = Enemy(5, 5, WEAPON_NONE, 0);
    enemy_struct& e = Enemies[i];
    e.state = ES_TURN;
    e.timer = 5;
    e.angle = 3.0f;
    e.target_angle = -3.0f;
    e.turn_dir = (int16_t)TurnSign(e.angle, e.target_angle);
    ASSERT_EQ(e.turn_dir, 1);
    int frames = 0;
    while (Enemies[i].state == ES_TURN && frames < 10) {
        Frames(1);
        frames++;
        EXPECT_LE(fabsf(Enemies[i].angle), (float)M_PI);
    }
    EXPECT_LE(frames, 4);
    EXPECT_NEAR(Enemies[i].angle, -3.0f, 0.1f);
}

TEST_F(EnemyPass, ADeathScoresOnceAlarmsComradesInSightAndTheBodyHoldsItsDoor)
{
    int door = Door(8, 5, DOOR_CLOSED);  // zone: columns 6..10, rows 5 and 6
    WallColumn(12, 0, 19);
    int victim = Enemy(6, 5, WEAPON_NONE, 0, 0);
    int witness = Enemy(3, 5, WEAPON_NONE, 0);
    int hidden = Enemy(15, 5, WEAPON_NONE, 0);
    Light(3, 5);
    Frames(1);
    EXPECT_EQ(BonusPoints, 1);
    EXPECT_EQ(BonusPopupTime, 2.0f);
    EXPECT_TRUE(Enemies[victim].dead);
    EXPECT_EQ(Enemies[witness].alarm, 10);
    EXPECT_EQ(Enemies[hidden].alarm, 0);

    int frames = 0;
    while (Corpses.empty() && frames++ < 60) {
        Enemies[1].timer = 5;  // the witness is next in line
        Frames(1);
    }
    ASSERT_EQ(Corpses.size(), 1u) << "the death animations never ended";
    EXPECT_FLOAT_EQ(Enemies[0].timer, 5 - 1.0f / 60) << "the enemy after the body is handled in the same frame";
    EXPECT_EQ(Enemies.size(), 2u);
    Frames(120);
    EXPECT_EQ(BonusPoints, 1);
    EXPECT_EQ(Objects[door].door_state, DOOR_OPEN);
}

TEST_F(EnemyPass, ShotsEndInRecoveryThatEnds)
{
    int guard = Enemy(12, 10, WEAPON_SHOTGUN, 12);
    Enemies[guard].state = ES_AIM;
    Enemies[guard].angle = (float)M_PI;
    Frames(1);
    EXPECT_EQ(Enemies[guard].state, ES_RECOVER);
    EXPECT_GT(FramesUntil(*this, guard, ES_IDLE, 60), 0) << "the firing animation must play once";
}

TEST_F(EnemyPass, AWeaponOutsideTheTableShowsTheErrorOncePerStoreyAndTheEnemyRests)
{
    for (int weapon : {(int)WEAPON_GRENADE, 9, -2}) {
        fake.engine.messages.clear();
        ForgetUnusableWeaponReport();  // a new storey
        int i = Enemy(12, 10, weapon, 12);
        for (int decision = 0; decision < 3; decision++) {
            Enemies[i].state = ES_AIM;
            Enemies[i].timer = 0;
            Frames(1);
        }
        ASSERT_EQ(fake.engine.messages.size(), 1u);
        EXPECT_EQ(fake.engine.messages[0], "Противники не могут атаковать таким оружием"_cp);
        EXPECT_EQ(Enemies[i].state, ES_IDLE);
        EXPECT_GE(Enemies[i].timer, 0.3f);
        LightEverything();
        EnemyDecide(i);
        EXPECT_NE(Enemies[i].hands_anim, nullptr) << "weapon " << weapon << " still shows hands";
        Enemies.clear();
    }
    EXPECT_TRUE(Effects.empty());
    EXPECT_EQ(Health, 100);
}

TEST_F(EnemyPass, AGuardOnThePlayersSpotAimsAndFiresWithoutDividingByZero)
{
    LightEverything();
    Crouching = 1;
    int guard = Enemy(PlayerCellX, PlayerCellY, WEAPON_PISTOL, 12);
    EnemyDecide(guard);
    EXPECT_EQ(Enemies[guard].state, ES_AIM);
    EXPECT_TRUE(std::isfinite(Enemies[guard].target_angle));
    Enemies[guard].timer = 0;
    Frames(1);
    ASSERT_EQ(Effects.size(), 1u);  // straight into the floor
    EXPECT_TRUE(std::isfinite(Effects[0].x) && std::isfinite(Effects[0].y));
}
