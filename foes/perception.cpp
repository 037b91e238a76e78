#include "foes/perception.h"

#include <climits>
#include <cmath>

#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/program.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "world/grid_line.h"
#include "world/player_state.h"
#include "world/storey.h"

const int HearingBandSq = 900;  // squared cells: a shot is heard 30 columns or rows away

// How one stimulus changes the alarm in one band: it is set to, or raised
// by, amount plus a random part Random_Int(lo, hi) (none when lo > hi);
// ALARM_ONE_IN_SIX raises it by 1 with a chance of 1 in 6.
enum { ALARM_KEEP, ALARM_SET, ALARM_ADD, ALARM_ONE_IN_SIX };

struct alarm_rule_struct {
    int op;
    int amount;
    int lo, hi;
};

static constexpr alarm_rule_struct AlarmKept()
{
    return {ALARM_KEEP, 0, 1, 0};
}
static constexpr alarm_rule_struct AlarmSetTo(int amount, int lo = 1, int hi = 0)
{
    return {ALARM_SET, amount, lo, hi};
}
static constexpr alarm_rule_struct AlarmRaisedBy(int amount, int lo = 1, int hi = 0)
{
    return {ALARM_ADD, amount, lo, hi};
}
static constexpr alarm_rule_struct AlarmRaisedOneInSix()
{
    return {ALARM_ONE_IN_SIX, 1, 1, 0};
}

enum { ROW_STRUCK_WEAK, ROW_STRUCK, ROW_COMRADE, ROW_HEARD, ROW_SAW, ALARM_ROWS };

// Columns: unarmed calm, alerted, panicked; armed calm, alerted, panicked.
static const alarm_rule_struct AlarmRules[ALARM_ROWS][6] = {
    // struck, health below 4
    {AlarmSetTo(20, 1, 3), AlarmSetTo(18, 1, 3), AlarmRaisedOneInSix(), AlarmSetTo(18, 1, 4), AlarmSetTo(18, 1, 4),
     AlarmRaisedBy(1)},
    // struck
    {AlarmRaisedBy(0, 5, 10), AlarmRaisedBy(0, 1, 3), AlarmRaisedBy(1), AlarmSetTo(10, 1, 3), AlarmRaisedBy(1),
     AlarmKept()},
    // a comrade died
    {AlarmSetTo(10), AlarmRaisedBy(5, 1, 3), AlarmRaisedBy(1), AlarmSetTo(10, 1, 5), AlarmRaisedBy(1),
     AlarmRaisedBy(1)},
    // heard a shot
    {AlarmRaisedBy(0, 1, 2), AlarmRaisedBy(0, 0, 3), AlarmKept(), AlarmRaisedBy(0, 1, 5), AlarmKept(), AlarmKept()},
    // saw a shot
    {AlarmRaisedBy(10), AlarmRaisedBy(0, 1, 5), AlarmRaisedOneInSix(), AlarmSetTo(10), AlarmKept(), AlarmKept()},
};

static int AlarmBand(int alarm)
{
    return alarm < ALARM_ALERTED ? 0 : alarm < ALARM_PANICKED ? 1 : 2;
}

static int AlarmRow(const enemy_struct& e, int stimulus)
{
    switch (stimulus) {
    case STIM_STRUCK: return e.health < 4 ? ROW_STRUCK_WEAK : ROW_STRUCK;
    case STIM_COMRADE_DIED: return ROW_COMRADE;
    case STIM_HEARD_SHOT: return ROW_HEARD;
    case STIM_SAW_SHOT: return ROW_SAW;
    }
    return -1;
}

// Every change of an enemy's alarm goes through here. A panicked enemy keeps
// gaining alarm; it stops at the field's limit rather than turning calm.
static void SetAlarm(enemy_struct& e, int alarm)
{
    e.alarm = (int16_t)(alarm > SHRT_MAX ? SHRT_MAX : alarm);
}

static void ApplyAlarmRule(enemy_struct& e, const alarm_rule_struct& r)
{
    int change = r.amount;
    switch (r.op) {
    case ALARM_KEEP: return;
    case ALARM_ONE_IN_SIX:
        if (hge->Random_Int(0, 5) == 0)
            SetAlarm(e, e.alarm + 1);
        return;
    }
    if (r.lo <= r.hi)
        change += hge->Random_Int(r.lo, r.hi);
    SetAlarm(e, r.op == ALARM_SET ? change : e.alarm + change);
}

void RaiseAlarm(int i, int stimulus)
{
    if (i < 0 || i >= (int)Enemies.size() || Enemies[i].dead)
        return;
    enemy_struct& e = Enemies[i];
    int row = AlarmRow(e, stimulus);
    if (row < 0)
        return;
    // A shot heard brings back a faded memory of the player.
    if (stimulus == STIM_HEARD_SHOT && e.contact < 3)
        e.contact += hge->Random_Int(0, 5);
    int column = AlarmBand(e.alarm) + (e.weapon != WEAPON_NONE ? 3 : 0);
    ApplyAlarmRule(e, AlarmRules[row][column]);
}

static bool BlocksSight(int x, int y)
{
    int o = ObjectMap[CellIndex(x, y)];
    if (o < 0)
        return false;
    int kind = ObjectTypeOf(Objects[o]).kind;
    return kind == KIND_WALL || (kind == KIND_DOOR && Objects[o].door_state < DOOR_OPENING);
}

bool LineOfSight(int x1, int y1, int x2, int y2)
{
    int n = GridLineSteps(x1, y1, x2, y2);
    for (int k = 1; k <= n; k++) {
        int cx, cy;
        GridLineCell(x1, y1, x2, y2, k, n, &cx, &cy);
        if (!CellInside(cx, cy) || BlocksSight(cx, cy))
            return false;
    }
    return true;
}

int TurnSign(float from, float to)
{
    float d = fmodf(to - from, 2 * Pi);
    if (d > Pi)
        d -= 2 * Pi;
    if (d < -Pi)
        d += 2 * Pi;
    return d > 0 ? 1 : -1;
}

float FacingAngleTo(float x1, float y1, float x2, float y2, float fallback)
{
    if (x1 == x2 && y1 == y2)
        return fallback;
    float a = AngleTo(x1, y1, x2, y2);
    if (a > Pi)
        a -= 2 * Pi;
    if (a < -Pi)
        a += 2 * Pi;
    return a;
}

void NoticeShot(int i)
{
    if (!ShotNoise)
        return;
    const enemy_struct& e = Enemies[i];
    if (LineOfSight(e.cell_x, e.cell_y, PlayerCellX, PlayerCellY)) {
        RaiseAlarm(i, STIM_SAW_SHOT);
        return;
    }
    int dx = PlayerCellX - e.cell_x, dy = PlayerCellY - e.cell_y;
    if (dx * dx < HearingBandSq || dy * dy < HearingBandSq)
        RaiseAlarm(i, STIM_HEARD_SHOT);
}

void AlarmComrades(int i)
{
    int x = Enemies[i].cell_x, y = Enemies[i].cell_y;
    for (int j = 0; j < (int)Enemies.size(); j++)
        if (j != i && LineOfSight(x, y, Enemies[j].cell_x, Enemies[j].cell_y))
            RaiseAlarm(j, STIM_COMRADE_DIED);
}

static bool GrenadeSeenFrom(int x, int y)
{
    for (const grenade_struct& g : Grenades)
        if (LineOfSight(x, y, CellTowardZero(g.x, CellWidth), CellTowardZero(g.y, CellHeight)))
            return true;
    return false;
}

bool NoticeGrenade(int i)
{
    enemy_struct& e = Enemies[i];
    if (!GrenadeSeenFrom(e.cell_x, e.cell_y))
        return false;
    bool armed = e.weapon != WEAPON_NONE;
    if (e.alarm < (armed ? ALARM_ALERTED : ALARM_PANICKED))
        SetAlarm(e, ALARM_PANICKED + 1);
    else if (armed && e.alarm < ALARM_PANICKED)
        SetAlarm(e, 18 + hge->Random_Int(1, 3));
    return true;
}

static bool StandsInLight(const enemy_struct& e)
{
    return CellInside(e.cell_x, e.cell_y) && LightMap[CellIndex(e.cell_x, e.cell_y)] != 0;
}

// Seeing the player with a weapon in hand.
static void AlarmedByArmedPlayer(enemy_struct& e)
{
    if (e.weapon == WEAPON_NONE) {
        if (e.alarm < ALARM_ALERTED)
            SetAlarm(e, ALARM_ALERTED);
        else if (e.alarm < ALARM_PANICKED && hge->Random_Int(0, 5) == 0)
            SetAlarm(e, e.alarm + 1);
    } else if (e.alarm < ALARM_ALERTED) {
        SetAlarm(e, e.alarm + hge->Random_Int(1, 5));
    }
}

void NoticeLight(int i)
{
    enemy_struct& e = Enemies[i];
    if (StandsInLight(e)) {
        e.contact = CONTACT_REFRESH;
        if (CurrentWeapon != WEAPON_NONE)
            AlarmedByArmedPlayer(e);
        return;
    }
    if (e.contact > 0)
        e.contact--;
    // An unarmed enemy calms down more slowly than an armed one.
    int odds = e.weapon == WEAPON_NONE ? 50 : 15;
    if (e.alarm >= ALARM_ALERTED && hge->Random_Int(0, odds) == 0)
        SetAlarm(e, e.alarm - 1);
}
