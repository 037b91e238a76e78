// Straight lines over the grid, stepped one cell at a time: the player's
// sight rays, the enemies' line of sight and their choice of where to walk
// all walk them the same way.
#pragma once

#include <cmath>
#include <cstdlib>

// Steps of the line from (x0, y0) to (x1, y1): the larger of the column and
// row distances. Step k (1..steps) lands on the cell GridLineCell gives.
inline int GridLineSteps(int x0, int y0, int x1, int y1)
{
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    return dx > dy ? dx : dy;
}

// The cell of step k of n along the line, rounded to the nearest cell (a
// half rounds toward the start).
inline void GridLineCell(int x0, int y0, int x1, int y1, int k, int n, int* cx, int* cy)
{
    *cx = (int)ceilf(x0 + k * (float)(x1 - x0) / n - 0.5f);
    *cy = (int)ceilf(y0 + k * (float)(y1 - y0) / n - 0.5f);
}

// Every cell on the border of a rectangle, in the order sight and reach are
// cast from a cell: each column's bottom then top cell, left to right, then
// each row's left then right cell, top to bottom (corners come twice).
template <typename F>
inline void ForEachBorderCell(int minCol, int minRow, int maxCol, int maxRow, F f)
{
    for (int x = minCol; x <= maxCol; x++) {
        f(x, maxRow);
        f(x, minRow);
    }
    for (int y = minRow; y <= maxRow; y++) {
        f(minCol, y);
        f(maxCol, y);
    }
}
