#include "foes/effects.h"

#include <cmath>

#include "frame/program.h"
#include "frame/resources.h"
#include "world/angles.h"
#include "world/storey.h"

std::vector<effect_struct> Effects;

void SpawnEffect(float x, float y, float angle, float delay, int kind)
{
    bool inside = x > 0 && x < (LevelWidth - 1) * CellWidth && y > 0 && y < (LevelHeight - 1) * CellHeight;
    if (!inside || kind < 0 || kind >= SPRITE_COUNT)
        return;
    effect_struct e;
    e.x = x;
    e.y = y;
    e.angle = angle;
    e.delay = delay;
    e.cell = CellIndex(CellTowardZero(x, CellWidth), CellTowardZero(y, CellHeight));
    e.anim.reset(CopyAnimation(Sprites[kind]));
    Effects.push_back(std::move(e));
}

void SpawnDebris(const object_struct& o, float scatter, float delay)
{
    int w, h;
    ObjectFootprint(o, &w, &h);
    for (int i = 0; i < w; i++) {
        for (int j = 0; j < h; j++) {
            float x = (o.cell_x + 0.5f + i) * CellWidth + hge->Random_Float(-scatter, scatter);
            float y = (o.cell_y + 0.5f + j) * CellHeight + hge->Random_Float(-scatter, scatter);
            float angle = hge->Random_Float(0, 2 * Pi);
            SpawnEffect(x, y, angle, delay + hge->Random_Float(0, 0.1f), SPR_DEBRIS);
        }
    }
}

void UpdateEffects(float dt)
{
    for (size_t i = 0; i < Effects.size();) {
        effect_struct& e = Effects[i];
        bool finished = false;
        if (e.delay > 0) {
            e.delay -= dt;
        } else {
            UpdateAnimation(e.anim.get(), dt);
            finished = !AnimationPlaying(e.anim.get());
        }
        if (finished) {
            if (i + 1 < Effects.size())
                Effects[i] = std::move(Effects.back());
            Effects.pop_back();
        } else {
            i++;
        }
    }
}
