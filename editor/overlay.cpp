#include "editor/overlay.h"

#include "frame/resources.h"
#include "screens/world_draw.h"
#include "world/storey.h"

const float QuarterTurn = 1.5707964f;

// The whole storey, without darkness: every floor, then every object with
// its type's picture (doors closed), tinted when marked for removal.
static void DrawStoreyUnlit()
{
    for (int y = 0; y < LevelHeight; y++) {
        for (int x = 0; x < LevelWidth; x++) {
            int f = FloorMap[CellIndex(x, y)];
            if (f >= 0 && f < (int)FloorTypes.size())
                RenderSprite(FloorTypes[f].animation, ScreenX((float)x * CellWidth), ScreenY((float)y * CellHeight));
        }
    }
    for (const object_struct& o : Objects) {
        hgeAnimation* sprite = ObjectTypeOf(o).animation;
        SetSpriteColor(sprite, o.marked ? 0x99FF9999 : 0xFFFFFFFF);
        RenderSpriteEx(sprite, ScreenX((float)(o.cell_x + o.offset_x) * CellWidth),
                       ScreenY((float)(o.cell_y + o.offset_y) * CellHeight), o.rotation * QuarterTurn);
    }
}

static void DrawCardsOfTheStorey()
{
    for (int k = 0; k < CARD_COUNT; k++)
        RenderSprite(Sprites[SPR_CARD_LIFT + k], ScreenX((float)CardCell[k].x * CellWidth + 10),
                     ScreenY((float)CardCell[k].y * CellHeight + 10));
}

void RenderEditor(float, float)
{
    if (FloorMap.empty())
        return;
    DrawStoreyUnlit();
    // The tool's preview and the enemy starts are drawn here.
    SetSpriteColor(Sprites[SPR_START], 0xFFFFFFFF);
    RenderSprite(Sprites[SPR_START], ScreenX((float)PlayerStartX * CellWidth), ScreenY((float)PlayerStartY * CellHeight));
    DrawCardsOfTheStorey();
    // The help and status text is printed here.
}
