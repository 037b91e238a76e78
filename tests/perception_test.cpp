// What enemies notice: the alarm table, sight between cells, hearing and
// seeing the player's shots, his light, grenades and turning.
#include <cmath>

#include "foes/enemies.h"
#include "foes/enemy_ai.h"
#include "foes/grenades.h"
#include "foes/perception.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "tests/support/enemy_stage.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

using Perception = EnemyStage;

struct alarm_case_struct {
    int weapon, alarm, health, stimulus;
    int roll;      // the engine's next Random_Int (clamped to the range asked for)
    int expected;
};

TEST_F(Perception, AlarmFollowsTheTableAtEveryBandEdge)
{
    const int U = WEAPON_NONE, A = WEAPON_PISTOL;
    const alarm_case_struct cases[] = {
        // struck while weak (health below 4)
        {U, 9, 3, STIM_STRUCK, 2, 22},
        {U, 10, 3, STIM_STRUCK, 2, 20},
        {U, 19, 3, STIM_STRUCK, 3, 21},
        {U, 20, 3, STIM_STRUCK, 0, 21},
        {U, 20, 3, STIM_STRUCK, 1, 20},
        {A, 9, 3, STIM_STRUCK, 4, 22},
        {A, 19, 3, STIM_STRUCK, 1, 19},
        {A, 20, 3, STIM_STRUCK, 5, 21},
        // struck with health to spare
        {U, 9, 4, STIM_STRUCK, 7, 16},
        {U, 10, 4, STIM_STRUCK, 3, 13},
        {U, 20, 4, STIM_STRUCK, 5, 21},
        {A, 9, 4, STIM_STRUCK, 3, 13},
        {A, 10, 4, STIM_STRUCK, 3, 11},
        {A, 20, 4, STIM_STRUCK, 3, 20},
        // a comrade died
        {U, 0, 10, STIM_COMRADE_DIED, 3, 10},
        {U, 10, 10, STIM_COMRADE_DIED, 2, 17},
        {U, 20, 10, STIM_COMRADE_DIED, 2, 21},
        {A, 9, 10, STIM_COMRADE_DIED, 5, 15},
        {A, 19, 10, STIM_COMRADE_DIED, 5, 20},
        {A, 20, 10, STIM_COMRADE_DIED, 5, 21},
        // heard a shot (contact high enough not to be refreshed)
        {U, 9, 10, STIM_HEARD_SHOT, 9, 11},
        {U, 19, 10, STIM_HEARD_SHOT, 3, 22},
        {U, 20, 10, STIM_HEARD_SHOT, 3, 20},
        {A, 9, 10, STIM_HEARD_SHOT, 5, 14},
        {A, 10, 10, STIM_HEARD_SHOT, 5, 10},
        // saw a shot
        {U, 9, 10, STIM_SAW_SHOT, 5, 19},
        {U, 10, 10, STIM_SAW_SHOT, 5, 15},
        {U, 20, 10, STIM_SAW_SHOT, 0, 21},
        {A, 0, 10, STIM_SAW_SHOT, 5, 10},
        {A, 12, 10, STIM_SAW_SHOT, 5, 12},
    };
    for (const alarm_case_struct& c : cases) {
        Enemies.clear();
        int i = Enemy(3, 3, c.weapon, c.alarm, c.health);
        Enemies[i].contact = 3;
        fake.engine.randomInts = {c.roll};
        RaiseAlarm(i, c.stimulus);
        EXPECT_EQ(Enemies[i].alarm, c.expected) << "weapon " << c.weapon << ", alarm " << c.alarm << ", health "
                                                << c.health << ", stimulus " << c.stimulus;
    }
}

TEST_F(Perception, AHeardShotRefreshesAFadedContactAndTheDeadHearNothing)
{
    int i = Enemy(3, 3, WEAPON_NONE, 0);
    Enemies[i].contact = 2;
    fake.engine.randomInts = {4, 1};
    RaiseAlarm(i, STIM_HEARD_SHOT);
    EXPECT_EQ(Enemies[i].contact, 6);
    EXPECT_EQ(Enemies[i].alarm, 1);

    Enemies[i].dead = 1;
    RaiseAlarm(i, STIM_SAW_SHOT);
    RaiseAlarm(i, STIM_STRUCK);
    EXPECT_EQ(Enemies[i].alarm, 1);
    RaiseAlarm(7, STIM_STRUCK);  // no such enemy
}

TEST_F(Perception, SightStopsAtWallsAndAtClosedOrClosingDoors)
{
    Wall(5, 2);
    int door = Door(5, 6, DOOR_CLOSED);
    AddObject(MakeObject(T_SAFE, 0), 3, 10, false);
    EXPECT_TRUE(LineOfSight(2, 2, 2, 2));
    EXPECT_FALSE(LineOfSight(2, 2, 8, 2));
    EXPECT_FALSE(LineOfSight(8, 2, 5, 2));  // the wall cell itself is not seen through
    EXPECT_TRUE(LineOfSight(2, 10, 8, 10));  // furniture lets sight through
    const bool expected[] = {false, false, true, true, true};
    for (int state = DOOR_CLOSED; state <= DOOR_HELD; state++) {
        Objects[door].door_state = state;
        EXPECT_EQ(LineOfSight(2, 6, 8, 7), expected[state]) << "door state " << state;
    }
}

TEST_F(Perception, TurnSignTakesTheShorterWay)
{
    EXPECT_EQ(TurnSign(0, (float)M_PI), 1);
    EXPECT_EQ(TurnSign(0, -(float)M_PI), -1);
    EXPECT_EQ(TurnSign(1, 1), -1);
    EXPECT_EQ(TurnSign(3, -3), 1);
    EXPECT_EQ(TurnSign(-3, 3), -1);
    EXPECT_EQ(TurnSign(0.5f, 1), 1);
}

// The player at (5, 5) behind a wall down column 7: no enemy beyond it
// sees him; those whose column or row is within 30 hear him.
TEST_F(Perception, ShotsAreHeardWithinThirtyColumnsOrRowsAndSeenAlongClearLines)
{
    Storey(80, 80, 5, 5);
    WallColumn(7, 0, 79);
    ShotNoise = 1;
    int sees = Enemy(3, 9, WEAPON_NONE, 0);
    int sameColumnBand = Enemy(34, 70, WEAPON_NONE, 0);   // 29 columns away
    int sameRowBand = Enemy(70, 34, WEAPON_NONE, 0);      // 29 rows away
    int tooFar = Enemy(35, 35, WEAPON_NONE, 0);           // 30 and 30
    for (int c : {sees, sameColumnBand, sameRowBand, tooFar})
        Enemies[c].contact = 3;
    for (int i = 0; i < (int)Enemies.size(); i++)
        NoticeShot(i);
    EXPECT_EQ(Enemies[sees].alarm, 10);
    EXPECT_EQ(Enemies[sameColumnBand].alarm, 1);
    EXPECT_EQ(Enemies[sameRowBand].alarm, 1);
    EXPECT_EQ(Enemies[tooFar].alarm, 0);

    ShotNoise = 0;
    NoticeShot(sees);
    EXPECT_EQ(Enemies[sees].alarm, 10);
}

TEST_F(Perception, LightAloneAlertsOnlyWhenThePlayerHoldsAWeapon)
{
    int clerk = Enemy(4, 4, WEAPON_NONE, 0);
    int guard = Enemy(6, 4, WEAPON_REVOLVER, 3);
    Light(4, 4);
    Light(6, 4);
    for (int k = 0; k < 20; k++) {
        NoticeLight(clerk);
        NoticeLight(guard);
    }
    EXPECT_EQ(Enemies[clerk].alarm, 0);
    EXPECT_EQ(Enemies[guard].alarm, 3);
    EXPECT_EQ(Enemies[clerk].contact, 50);

    CurrentWeapon = WEAPON_SHOTGUN;
    fake.engine.randomInts = {4};
    NoticeLight(clerk);
    NoticeLight(guard);
    EXPECT_EQ(Enemies[clerk].alarm, 10);
    EXPECT_EQ(Enemies[guard].alarm, 7);
    fake.engine.randomInts = {1, 0};  // an alerted clerk grows only 1 in 6
    NoticeLight(clerk);
    NoticeLight(clerk);
    EXPECT_EQ(Enemies[clerk].alarm, 11);
}

TEST_F(Perception, InTheDarkContactFadesAndAlarmNeverFallsBelowNine)
{
    int clerk = Enemy(4, 4, WEAPON_NONE, 10);
    Enemies[clerk].contact = 2;
    fake.engine.randomInts = {1};
    NoticeLight(clerk);
    EXPECT_EQ(Enemies[clerk].contact, 1);
    EXPECT_EQ(Enemies[clerk].alarm, 10);
    for (int k = 0; k < 5; k++)
        NoticeLight(clerk);  // the engine's roll is now always 0: the alarm would fall each time
    EXPECT_EQ(Enemies[clerk].contact, 0);
    EXPECT_EQ(Enemies[clerk].alarm, 9);
}

static void ThrowAt(int x, int y)
{
    grenade_struct g{};
    g.x = (x + 0.5f) * 40;
    g.y = (y + 0.5f) * 40;
    Grenades.push_back(g);
}

TEST_F(Perception, AGrenadeInSightPanicsEvenACalmClerkWhoThenFlees)
{
    Storey(30, 30, 15, 15);
    WallColumn(10, 0, 29);
    ThrowAt(5, 15);   // behind the wall: unseen
    int clerk = Enemy(14, 15, WEAPON_NONE, 0);
    int guard = Enemy(16, 16, WEAPON_RIFLE, 12);
    EnemyDecide(clerk);
    EXPECT_EQ(Enemies[clerk].alarm, 0);

    ThrowAt(18, 14);
    Light(14, 15);
    Light(16, 16);
    fake.engine.randomInts = {2};
    EnemyDecide(guard);
    EXPECT_EQ(Enemies[guard].alarm, 20);
    EnemyDecide(clerk);
    const enemy_struct& e = Enemies[clerk];
    EXPECT_EQ(e.alarm, 21);
    EXPECT_EQ(e.state, ES_ORIENT);
    int before = (14 - PlayerCellX) * (14 - PlayerCellX);
    int dx = e.target_x - PlayerCellX, dy = e.target_y - PlayerCellY;
    EXPECT_GT(dx * dx + dy * dy, before) << "a panicked enemy walks away from the player";
}
