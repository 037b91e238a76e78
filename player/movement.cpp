#include "player/movement.h"

float CameraX = 400, CameraY = 295;
float CameraTargetX = 400, CameraTargetY = 295;
float AimX = 0, AimY = 0;
int AimCellX = 0, AimCellY = 0;
