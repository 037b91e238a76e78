#include "foes/combat.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/character_sets.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "world/angles.h"
#include "world/player_state.h"
#include "world/storey.h"


// Heights, in the unit of an object type's "Size".
const float BulletCeiling = 120;        // a bullet above this flies away unseen
const float LivingEnemyHeight = 80;
const float DyingEnemyHeight = 25;
const float StandingPlayerHeight = 100;
const float CrouchingPlayerHeight = 60;
const float EnemyGunHeight = 75;        // also where it aims at a standing player
const float CrouchingAimHeight = 40;

const float ImpactStagger = 0.05f;  // seconds between the impacts of one bullet

void KillEnemy(int i)
{
    enemy_struct& e = Enemies[i];
    BonusPoints += 1;
    BonusPopupTime = 2.0f;
    e.dead = 1;
    e.legs_anim.reset(PlayOnceCopy(LegsAnimation(e.legs_set, LEGS_DEAD)));
    e.hands_anim.reset(PlayOnceCopy(HandsDeadAnimation(e.hands_set)));
    e.head_anim.reset(PlayOnceCopy(HeadAnimation(e.head_set, HEAD_DEAD)));
}

void StrikeStep(int i)
{
    enemy_struct& e = Enemies[i];
    if (AnimationPlaying(e.hands_anim.get()))
        return;
    float dx = e.x - PlayerX, dy = e.y - PlayerY;
    if (dx * dx + dy * dy < ENEMY_STRIKE_RANGE_SQ) {
        if (SoundOn)
            PlaySound(SND_HIT_1 + hge->Random_Int(1, 3) - 1);
        KillerX = e.x;
        KillerY = e.y;
        Health -= ENEMY_MELEE_DAMAGE;
        SpawnEffect(PlayerX, PlayerY, e.angle, 0, SPR_BLOOD);
    } else {
        PlaySound(SND_HIT_MISS);
    }
    e.state = ES_IDLE;
    e.timer = hge->Random_Float(0.2f, 0.5f);
}

struct enemy_gun_struct {
    int sound;
    int bullets;
    float spread;   // each bullet's angle varies by up to this much either way
    bool scatter;   // each bullet's slope varies as well
};

static const enemy_gun_struct EnemyGuns[WEAPON_RIFLE + 1] = {
    {0, 0, 0, false},
    {SND_REVOLVER_FIRE, 1, 0.1f, false},
    {SND_PISTOL_FIRE, 1, 0.1f, false},
    {SND_SHOTGUN_FIRE, 5, 0.2f, true},
    {SND_RIFLE_FIRE, 1, 0.1f, false},
};

static bool UnusableWeaponReported = false;

void ForgetUnusableWeaponReport()
{
    UnusableWeaponReported = false;
}

static void FireEnemyGun(enemy_struct& e, float slope)
{
    int w = e.weapon;
    if (w < WEAPON_REVOLVER || w > WEAPON_RIFLE) {
        if (!UnusableWeaponReported)
            hge->System_MessageBox(Tr("Противники не могут атаковать таким оружием"_cp), "Error", MB_OK | MB_ICONERROR);
        UnusableWeaponReported = true;
        // No firing animation plays that the enemy could wait for, so it
        // rests as after a shot instead.
        e.state = ES_IDLE;
        e.timer = hge->Random_Float(0.3f, 1.2f);
        return;
    }
    const enemy_gun_struct& gun = EnemyGuns[w];
    PlayEnemyHandsOnce(e, w, HANDS_FIRE);
    PlaySound(gun.sound);
    for (int k = 0; k < gun.bullets; k++) {
        float angle = e.angle + hge->Random_Float(-gun.spread, gun.spread);
        float s = gun.scatter ? slope * hge->Random_Float(0.95f, 1.05f) : slope;
        FireShot(e.x, e.y, angle, ShotDamage[w], EnemyGunHeight, s, false, true);
    }
}

void AimStep(int i, float dt)
{
    enemy_struct& e = Enemies[i];
    if (e.timer > 0) {
        e.timer -= dt;
        return;
    }
    e.state = ES_RECOVER;
    ShowEnemyLegs(e, LEGS_STOIT);
    // An enemy on the player's very spot would divide by zero.
    float dist = std::max(hypotf(PlayerX - e.x, PlayerY - e.y), 1.0f);
    float target = Crouching ? CrouchingAimHeight : EnemyGunHeight;
    float slope = (target - EnemyGunHeight) / dist * hge->Random_Float(0.95f, 1.05f);
    FireEnemyGun(e, slope);
}

void RecoverStep(int i)
{
    enemy_struct& e = Enemies[i];
    if (AnimationPlaying(e.hands_anim.get()))
        return;
    e.state = ES_IDLE;
    e.timer = hge->Random_Float(0.3f, 1.2f);
}

// One bullet on its way.
struct bullet_struct {
    float x, y;          // the shooter
    float angle;
    int power;
    float height;
    float bx, by;        // where it is now
    int cx, cy;          // its cell
    int prevX, prevY;    // the cell of the step before
    float delay;         // of the next impact's effect
};

// Enemies near enough to the firing line to be hit somewhere along it.
static void FindCandidates(const bullet_struct& b, std::vector<int>* out)
{
    float nx = cosf(b.angle + Pi / 2), ny = sinf(b.angle + Pi / 2);
    float c = b.x * nx + b.y * ny;
    for (int j = 0; j < (int)Enemies.size(); j++)
        if (fabsf(Enemies[j].x * nx + Enemies[j].y * ny - c) < man_radius)
            out->push_back(j);
}

static void Impact(bullet_struct& b, float x, float y, float angle, int kind)
{
    SpawnEffect(x, y, angle, b.delay, kind);
    b.delay += ImpactStagger;
}

// A wall or a closed door takes at least 10 power, and all of it from a
// weak bullet; the spark lights on the edge the bullet crossed.
static void StopInWall(bullet_struct& b)
{
    b.power = b.power < 11 ? 0 : b.power - hge->Random_Int(10, b.power);
    float sx = b.cx != b.prevX ? (float)(std::max(b.cx, b.prevX) * CellWidth) : b.bx;
    float sy = b.cy != b.prevY ? (float)(std::max(b.cy, b.prevY) * CellHeight) : b.by;
    Impact(b, sx, sy, b.angle + Pi, SPR_SPARK);
}

static bool HitsObject(const bullet_struct& b, const object_type_struct& t)
{
    return b.height < t.size && hge->Random_Int(0, 100) < t.hit_chance;
}

// Any hit breaks a breakable object, whatever hit points it has left.
static void BreakFurniture(bullet_struct& b, int o)
{
    bool vanishes = ObjectTypeOf(Objects[o]).remains.empty();
    int d = hge->Random_Int(1, b.power);
    SpawnDebris(Objects[o], 4, b.delay);
    b.power -= d;
    BreakObject(o);
    if (vanishes)
        BonusPopupTime = 2.0f;
}

static void HitObjectInCell(bullet_struct& b)
{
    int o = ObjectMap[CellIndex(b.cx, b.cy)];
    if (o < 0)
        return;
    const object_type_struct& t = ObjectTypeOf(Objects[o]);
    switch (t.kind) {
    case KIND_DOOR:
        if (Objects[o].door_state > DOOR_CLOSING)
            break;
        [[fallthrough]];
    case KIND_WALL: StopInWall(b); break;
    case KIND_FIXTURE:
        if (HitsObject(b, t)) {
            int d = hge->Random_Int(1, b.power);
            Impact(b, b.bx, b.by, b.angle, SPR_SPARK);
            b.power -= d;
        }
        break;
    case KIND_FURNITURE:
    case KIND_FURNITURE_B:
        if (HitsObject(b, t))
            BreakFurniture(b, o);
        break;
    }
}

static void HitEnemies(bullet_struct& b, const std::vector<int>& candidates)
{
    for (int j : candidates) {
        if (b.power < 1)
            return;
        enemy_struct& e = Enemies[j];
        bool near = fabsf(e.x - b.bx) < man_radius && fabsf(e.y - b.by) < man_radius;
        bool low = b.height < (e.dead ? DyingEnemyHeight : LivingEnemyHeight);
        if (near && low && hge->Random_Int(0, 100) < 85) {
            int d = hge->Random_Int(1, b.power);
            e.health -= 5 * d;
            Impact(b, b.bx, b.by, b.angle, SPR_BLOOD);
            b.power -= d;
        }
    }
}

// Damage per point of power: armour takes part of it.
static int ArmourFactor()
{
    if (HasHelmet && HasVest)
        return 2;
    if (HasVest)
        return 3;
    return HasHelmet ? 4 : 5;
}

// A crouching player is lower and harder to hit.
static bool PlayerHitAt(float height)
{
    if (Crouching)
        return height < CrouchingPlayerHeight && hge->Random_Int(0, 100) < 40;
    return height < StandingPlayerHeight && hge->Random_Int(0, 100) < 80;
}

// At most one wound per step: the bullet moves on before it can hit again.
static void HitPlayer(bullet_struct& b)
{
    bool near = fabsf(PlayerX - b.bx) < man_radius && fabsf(PlayerY - b.by) < man_radius;
    if (b.power < 1 || !near || !PlayerHitAt(b.height))
        return;
    int d = hge->Random_Int(1, b.power);
    KillerX = b.x;
    KillerY = b.y;
    Health -= d * ArmourFactor();
    Impact(b, b.bx, b.by, b.angle, SPR_BLOOD);
    b.power -= d;
}

void FireShot(float x, float y, float angle, int power, float height, float slope, bool playerSafe, bool enemiesSafe)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(angle))
        return;
    bullet_struct b = {x, y, angle, power, height, x, y, CellOrOutside(x, CellWidth), CellOrOutside(y, CellHeight), 0, 0, 0};
    float dx = cosf(angle) * CellWidth, dy = sinf(angle) * CellHeight;
    float climb = slope * CellWidth;
    std::vector<int> candidates;
    if (!enemiesSafe)
        FindCandidates(b, &candidates);
    while (b.power > 0) {
        b.prevX = b.cx, b.prevY = b.cy;
        b.bx += dx;
        b.by += dy;
        b.cx = CellOrOutside(b.bx, CellWidth);
        b.cy = CellOrOutside(b.by, CellHeight);
        b.height += climb;
        if (!CellInside(b.cx, b.cy) || b.height > BulletCeiling)
            return;
        if (b.height < 0) {
            SpawnEffect(b.bx, b.by, angle, b.delay, SPR_SPARK);
            return;
        }
        HitObjectInCell(b);
        if (!enemiesSafe)
            HitEnemies(b, candidates);
        if (!playerSafe)
            HitPlayer(b);
    }
}
