// The player's movement, camera and aim point.
#pragma once

extern float CameraX, CameraY;              // world point drawn at ViewCentre
extern float CameraTargetX, CameraTargetY;  // the unrounded camera point
extern float AimX, AimY;                    // the mouse in world pixels
extern int AimCellX, AimCellY;              // its cell
