// The level editor's frame: six tools that change the live storey (floors,
// objects, enemy starts, player start, lift, key cards), their palettes and
// brushes, and the scratch save and load.
#pragma once

#include <string>

#include "world/storey.h"

enum {
    TOOL_FLOORS = 0,
    TOOL_OBJECTS = 1,
    TOOL_ENEMIES = 2,
    TOOL_PLAYER_START = 3,
    TOOL_LIFT = 4,
    TOOL_CARDS = 5
};

enum {
    BRUSH_EVERY_CELL = 0,
    BRUSH_ODD_CELLS = 1,   // column + row odd
    BRUSH_EVEN_CELLS = 2   // column + row even
};

// What a new enemy start is given.
struct enemy_template_struct {
    int legs_set, hands_set, head_set;
    int weapon;  // 0 none .. 5 grenade
    int alarm;
    int lives;
};

extern int EditorTool;
extern int FloorBrush;
extern int PaletteItem;   // floor type, object type or card slot of the tool
extern bool PaletteOpen;  // a palette page is shown instead of the storey
// An object of the selected type and rotation, made afresh every frame of
// the object tool; marked when its footprint leaves the storey.
extern object_struct ObjectBrush;
extern enemy_template_struct EnemyTemplate;

extern const char* const ScratchLevel;  // "temp.lvl"

// One editor frame. (mx, my) is the mouse in target pixels (already halved
// when zoomed); the mouse's cell is the one PlayPrologue has just worked out.
void EditorFrame(float dt, float mx, float my);

// Writes a floor type into its top-left cell and empties the other cells it
// covers; covered cells outside the storey are left alone.
void PlaceFloor(int type, int x, int y);
// Whether a floor brush paints cell (x, y).
bool FloorBrushAllows(int brush, int x, int y);
// The character sets exist, so enemy starts can be placed and shown.
bool CharacterSetsPresent();
