#include "foes/perception.h"

#include <cmath>

int TurnSign(float from, float to)
{
    float d = fmodf(to - from, 2 * (float)M_PI);
    if (d > (float)M_PI)
        d -= 2 * (float)M_PI;
    if (d < -(float)M_PI)
        d += 2 * (float)M_PI;
    return d > 0 ? 1 : -1;
}

// Perception is being built; until then nothing alarms an enemy and walls
// hide nothing.
void RaiseAlarm(int, int) {}
bool LineOfSight(int, int, int, int)
{
    return true;
}
