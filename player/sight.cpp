#include "player/sight.h"

#include <algorithm>

#include "player/movement.h"
#include "world/grid_line.h"
#include "world/storey.h"

const int SightFade = 3;      // per frame, whatever the frame time
const int WallSightDepth = 3; // wall cells a ray can see into

// Only the cells lit lately fade; a cell that reaches 0 leaves the list
// (the last one takes its place).
static void FadeLightMap()
{
    for (size_t i = 0; i < LitCells.size();) {
        int& v = LightMap[LitCells[i]];
        v = std::max(v - SightFade, 0);
        if (v > 0) {
            i++;
        } else {
            LitCells[i] = LitCells.back();
            LitCells.pop_back();
        }
    }
}

static void FindVisibleCells()
{
    VisibleCells.MinCol = std::max(0, CellTowardZero(CameraX - ViewCentre.x, CellWidth) - 3);
    VisibleCells.MaxCol = std::min(LevelWidth - 1, CellTowardZero(CameraX + ViewCentre.x, CellWidth) + 3);
    VisibleCells.MinRow = std::max(0, CellTowardZero(CameraY - ViewCentre.y, CellHeight) - 3);
    VisibleCells.MaxRow = std::min(LevelHeight - 1, CellTowardZero(CameraY + ViewCentre.y, CellHeight) + 3);
}

void CastSightRay(int x0, int y0, int x1, int y1)
{
    int n = GridLineSteps(x0, y0, x1, y1);
    int budget = WallSightDepth;
    for (int i = 1; i <= n && budget != 0; i++) {
        int cx, cy;
        GridLineCell(x0, y0, x1, y1, i, n, &cx, &cy);
        if (!CellInside(cx, cy))
            return;
        int cell = CellIndex(cx, cy);
        int o = ObjectMap[cell];
        int kind = o < 0 ? -1 : ObjectTypeOf(Objects[o]).kind;
        if (kind == KIND_WALL) {
            SetCellLight(cell, 255);
            budget--;
        } else if (kind == KIND_DOOR) {
            if (budget == WallSightDepth) {
                SetCellLight(cell, 255);
                if (Objects[o].door_state == DOOR_CLOSED)
                    budget = 0;
            } else {
                budget = 0;
            }
        } else if (budget == WallSightDepth) {
            SetCellLight(cell, 255);
        } else {
            budget = 0;  // the ray has left a wall: nothing behind it is seen
        }
    }
}

void UpdateLightMap()
{
    FadeLightMap();
    FindVisibleCells();
    PlayerCellX = CellTowardZero(PlayerX, CellWidth);
    PlayerCellY = CellTowardZero(PlayerY, CellHeight);
    if (!CellInside(PlayerCellX, PlayerCellY))
        return;
    SetCellLight(CellIndex(PlayerCellX, PlayerCellY), 255);
    const cell_rect_struct& v = VisibleCells;
    ForEachBorderCell(v.MinCol, v.MinRow, v.MaxCol, v.MaxRow,
                      [](int x, int y) { CastSightRay(PlayerCellX, PlayerCellY, x, y); });
}
