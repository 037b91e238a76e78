// One legs, hands and head set for tests, built from templates on a test
// texture.
#pragma once

#include "engine/hge.h"

// Every animation of the set is its own looping rectangle of frames x 10 x
// 10 pixels (legs on rows 0.., hands on rows 100.., head on rows 200..), so
// a test can tell which one the player plays.
void UseOneBodySet(HTEXTURE tex, int frames, float fps);
