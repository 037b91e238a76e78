// The storey in memory: its grid of cells and what stands on them.
#pragma once

extern int LevelWidth, LevelHeight;  // cells
extern int CellWidth, CellHeight;    // pixels, both 40
