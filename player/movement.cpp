#include "player/movement.h"

#include <algorithm>
#include <cmath>

#include "assets/translation.h"
#include "engine/cp1251.h"
#include "world/angles.h"
#include "frame/program.h"
#include "player/doors.h"
#include "world/player_state.h"
#include "world/storey.h"

float PlayerX = 0, PlayerY = 0;
float PlayerAngle = 0;
int PlayerCellX = 0, PlayerCellY = 0;
int PoseCode = 10;
float CameraX = 400, CameraY = 295;
float CameraTargetX = 400, CameraTargetY = 295;
float AimX = 0, AimY = 0;
int AimCellX = 0, AimCellY = 0;
cell_rect_struct VisibleCells = {0, 0, 0, 0};


static float WrapAngle(float a)
{
    if (a > Pi)
        a -= 2 * Pi;
    if (a < -Pi)
        a += 2 * Pi;
    return a;
}

void UpdateCamera()
{
    CameraTargetX = (PlayerX + AimX) / 2;
    CameraTargetY = (PlayerY + AimY) / 2;
    CameraX = floorf(CameraTargetX);
    CameraY = floorf(CameraTargetY);
    float nearX = ViewCentre.x * 2 / 3, nearY = ViewCentre.y * 2 / 3;
    CameraX = std::clamp(CameraX, PlayerX - nearX, PlayerX + nearX);
    CameraY = std::clamp(CameraY, PlayerY - nearY, PlayerY + nearY);
    // The far edge wins for a storey smaller than the screen.
    CameraX = std::min(std::max(CameraX, ViewCentre.x), LevelWidth * CellWidth - ViewCentre.x);
    CameraY = std::min(std::max(CameraY, ViewCentre.y), LevelHeight * CellHeight - ViewCentre.y);
}

static void TurnToAim(float dt)
{
    if (AimX == PlayerX && AimY == PlayerY)
        return;  // no direction to turn to
    float a = AngleTo(PlayerX, PlayerY, AimX, AimY);
    float d = WrapAngle(fmodf(a - PlayerAngle, 2 * Pi));
    float most = dt * (Crouching ? 4.5f : 7.0f);
    PlayerAngle = WrapAngle(PlayerAngle + std::clamp(d, -most, most));
}

bool MovementDirection(bool w, bool a, bool s, bool d, float* direction)
{
    float dir = d ? 0 : a ? Pi : 0;
    if (w)
        dir = d ? 7 * Pi / 4 : a ? 5 * Pi / 4 : 3 * Pi / 2;
    if (s)
        dir = d ? Pi / 4 : a ? 3 * Pi / 4 : Pi / 2;
    *direction = dir;
    return w || a || s || d;
}

static float FacingDifference(float facing, float direction)
{
    float r = fmodf(facing - direction, 2 * Pi);
    return WrapAngle(r);
}

float MovementSpeed(float facing, float direction, bool crouching)
{
    float r = fabsf(FacingDifference(facing, direction));
    if (r < Pi / 4)
        return crouching ? 150.0f : 240.0f;
    if (r < 3 * Pi / 4)
        return crouching ? 100.0f : 180.0f;
    return crouching ? 60.0f : 120.0f;
}

// Moves the player by the keys held; false when none is, else the direction
// he walks in.
static bool Walk(float dt, float* dir)
{
    bool moving = MovementDirection(hge->Input_GetKeyState('W'), hge->Input_GetKeyState('A'),
                                    hge->Input_GetKeyState('S'), hge->Input_GetKeyState('D'), dir);
    if (!moving) {
        PoseCode = 0;
        return false;
    }
    float speed = MovementSpeed(PlayerAngle, *dir, Crouching);
    PlayerX += cosf(*dir) * dt * speed;
    PlayerY += sinf(*dir) * dt * speed;
    PoseCode = fabsf(FacingDifference(PlayerAngle, *dir)) < Pi / 2 ? 1 : 2;
    return true;
}

static bool Blocked(int cx, int cy)
{
    return CellInside(cx, cy) && !IsCellWalkable(CellIndex(cx, cy));
}

void PushOutOfBlockedCells(float* x, float* y, float r)
{
    float W = (float)CellWidth, H = (float)CellHeight;
    int cx = (int)(*x / W), cy = (int)(*y / H);
    float ox = fmodf(*x, W), oy = fmodf(*y, H);
    if (H < oy + r && Blocked(cx, cy + 1))
        *y -= oy + r - H;
    if (r > oy && Blocked(cx, cy - 1))
        *y += r - oy;
    if (r > ox && Blocked(cx - 1, cy))
        *x += r - ox;
    if (W < ox + r && Blocked(cx + 1, cy))
        *x -= ox + r - W;

    cx = (int)(*x / W), cy = (int)(*y / H);
    ox = fmodf(*x, W), oy = fmodf(*y, H);
    if (r > ox && r > oy && Blocked(cx - 1, cy - 1)) {
        if (oy < ox)
            *x += r - ox;
        else
            *y += r - oy;
    }
    if (r > ox && H < r + oy && Blocked(cx - 1, cy + 1)) {
        if (oy > H - ox)
            *x += r - ox;
        else
            *y -= oy + r - H;
    }
    if (W < ox + r && r > oy && Blocked(cx + 1, cy - 1)) {
        if (oy < H - ox)
            *x -= ox + r - W;
        else
            *y += r - oy;
    }
    if (W < ox + r && H < r + oy && Blocked(cx + 1, cy + 1)) {
        if (oy > ox)
            *x -= ox + r - W;
        else
            *y -= oy + r - H;
    }
}

void MovePlayer(float dt)
{
    UpdateCamera();
    TurnToAim(dt);
    float x0 = PlayerX, y0 = PlayerY, dir = 0;
    bool moving = Walk(dt, &dir);
    PlayerX = std::clamp(PlayerX, man_radius, LevelWidth * CellWidth - man_radius);
    PlayerY = std::clamp(PlayerY, man_radius, LevelHeight * CellHeight - man_radius);
    PushOutOfBlockedCells(&PlayerX, &PlayerY, man_radius);
    // Pressing into a wall shows the idle pose.
    bool stuck = fabsf(PlayerX - x0) < 10 * dt && fabsf(PlayerY - y0) < 10 * dt;
    if (stuck)
        PoseCode = 0;
    NoticeDoorPush(moving && stuck, dir);
}

void TakeStance()
{
    Crouching = hge->Input_GetKeyState(HGEK_SHIFT);
    PoseCode += Crouching ? 20 : 10;
}

void WarnIfManRadiusTooLarge()
{
    if (man_radius >= CellWidth || man_radius >= CellHeight)
        hge->System_MessageBox(Tr("Внимание! man_radius больше стороны ячейки"_cp), "Error", MB_OK | MB_ICONERROR);
}
