#include "foes/move_target.h"

#include <algorithm>

#include "foes/enemies.h"
#include "foes/perception.h"
#include "frame/program.h"
#include "player/movement.h"
#include "world/grid_line.h"
#include "world/storey.h"

const int TargetWindowRadius = 7;  // cells
const int TargetWindowMargin = 2;  // cells kept clear of the storey's edges

// The cells the last choice may have marked. Only they are cleared before
// the next choice, which leaves the map as a clearing of every cell would,
// at a fraction of the cost on a large storey.
static cell_rect_struct Marked = {0, 0, -1, -1};

static void ClearReachMarks()
{
    size_t cells = (size_t)LevelWidth * LevelHeight;
    if (ReachMap.size() != cells) {
        ReachMap.assign(cells, 0);
        return;
    }
    int x0 = std::max(Marked.MinCol, 0), x1 = std::min(Marked.MaxCol, LevelWidth - 1);
    int y0 = std::max(Marked.MinRow, 0), y1 = std::min(Marked.MaxRow, LevelHeight - 1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            ReachMap[CellIndex(x, y)] = 0;
}

static void MarkCell(int x, int y)
{
    if (CellInside(x, y))
        ReachMap[CellIndex(x, y)] = 1;
}

// Marks the cells along the line from (x0, y0) to (x1, y1) up to the first
// one that blocks walking.
static void MarkLine(int x0, int y0, int x1, int y1)
{
    int n = GridLineSteps(x0, y0, x1, y1);
    for (int k = 1; k <= n; k++) {
        int cx, cy;
        GridLineCell(x0, y0, x1, y1, k, n, &cx, &cy);
        if (!CellInside(cx, cy) || !IsCellWalkable(CellIndex(cx, cy)))
            return;
        ReachMap[CellIndex(cx, cy)] = 1;
    }
}

static cell_rect_struct TargetWindow(int x, int y)
{
    return {std::max(TargetWindowMargin, x - TargetWindowRadius), std::max(TargetWindowMargin, y - TargetWindowRadius),
            std::min(LevelWidth - 1 - TargetWindowMargin, x + TargetWindowRadius),
            std::min(LevelHeight - 1 - TargetWindowMargin, y + TargetWindowRadius)};
}

static void MarkReachableCells(int x, int y, const cell_rect_struct& w)
{
    ClearReachMarks();
    MarkCell(x, y);
    ForEachBorderCell(w.MinCol, w.MinRow, w.MaxCol, w.MaxRow, [&](int tx, int ty) { MarkLine(x, y, tx, ty); });
    Marked = {std::min(x, w.MinCol), std::min(y, w.MinRow), std::max(x, w.MaxCol), std::max(y, w.MaxRow)};
}

static float CellScore(int mode, int x, int y)
{
    int dx = x - PlayerCellX, dy = y - PlayerCellY;
    float d2 = (float)(dx * dx + dy * dy);
    int cell = CellIndex(x, y);
    switch (mode) {
    case MOVE_FLEE: {
        float score = hge->Random_Float(0.9f, 1.1f) * d2;
        return DoorZoneMap[cell] >= 0 ? 2 * score : score;
    }
    case MOVE_FLEE_HIDDEN: {
        float score = hge->Random_Float(0.9f, 1.1f) * d2;
        return LightMap[cell] < 1 ? 3 * score : score;
    }
    case MOVE_APPROACH: return hge->Random_Float(0.9f, 1.1f) * d2 * 0.65f;
    default: return hge->Random_Float(0, 300);
    }
}

void ChooseMoveTarget(int i, int mode)
{
    enemy_struct& e = Enemies[i];
    cell_rect_struct w = TargetWindow(e.cell_x, e.cell_y);
    MarkReachableCells(e.cell_x, e.cell_y, w);
    bool lowestWins = mode == MOVE_APPROACH;
    int bestX = e.cell_x, bestY = e.cell_y;
    float best = lowestWins ? (float)(LevelWidth * LevelWidth + LevelHeight * LevelHeight) : 0;
    for (int x = w.MinCol; x <= w.MaxCol; x++) {
        for (int y = w.MinRow; y <= w.MaxRow; y++) {
            if (!ReachMap[CellIndex(x, y)])
                continue;
            float score = CellScore(mode, x, y);
            if (lowestWins ? score < best : score > best) {
                best = score;
                bestX = x, bestY = y;
            }
        }
    }
    e.target_x = bestX;
    e.target_y = bestY;
    e.target_angle = FacingAngleTo((float)e.cell_x, (float)e.cell_y, (float)bestX, (float)bestY, e.target_angle);
}
