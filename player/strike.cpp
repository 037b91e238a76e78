#include "player/strike.h"

#include <cmath>

#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/perception.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "world/angles.h"
#include "world/player_state.h"
#include "world/storey.h"

struct offset_struct {
    int dx, dy;  // column and row added to the player's cell
};

// The neighbour cells a blow can reach, tried in order, by facing sector.
static const offset_struct SectorCells[9][3] = {
    {{-1, 0}, {-1, -1}, {-1, 1}},  // west
    {{-1, -1}, {-1, 0}, {0, -1}},  // north-west
    {{0, -1}, {-1, -1}, {1, -1}},  // north
    {{1, -1}, {0, -1}, {1, 0}},    // north-east
    {{1, 0}, {1, -1}, {1, 1}},     // east
    {{1, 1}, {0, 1}, {1, 0}},      // south-east
    {{0, 1}, {-1, 1}, {1, 1}},     // south
    {{-1, 1}, {0, 1}, {-1, 0}},    // south-west
    {{-1, 0}, {-1, -1}, {-1, 1}},  // west again
};

int NearestEnemyInReach()
{
    int nearest = -1;
    float nearestSq = StrikeReachSq;
    for (size_t i = 0; i < Enemies.size(); i++) {
        const enemy_struct& e = Enemies[i];
        float dx = e.x - PlayerX, dy = e.y - PlayerY;
        float sq = dx * dx + dy * dy;
        if (e.health > 0 && sq < nearestSq) {
            nearest = (int)i;
            nearestSq = sq;
        }
    }
    return nearest;
}

// Brass knuckles double the blow of bare hands and handguns; a long gun
// strikes with its butt.
static int BlowDamage()
{
    bool longGun = CurrentWeapon == WEAPON_SHOTGUN || CurrentWeapon == WEAPON_RIFLE;
    return (HasKnuckles && !longGun) ? 2 * StrikeDamage : StrikeDamage;
}

static bool HitEnemy()
{
    int i = NearestEnemyInReach();
    if (i < 0)
        return false;
    Enemies[i].health -= BlowDamage();
    RaiseAlarm(i, STIM_STRUCK);
    SpawnEffect(Enemies[i].x, Enemies[i].y, PlayerAngle, 0.0f, SPR_BLOOD);
    return true;
}

int FacingSector(float angle)
{
    float s = (angle + 9 * Pi / 8) / (Pi / 4);
    if (!(s >= 0))
        return 0;
    return s >= 8 ? 8 : (int)s;
}

int FindStruckObject()
{
    for (const offset_struct& c : SectorCells[FacingSector(PlayerAngle)]) {
        int o = StruckObjectAt(PlayerCellX + c.dx, PlayerCellY + c.dy);
        if (o >= 0) {
            PlayerAngle = atan2f((float)c.dy, (float)c.dx);
            return o;
        }
    }
    return -1;
}

// One blow breaks any breakable object, however many hit points it has.
static void BreakStruckObject()
{
    StruckObject = FindStruckObject();
    if (StruckObject < 0)
        return;
    SpawnDebris(Objects[StruckObject], 2, 0);
    BreakObject(StruckObject);
    StruckObject = -1;
    BonusPopupTime = 2.0f;
}

void ResolveStrike()
{
    if (HitEnemy())
        PlayRandomSound(SND_HIT_1, 3);
    else
        PlaySound(SND_HIT_MISS);
    BreakStruckObject();
}
