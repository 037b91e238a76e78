// A person's limits on the autopilot (--novice): he takes a while to react
// to an enemy coming in sight, his aim wanders, his hand moves the mouse at
// its own pace, and he knows of an enemy only what he saw of it.
#pragma once

#include <cstdint>

// Whether the autopilot plays as a novice this run.
bool NovicePlays();
// A new run: the novice's own dice, from the run's seed (the game's are
// left alone, so the novice changes nothing but his own input).
void StartNovice(bool novice, uint32_t seed);

// Frames between first seeing an enemy and the first shot or blow at it:
// at least 0.35 s, a little more at times.
int NoviceReactionFrames();

// Advances the aim's wander by a frame.
void WanderAim();
// The point he believes to be (x, y): turned about the player by the
// wander, at most 0.1 radians.
void WanderedPoint(float x, float y, float* wx, float* wy);

// Pixels the novice's hand moves the mouse in a frame, at most.
const float NoviceMouseStep = 20;
