#include "tools/autopilot/pilot_world.h"

#include <algorithm>
#include <cmath>

#include "editor/storey_check.h"
#include "foes/enemies.h"
#include "foes/perception.h"
#include "frame/modes.h"
#include "player/movement.h"

// A bullet flies at about chest height: a fixture standing taller stops it.
static const int TallFurniture = 70;
// Cells at least this bright are seen clearly; darker ones only fade.
static const int ClearlyLit = 200;

float ScreenXOf(float worldX)
{
    return worldX - CameraX + ViewCentre.x;
}

float ScreenYOf(float worldY)
{
    return worldY - CameraY + ViewCentre.y;
}

static bool OnScreen(float x, float y)
{
    float sx = ScreenXOf(x), sy = ScreenYOf(y);
    return sx >= 0 && sy >= 0 && sx < 800 && sy < 590;
}

static bool Seen(const enemy_struct& e)
{
    if (e.dead || e.health <= 0 || !CellInside(e.cell_x, e.cell_y))
        return false;
    return LightMap[CellIndex(e.cell_x, e.cell_y)] >= ClearlyLit && OnScreen(e.x, e.y);
}

static bool StopsBullet(int cell);

// The middle of the body, or a point to its side where the edge of a
// doorway hides the middle.
static void FindClearShot(seen_enemy_struct* s)
{
    static const float Sideways[] = {0, 12, -12, 20, -20};
    float length = std::max(s->distance, 1.0f);
    float nx = -(s->y - PlayerY) / length, ny = (s->x - PlayerX) / length;
    for (float d : Sideways) {
        float x = s->x + nx * d, y = s->y + ny * d;
        if (ClearShot(PlayerX, PlayerY, x, y)) {
            s->clearShot = true, s->aimX = x, s->aimY = y;
            return;
        }
    }
}

std::vector<seen_enemy_struct> SeenEnemies()
{
    std::vector<seen_enemy_struct> seen;
    for (int i = 0; i < (int)Enemies.size(); i++) {
        const enemy_struct& e = Enemies[i];
        if (!Seen(e))
            continue;
        seen_enemy_struct s = {i, e.head_anim.get(), e.x, e.y, std::hypot(e.x - PlayerX, e.y - PlayerY),
                               e.weapon != 0, e.alarm >= ALARM_ALERTED && e.alarm < ALARM_PANICKED, false, e.x, e.y};
        FindClearShot(&s);
        seen.push_back(s);
    }
    std::sort(seen.begin(), seen.end(),
              [](const seen_enemy_struct& a, const seen_enemy_struct& b) { return a.distance < b.distance; });
    return seen;
}

static bool StopsBullet(int cell)
{
    int i = ObjectMap[cell];
    if (i < 0)
        return false;
    const object_struct& o = Objects[i];
    const object_type_struct& t = ObjectTypeOf(o);
    if (t.kind == KIND_WALL)
        return true;
    if (t.kind == KIND_DOOR)
        return o.door_state == DOOR_CLOSED || o.door_state == DOOR_CLOSING;
    // Furniture a bullet hits breaks, and what is left of the bullet flies on.
    return t.kind == KIND_FIXTURE && t.size > TallFurniture;
}

// Steps as a bullet does, a cell's width at a time, up to the target.
bool ClearShot(float x0, float y0, float x1, float y1)
{
    float length = std::hypot(x1 - x0, y1 - y0);
    if (length < 1)
        return true;
    float dx = (x1 - x0) / length * CellWidth, dy = (y1 - y0) / length * CellHeight;
    int steps = (int)(length / CellWidth);
    float bx = x0, by = y0;
    for (int k = 0; k < steps; k++) {
        bx += dx, by += dy;
        int cx = CellOfCoordinate(bx, CellWidth), cy = CellOfCoordinate(by, CellHeight);
        if (!CellInside(cx, cy) || StopsBullet(CellIndex(cx, cy)))
            return false;
    }
    return true;
}

int BreakableNextTo(int cx, int cy, const std::vector<int>& skipped, cell_struct* cell)
{
    for (int j = -1; j <= 1; j++) {
        for (int i = -1; i <= 1; i++) {
            int x = cx + i, y = cy + j;
            int o = (i || j) ? StruckObjectAt(x, y) : -1;
            if (o < 0 || ObjectTypeOf(Objects[o]).bonus <= 0)
                continue;
            if (std::find(skipped.begin(), skipped.end(), CellIndex(x, y)) != skipped.end())
                continue;
            *cell = {x, y};
            return o;
        }
    }
    return -1;
}

cell_struct NearestFreeCorner(float x, float y)
{
    int cx = (int)lroundf(x / CellWidth), cy = (int)lroundf(y / CellHeight);
    cell_struct best = {-1, -1};
    float bestDistance = 1e9f;
    for (int j = -1; j <= 1; j++) {
        for (int i = -1; i <= 1; i++) {
            int px = cx + i, py = cy + j;
            float d = std::hypot(px * (float)CellWidth - x, py * (float)CellHeight - y);
            if (d < bestDistance && CornerFree(px, py))
                best = {px, py}, bestDistance = d;
        }
    }
    return best;
}

static std::vector<cell_struct> WayFromPlayer(const std::function<bool(int, int)>& goal)
{
    cell_struct from = NearestFreeCorner(PlayerX, PlayerY);
    return from.x < 0 ? std::vector<cell_struct>{} : WayOnFoot(from, goal);
}

std::vector<cell_struct> WayToCard(int card)
{
    const cell_struct c = CardCell[card];
    return WayFromPlayer([c](int x, int y) { return x >= c.x && x <= c.x + 1 && y >= c.y && y <= c.y + 1; });
}

std::vector<cell_struct> WayToFurniture(const std::vector<int>& skipped, size_t reach)
{
    cell_struct found;
    std::vector<cell_struct> way = WayFromPlayer([&](int x, int y) { return BreakableNextTo(x, y, skipped, &found) >= 0; });
    return way.size() > reach ? std::vector<cell_struct>{} : way;
}

std::vector<cell_struct> WayToLift()
{
    return WayFromPlayer([](int x, int y) { return x >= LiftX && x <= LiftX + 2 && y >= LiftY && y <= LiftY + 2; });
}

static bool EnemySees(const seen_enemy_struct& e, int cellX, int cellY)
{
    const enemy_struct& enemy = Enemies[e.index];
    return LineOfSight(enemy.cell_x, enemy.cell_y, cellX, cellY);
}

bool SeesPlayer(const seen_enemy_struct& e)
{
    return EnemySees(e, PlayerCellX, PlayerCellY);
}

std::vector<cell_struct> WayToFiringPosition(const seen_enemy_struct& e, size_t reach, bool orHidden)
{
    // He stands a few pixels off a corner he walked to: the shot must be
    // clear from all round it.
    static const float Off[][2] = {{0, 0}, {-4, -4}, {4, -4}, {-4, 4}, {4, 4}};
    std::vector<cell_struct> way = WayFromPlayer([&](int x, int y) {
        float px = (float)x * CellWidth, py = (float)y * CellHeight;
        bool clear = std::all_of(std::begin(Off), std::end(Off),
                                 [&](const float* o) { return ClearShot(px + o[0], py + o[1], e.x, e.y); });
        bool hidden = !EnemySees(e, x - 1, y - 1) && !EnemySees(e, x, y - 1) && !EnemySees(e, x - 1, y) &&
                      !EnemySees(e, x, y);
        return clear || (orHidden && hidden);
    });
    return way.size() > reach ? std::vector<cell_struct>{} : way;
}
