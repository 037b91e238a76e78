#include "foes/grenades.h"

#include <algorithm>
#include <cmath>

#include "foes/combat.h"
#include "foes/effects.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "world/angles.h"
#include "world/player_state.h"
#include "world/storey.h"

std::vector<grenade_struct> Grenades;

const float LaunchHeight = 80.0f;
const float PeakHeight = 120.0f;
const float LaunchSpeed = 200.0f;
const float FuseSeconds = 4.0f;
const int ShrapnelRings = 2;
const int TracesPerRing = 14;

static void SetVelocity(grenade_struct& g, float speed)
{
    g.vx = cosf(g.direction) * speed;
    g.vy = sinf(g.direction) * speed;
}

void ThrowGrenade(float x, float y, float tx, float ty)
{
    grenade_struct g{};
    g.x = x;
    g.y = y;
    g.cell = CellIndex(CellTowardZero(x, CellWidth), CellTowardZero(y, CellHeight));
    float d = hypotf(tx - x, ty - y);
    // A throw at its own start point has no direction and no arc: it goes
    // along +x and lands a pixel away.
    g.direction = d > 0 ? AngleTo(x, y, tx, ty) : 0.0f;
    d = std::max(d, 1.0f);
    g.rotation = 0;
    g.spin = hge->Random_Float(-0.2f, 0.2f);
    g.height = LaunchHeight;
    g.fuse = FuseSeconds;
    g.speed = LaunchSpeed;
    SetVelocity(g, LaunchSpeed);
    // The arc tops out at the peak height and comes down to the floor after
    // d pixels.
    float h0 = LaunchHeight, H = PeakHeight;
    g.climb = (-d - sqrtf(d * d * (1 - h0 / (h0 - H)))) * 2 * (h0 - H) / d / d;
    g.climb_change = g.climb * g.climb / 2 / (h0 - H);
    Grenades.push_back(g);
}

static void BounceSound()
{
    PlayRandomSound(SND_GRENADE_FLOOR_1, 3);
}

// Off the floor or a furniture top: the grenade hops back up at half the
// climb. Its pace over the floor is set from the speed before this bounce
// halves it, so the pace falls one bounce after the hops flatten.
static void FloorBounce(grenade_struct& g, float turn, bool sound)
{
    if (sound)
        BounceSound();
    g.direction += hge->Random_Float(-0.1f, 0.1f);
    g.rotation += hge->Random_Float(-turn, turn);
    g.spin = hge->Random_Float(-1, 1);
    SetVelocity(g, g.speed);
    g.speed *= 0.5f;
    g.height = -g.height;
    g.climb = -0.5f * g.climb;
}

// Off a wall, a closed door or furniture too tall to fly over: an edge
// crossed between columns turns x back, one between rows turns y back.
static void SideBounce(grenade_struct& g, float turn, bool acrossColumn, bool acrossRow)
{
    if (acrossColumn)
        g.direction = Pi - g.direction + hge->Random_Float(-0.1f, 0.1f);
    if (acrossRow)
        g.direction = -g.direction + hge->Random_Float(-0.1f, 0.1f);
    BounceSound();
    g.rotation += hge->Random_Float(-turn, turn);
    g.spin = hge->Random_Float(-1, 1);
    g.speed *= 0.5f;
    SetVelocity(g, g.speed);
}

static bool Furniture(int kind)
{
    return kind == KIND_FURNITURE || kind == KIND_FIXTURE || kind == KIND_FURNITURE_B;
}

static bool Falling(const grenade_struct& g, float floor)
{
    return g.height < floor && g.climb < 0;
}

// The grenade over an object it was already over: it may land on its top.
static void ContactWithin(grenade_struct& g, const object_struct& o)
{
    const object_type_struct& type = ObjectTypeOf(o);
    float size = (float)type.size;
    if (Furniture(type.kind) && Falling(g, size)) {
        float below = g.height;
        FloorBounce(g, 0.1f, true);
        g.height = 2 * size - below;  // mirrored about the top, not the floor
    } else if (type.kind == KIND_DOOR && o.door_state >= DOOR_OPENING && Falling(g, 0)) {
        FloorBounce(g, 0.1f, true);
    }
}

// The grenade has just entered the object's cell: it may bounce off its side.
static void ContactEntering(grenade_struct& g, const object_struct& o, bool acrossColumn, bool acrossRow)
{
    const object_type_struct& type = ObjectTypeOf(o);
    if (type.kind == KIND_WALL)
        SideBounce(g, 0.1f, acrossColumn, acrossRow);
    else if (Furniture(type.kind) && g.height < type.size)
        SideBounce(g, 1.0f, acrossColumn, acrossRow);
    else if (type.kind == KIND_DOOR && o.door_state <= DOOR_CLOSING)
        SideBounce(g, 1.0f, acrossColumn, acrossRow);
}

// Rugs, papers and other flat things lie on the floor: a grenade lands on
// them as on the floor itself rather than sinking through.
static bool LiesFlat(int kind)
{
    return kind != KIND_WALL && kind != KIND_DOOR && !Furniture(kind);
}

static void Contact(grenade_struct& g, int oldColumn, int oldRow, int column, int row)
{
    int o = ObjectMap[g.cell];
    if (o < 0 || LiesFlat(ObjectTypeOf(Objects[o]).kind)) {
        if (Falling(g, 0))
            FloorBounce(g, 1.0f, g.speed > 10);
    } else if (column == oldColumn && row == oldRow) {
        ContactWithin(g, Objects[o]);
    } else {
        ContactEntering(g, Objects[o], column != oldColumn, row != oldRow);
    }
}

// Shrapnel: two rings of traces that start just above the floor and rise
// at random, through walls' sparks, furniture, enemies and the player alike.
static void Explode(float x, float y)
{
    PlaySound(SND_GRENADE_EXPLOSION);
    for (int ring = 0; ring < ShrapnelRings; ring++) {
        for (int k = 1; k <= TracesPerRing; k++) {
            float angle = hge->Random_Float(0, Pi / 4) + 0.42f * k;
            float slope = hge->Random_Float(0, 0.5f);
            FireShot(x, y, angle, ShotDamage[WEAPON_GRENADE], 0.5f, slope, false, false);
        }
    }
    SpawnEffect(x, y, hge->Random_Float(0, 2 * Pi), 0.0f, SPR_BLAST);
}

// Moves a grenade one frame; false when it has left the storey.
static bool Fly(grenade_struct& g, float dt)
{
    int oldColumn = CellTowardZero(g.x, CellWidth), oldRow = CellTowardZero(g.y, CellHeight);
    g.x += g.vx * dt;
    g.y += g.vy * dt;
    int column = CellTowardZero(g.x, CellWidth), row = CellTowardZero(g.y, CellHeight);
    g.rotation += g.spin * dt;
    if (!CellInside(column, row))
        return false;
    g.height += g.climb * g.speed * dt;
    g.climb += g.climb_change * g.speed * dt;
    g.cell = CellIndex(column, row);
    Contact(g, oldColumn, oldRow, column, row);
    return true;
}

void UpdateGrenades(float dt)
{
    for (size_t i = 0; i < Grenades.size();) {
        grenade_struct& g = Grenades[i];
        if (!Fly(g, dt)) {
            Grenades.erase(Grenades.begin() + i);
            continue;
        }
        g.fuse -= dt;
        if (g.fuse < 0) {
            Explode(g.x, g.y);
            Grenades.erase(Grenades.begin() + i);
            continue;
        }
        i++;
    }
}
