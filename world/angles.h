// Angles shared by everyone who turns: the player toward the mouse, the
// enemies toward the player or their walk target, a grenade toward its aim.
#pragma once

#include <cmath>

const float Pi = (float)M_PI;

// The angle from (x1, y1) to (x2, y2), in [0, 2 pi).
float AngleTo(float x1, float y1, float x2, float y2);
