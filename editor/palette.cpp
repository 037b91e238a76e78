#include "editor/palette.h"

#include <algorithm>

#include "assets/catalogue.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "world/storey.h"

const int PaletteMaxColumns = 20;
const int PaletteMaxRows = 15;

std::vector<int> PalettePageStarts[PALETTE_COUNT] = {{0}, {0}};
int FloorPalettePage = 0, ObjectPalettePage = 0;

void PaletteArea(int* columns, int* rows)
{
    int scale = ZoomOn ? 2 : 1;
    int width = hge->System_GetState(HGE_SCREENWIDTH) / scale;
    int height = hge->System_GetState(HGE_SCREENHEIGHT) / scale;
    *columns = std::clamp(width / CellWidth, 1, PaletteMaxColumns);
    *rows = std::clamp(height / CellHeight - 1, 1, PaletteMaxRows);
}

int PaletteItemCount(int palette)
{
    return palette == PALETTE_FLOORS ? (int)FloorTypes.size() : (int)ObjectTypes.size();
}

int* PalettePage(int palette)
{
    return palette == PALETTE_FLOORS ? &FloorPalettePage : &ObjectPalettePage;
}

int PalettePageCount(int palette)
{
    return (int)PalettePageStarts[palette].size();
}

// A type without a usable size still takes one cell.
static void PaletteItemSize(int palette, int item, int* w, int* h)
{
    if (palette == PALETTE_FLOORS) {
        *w = FloorTypes[item].width;
        *h = FloorTypes[item].height;
    } else {
        *w = ObjectTypes[item].width;
        *h = ObjectTypes[item].height;
    }
    *w = std::max(*w, 1);
    *h = std::max(*h, 1);
}

std::vector<palette_slot_struct> LayOutPalettePage(int palette, int first)
{
    int columns, rows;
    PaletteArea(&columns, &rows);
    std::vector<palette_slot_struct> page;
    int x = 0, y = 0, rowHeight = 0;
    for (int item = std::max(first, 0); item < PaletteItemCount(palette); item++) {
        int w, h;
        PaletteItemSize(palette, item, &w, &h);
        if (x > 0 && x + w > columns) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        // An item larger than the whole area gets a page of its own rather
        // than an endless run of empty pages.
        if (y + h > rows && !page.empty())
            break;
        page.push_back({item, x, y, w, h});
        rowHeight = std::max(rowHeight, h);
        x += w;
    }
    return page;
}

static void BuildPages(int palette)
{
    std::vector<int>& starts = PalettePageStarts[palette];
    starts.assign(1, 0);
    for (;;) {
        std::vector<palette_slot_struct> page = LayOutPalettePage(palette, starts.back());
        if (page.empty())
            break;
        int next = page.back().item + 1;
        if (next >= PaletteItemCount(palette))
            break;
        starts.push_back(next);
    }
}

void BuildPalettePages()
{
    BuildPages(PALETTE_FLOORS);
    BuildPages(PALETTE_OBJECTS);
    FloorPalettePage = 0;
    ObjectPalettePage = 0;
}

int PaletteItemAt(int palette, int page, float x, float y)
{
    if (page < 0 || page >= PalettePageCount(palette))
        return -1;
    for (const palette_slot_struct& s : LayOutPalettePage(palette, PalettePageStarts[palette][page]))
        if (x >= s.x && x < s.x + s.w && y >= s.y && y < s.y + s.h)
            return s.item;
    return -1;
}
