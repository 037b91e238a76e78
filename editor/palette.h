// The editor's palettes: the floor types and the object types laid out in
// pages of cells, to be picked with the mouse.
#pragma once

#include <vector>

enum { PALETTE_FLOORS, PALETTE_OBJECTS, PALETTE_COUNT };

// One item placed on a palette page, in cells of the palette area (whose top
// row is drawn one cell below the top of the picture).
struct palette_slot_struct {
    int item;
    int x, y, w, h;
};

// First item of every page, per palette; never empty.
extern std::vector<int> PalettePageStarts[PALETTE_COUNT];
extern int FloorPalettePage, ObjectPalettePage;

// Lays both palettes out into pages for the current zoom and shows page 1
// of each. Called at start-up and whenever the zoom changes.
void BuildPalettePages();

// Columns and rows of the palette area: at most 20 x 15, fewer when the
// picture (halved when zoomed) cannot show that many below its top row.
void PaletteArea(int* columns, int* rows);

int PaletteItemCount(int palette);
int* PalettePage(int palette);
int PalettePageCount(int palette);

// Items from first on, in catalogue order, left to right in rows, until the
// next one no longer fits; the first one is always placed, at (0, 0).
std::vector<palette_slot_struct> LayOutPalettePage(int palette, int first);

// The item of a page whose cells hold the point (x, y), given in cells of the
// palette area; -1 when no item is there.
int PaletteItemAt(int palette, int page, float x, float y);
