#include "world/angles.h"

#include <cmath>

float AngleTo(float x1, float y1, float x2, float y2)
{
    float dx = x2 - x1, dy = y2 - y1;
    float a = atanf(dy / dx);
    if (dx < 0)
        a += Pi;
    else if (dy < 0)
        a += 2 * Pi;
    return a;
}
