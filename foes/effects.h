// Short effect animations on the floor: sparks, blood, debris puffs and the
// grenade blast. Each plays its own copy of a shared animation once and is
// removed when it stops.
#pragma once

#include <memory>
#include <vector>

#include "assets/animation.h"

struct effect_struct {
    float x, y;       // world pixels
    float angle;      // drawing angle
    float delay;      // seconds before the animation starts to advance
    int32_t cell;     // CellIndex of the cell containing (x, y)
    std::unique_ptr<hgeAnimation> anim;
};

extern std::vector<effect_struct> Effects;  // drawing order

// Adds an effect playing a copy of Sprites[kind] (SPR_SPARK .. SPR_BLOOD),
// when (x, y) lies strictly inside the storey less its last row and column.
void SpawnEffect(float x, float y, float angle, float delay, int kind);
struct object_struct;
// One debris puff over every cell an object covers, each at a random angle,
// scattered up to `scatter` pixels about the cell's centre and started after
// `delay` plus up to 0.1 s.
void SpawnDebris(const object_struct& o, float scatter, float delay);
// Counts delays down, advances the rest, removes those that stopped (the last
// record takes the place of a removed one).
void UpdateEffects(float dt);
