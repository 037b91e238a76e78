#include "foes/enemy_ai.h"

#include <algorithm>
#include <cmath>

#include "assets/character_sets.h"
#include "foes/combat.h"
#include "foes/enemies.h"
#include "foes/move_target.h"
#include "foes/perception.h"
#include "frame/program.h"
#include "player/doors.h"
#include "player/movement.h"
#include "world/angles.h"
#include "world/player_state.h"
#include "world/storey.h"

const float FacingTolerance = 0.1f;  // radians: close enough to stop turning
const float AimTolerance = 0.2f;     // radians: close enough to aim without turning first

static float DistanceSqToPlayer(const enemy_struct& e)
{
    float dx = e.x - PlayerX, dy = e.y - PlayerY;
    return dx * dx + dy * dy;
}

// Standing, with empty hands or with the weapon's standing hands.
static void StandStill(enemy_struct& e, bool weaponShown)
{
    ShowEnemyLegs(e, LEGS_STOIT);
    ShowEnemyHands(e, weaponShown ? EnemyHandsGroup(e) : WEAPON_NONE, HANDS_STOIT);
}

static void StartIdle(enemy_struct& e, float timer)
{
    e.state = ES_IDLE;
    e.timer = timer;
    StandStill(e, false);
}

static void StartLookingAround(enemy_struct& e, float timer)
{
    e.state = ES_TURN;
    e.timer = timer;
    StandStill(e, false);
    e.target_angle = hge->Random_Float(-Pi, Pi);
    e.turn_dir = (int16_t)TurnSign(e.angle, e.target_angle);
}

static void StartOrienting(int i, float timer, bool weaponShown, int mode)
{
    enemy_struct& e = Enemies[i];
    e.state = ES_ORIENT;
    e.timer = timer;
    StandStill(e, weaponShown);
    ChooseMoveTarget(i, mode);
    e.turn_dir = (int16_t)TurnSign(e.angle, e.target_angle);
}

// Without contact or alarm: unarmed staff stand, look around and stroll;
// armed guards only stand and look around, their weapons put away.
static void DecideCalm(int i)
{
    enemy_struct& e = Enemies[i];
    if (e.weapon != WEAPON_NONE) {
        if (hge->Random_Int(0, 4) == 0)
            StartLookingAround(e, hge->Random_Float(1.1f, 2.2f));
        else
            StartIdle(e, hge->Random_Float(0.5f, 2.1f));
        return;
    }
    int k = hge->Random_Int(0, 4);
    if (k <= 2)
        StartIdle(e, hge->Random_Float(0.2f, 2.1f));
    else if (k == 3)
        StartLookingAround(e, hge->Random_Float(1.5f, 2.7f));
    else
        StartOrienting(i, hge->Random_Float(1.5f, 4.3f), false, MOVE_WANDER);
}

static void DecideAlertedUnarmed(int i)
{
    enemy_struct& e = Enemies[i];
    if (DistanceSqToPlayer(e) >= ENEMY_STRIKE_RANGE_SQ) {
        StartOrienting(i, hge->Random_Float(0.6f, 1.3f), false, MOVE_APPROACH);
        return;
    }
    e.state = ES_STRIKE;
    e.timer = 2.0f;
    ShowEnemyLegs(e, LEGS_STOIT);
    PlayEnemyHandsOnce(e, WEAPON_NONE, HANDS_UDAR);
}

// In range and in sight the guard aims when it already faces the player,
// else turns toward him first; otherwise it closes in.
static void DecideAlertedArmed(int i)
{
    enemy_struct& e = Enemies[i];
    bool inRange = DistanceSqToPlayer(e) < ENEMY_FIRE_RANGE_SQ;
    if (!inRange || !LineOfSight(PlayerCellX, PlayerCellY, e.cell_x, e.cell_y)) {
        StartOrienting(i, hge->Random_Float(0.6f, 1.3f), true, MOVE_APPROACH);
        return;
    }
    e.target_angle = FacingAngleTo(e.x, e.y, PlayerX, PlayerY, e.angle);
    if (fabsf(e.angle - e.target_angle) < AimTolerance) {
        e.state = ES_AIM;
        e.timer = hge->Random_Float(0.1f, 0.2f);
        StandStill(e, true);
        e.angle = e.target_angle;
        return;
    }
    e.timer = hge->Random_Float(0.3f, 0.5f);
    StandStill(e, true);
    e.state = ES_TURN;
    e.turn_dir = (int16_t)TurnSign(e.angle, e.target_angle);
}

static void DecidePanicked(int i)
{
    StartOrienting(i, hge->Random_Float(0.6f, 1.3f), true, Crouching ? MOVE_FLEE_HIDDEN : MOVE_FLEE);
}

void EnemyDecide(int i)
{
    enemy_struct& e = Enemies[i];
    if (e.dead)
        return;
    bool grenade = NoticeGrenade(i);
    NoticeLight(i);
    if (e.alarm < ALARM_ALERTED || (e.contact == 0 && !grenade))
        DecideCalm(i);
    else if (e.alarm < ALARM_PANICKED)
        e.weapon == WEAPON_NONE ? DecideAlertedUnarmed(i) : DecideAlertedArmed(i);
    else
        DecidePanicked(i);
}

static void WrapAngle(float& a)
{
    if (a < -Pi)
        a += 2 * Pi;
    if (a > Pi)
        a -= 2 * Pi;
}

static void TurnStep(enemy_struct& e, float dt)
{
    e.angle += e.turn_dir * dt * ENEMY_TURN_SPEED;
    WrapAngle(e.angle);
}

static bool FacesTarget(const enemy_struct& e)
{
    return fabsf(e.angle - e.target_angle) < FacingTolerance;
}

static bool AtTarget(const enemy_struct& e)
{
    return e.cell_x == e.target_x && e.cell_y == e.target_y;
}

static void IdleStep(int i, float dt)
{
    enemy_struct& e = Enemies[i];
    if (e.timer < 0)
        EnemyDecide(i);
    else
        e.timer -= dt;
}

static void TurnStateStep(int i, float dt)
{
    enemy_struct& e = Enemies[i];
    if (FacesTarget(e) || e.timer < 0) {
        EnemyDecide(i);
        return;
    }
    e.timer -= dt;
    TurnStep(e, dt);
}

static void OrientStep(int i, float dt)
{
    enemy_struct& e = Enemies[i];
    if (e.timer < 0 || AtTarget(e)) {
        EnemyDecide(i);
        return;
    }
    e.timer -= dt;
    if (!FacesTarget(e)) {
        TurnStep(e, dt);
        return;
    }
    e.state = ES_WALK;
    ShowEnemyLegs(e, LEGS_IDET_VPERED);
    ShowEnemyHands(e, e.alarm < ALARM_ALERTED ? WEAPON_NONE : EnemyHandsGroup(e), HANDS_IDET);
}

// Enemies walk only inside the storey less one cell at the left and top
// and two at the right and bottom.
static bool InsideInnerFrame(float x, float y)
{
    return x >= CellWidth && y >= CellHeight && x <= (LevelWidth - 2) * CellWidth &&
           y <= (LevelHeight - 2) * CellHeight;
}

static void WalkStep(int i, float dt)
{
    enemy_struct& e = Enemies[i];
    if (e.timer < 0) {
        EnemyDecide(i);
        return;
    }
    float x0 = e.x, y0 = e.y;
    e.timer -= dt;
    e.x += cosf(e.target_angle) * ENEMY_WALK_SPEED * dt;
    e.y += sinf(e.target_angle) * ENEMY_WALK_SPEED * dt;
    // A long frame can carry the body off the grid before the frame test
    // below brings it back; its cell stays on the grid all the same.
    e.cell_x = CellOnGrid(e.x, CellWidth, LevelWidth);
    e.cell_y = CellOnGrid(e.y, CellHeight, LevelHeight);
    PushOutOfBlockedCells(&e.x, &e.y, man_radius);
    if (fabsf(e.x - x0) < 10 * dt && fabsf(e.y - y0) < 10 * dt)
        EnemyDecide(i);  // stuck
    if (AtTarget(e))
        EnemyDecide(i);
    if (!InsideInnerFrame(e.x, e.y)) {
        e.x = x0;
        e.y = y0;
        EnemyDecide(i);
    }
}

static void StateStep(int i, float dt)
{
    switch (Enemies[i].state) {
    case ES_IDLE: IdleStep(i, dt); break;
    case ES_TURN: TurnStateStep(i, dt); break;
    case ES_ORIENT: OrientStep(i, dt); break;
    case ES_WALK: WalkStep(i, dt); break;
    case ES_STRIKE: StrikeStep(i); break;
    case ES_AIM: AimStep(i, dt); break;
    case ES_RECOVER: RecoverStep(i); break;
    default: EnemyDecide(i); break;
    }
}

static void AdvanceAnimations(enemy_struct& e, float dt)
{
    UpdateAnimation(e.legs_anim.get(), dt);
    UpdateAnimation(e.hands_anim.get(), dt);
    UpdateAnimation(e.head_anim.get(), dt);
}

void UpdateEnemies(float dt)
{
    for (const enemy_struct& c : Corpses)
        HoldDoorAt(c.cell_x, c.cell_y);
    for (size_t i = 0; i < Enemies.size();) {
        HoldDoorAt(Enemies[i].cell_x, Enemies[i].cell_y);
        bool finished = false;
        if (Enemies[i].dead) {
            finished = EnemyAnimationsStopped(Enemies[i]);
        } else if (Enemies[i].health <= 0) {
            KillEnemy((int)i);
            AlarmComrades((int)i);
        } else {
            NoticeShot((int)i);
            StateStep((int)i, dt);
        }
        AdvanceAnimations(Enemies[i], dt);
        if (finished)
            MoveEnemyToCorpses((int)i);
        else
            i++;
    }
}
