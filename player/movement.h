// The player's movement over the grid, the camera that follows him and the
// aim point.
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

// The alive player's part of a play frame before his hands act: camera,
// turning toward the aim, moving with W, A, S, D, staying inside the storey
// and out of blocked cells. Sets PoseCode to 0, 1 or 2.
void MovePlayer(float dt);
// Crouching follows Shift; the stance is added to PoseCode.
void TakeStance();

// The camera: halfway to the aim, near the player, inside the storey.
void UpdateCamera();
// Direction (radians, y down) of the movement keys held, or false for none.
bool MovementDirection(bool w, bool a, bool s, bool d, float* direction);
// Pixels per second for moving in a direction while facing another.
float MovementSpeed(float facing, float direction, bool crouching);
// Pushes a circle out of the blocked cells around it: edges first, then corners.
void PushOutOfBlockedCells(float* x, float* y, float radius);

// Warns at start-up when the body would not fit in a cell.
void WarnIfManRadiusTooLarge();
