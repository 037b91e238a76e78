// How long an animation takes to play through once.
#pragma once

#include "assets/animation.h"

// Seconds a copy takes playing forward without looping, measured in 1 ms
// steps (at most 10 s); -1 for a missing animation.
float PlayThrough(const hgeAnimation* a);
