#include "tools/sim/soak.h"

#include <cmath>
#include <random>

#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "player/movement.h"

namespace {

// Random input in the order a script lists it: events are added frame by
// frame, so the list stays sorted.
struct soak_writer_struct {
    std::mt19937 rng;
    std::vector<InputEvent> events;
    bool held[256] = {};

    int Roll(int n) { return (int)(rng() % (uint32_t)n); }
    bool Chance(int inN) { return Roll(inN) == 0; }

    void Key(int frame, int key, bool down)
    {
        InputEvent e;
        e.frame = frame;
        e.kind = down ? INPUT_DOWN : INPUT_UP;
        e.key = key;
        events.push_back(e);
        held[key] = down;
    }
    void Toggle(int frame, int key) { Key(frame, key, !held[key]); }
    void Tap(int frame, int key)
    {
        if (held[key])
            Key(frame, key, false);
        Key(frame, key, true);
        Key(frame, key, false);
    }
    void Mouse(int frame, float x, float y)
    {
        InputEvent e;
        e.frame = frame;
        e.kind = INPUT_MOUSE;
        e.x = x;
        e.y = y;
        events.push_back(e);
    }
};

const int MovementKeys[] = {'W', 'A', 'S', 'D'};
const int OccasionalKeys[] = {'R', '1', '2', '3', ' ', 'Q', 9 /* Tab */};

void PlayerLikeFrame(soak_writer_struct& w, int frame)
{
    if (w.Chance(25))
        w.Toggle(frame, MovementKeys[w.Roll(4)]);
    if (w.Chance(6))
        w.Mouse(frame, (float)w.Roll(801), (float)w.Roll(591));
    if (w.Chance(20))
        w.Toggle(frame, 1);  // the left button: a tap or held fire
    if (w.Chance(90))
        w.Tap(frame, 2);
    if (w.Chance(120))
        w.Toggle(frame, 16);  // Shift: crouch
    if (w.Chance(60))
        w.Tap(frame, OccasionalKeys[w.Roll(7)]);
    if (w.Chance(2500))
        w.Tap(frame, 27);  // Escape: to the menu (and later Space back)
}

}  // namespace

std::vector<InputEvent> MakeSoakInput(int frames, uint32_t seed)
{
    soak_writer_struct w;
    w.rng.seed(seed);
    for (int frame = 0; frame < frames; frame++)
        PlayerLikeFrame(w, frame);
    return w.events;
}

static bool Finite(float v)
{
    return std::isfinite(v);
}

bool GameStateIsFinite(std::string* what)
{
    if (!Finite(PlayerX) || !Finite(PlayerY) || !Finite(PlayerAngle)) {
        *what = "the player's position or facing";
        return false;
    }
    if (!Finite(CameraX) || !Finite(CameraY) || !Finite(AimX) || !Finite(AimY)) {
        *what = "the camera or the aim point";
        return false;
    }
    for (const enemy_struct& e : Enemies) {
        if (!Finite(e.x) || !Finite(e.y) || !Finite(e.angle) || !Finite(e.target_angle)) {
            *what = "an enemy's position or facing";
            return false;
        }
    }
    for (const grenade_struct& g : Grenades) {
        if (!Finite(g.x) || !Finite(g.y) || !Finite(g.height) || !Finite(g.climb)) {
            *what = "a grenade's position or height";
            return false;
        }
    }
    for (const effect_struct& e : Effects) {
        if (!Finite(e.x) || !Finite(e.y)) {
            *what = "an effect's position";
            return false;
        }
    }
    return true;
}
