// The player's movement over the grid, the camera that follows him, the aim
// point, and the light map of what he can see.
#pragma once

#include "frame/modes.h"

struct cell_rect_struct {
    int MinCol, MinRow, MaxCol, MaxRow;  // inclusive
};

const float man_radius = 26.0f;  // the body's radius in pixels (player and enemies)

extern float PlayerX, PlayerY;        // centre of the body, world pixels
extern float PlayerAngle;             // facing, in [-pi, pi]
extern int PlayerCellX, PlayerCellY;  // recomputed once per play frame after moving
extern int PoseCode;                  // 0 still, 1 forwards, 2 backwards; +10 standing, +20 crouching

extern float CameraX, CameraY;              // world point drawn at ViewCentre
extern float CameraTargetX, CameraTargetY;  // the unrounded camera point
extern float AimX, AimY;                    // the mouse in world pixels
extern int AimCellX, AimCellY;              // its cell
extern cell_rect_struct VisibleCells;       // the cells around the camera worth looking at

// Warns at start-up when the body would not fit in a cell.
void WarnIfManRadiusTooLarge();
