#include "screens/lift_mark.h"

#include "assets/catalogue.h"
#include "frame/resources.h"
#include "screens/world_draw.h"
#include "world/storey.h"

static const char* const LiftFloorName = "LiftFloor";

// The lift stands on two by two cells from (LiftX, LiftY).
static bool LiftCell(int i, int* cell)
{
    int x = LiftX + i % 2, y = LiftY + i / 2;
    if (!CellInside(x, y))
        return false;
    *cell = CellIndex(x, y);
    return true;
}

static bool LiftFloorShown()
{
    for (int i = 0; i < 4; i++) {
        int cell, f;
        if (LiftCell(i, &cell) && (f = FloorMap[cell]) >= 0 && f < (int)FloorTypes.size() &&
            FloorTypes[f].name == LiftFloorName)
            return true;
    }
    return false;
}

static bool LiftLit()
{
    for (int i = 0; i < 4; i++) {
        int cell;
        if (LiftCell(i, &cell) && LightMap[cell] > 0)
            return true;
    }
    return false;
}

void DrawLiftMark()
{
    if (LiftLit() && !LiftFloorShown())
        RenderSprite(Sprites[SPR_LIFT], ScreenX((float)LiftX * CellWidth), ScreenY((float)LiftY * CellHeight));
}
