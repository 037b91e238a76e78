#include "screens/world_draw.h"

void DrawWorld(float, float) {}
