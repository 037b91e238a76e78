// The level editor's frame: six tools that change the live storey (floors,
// objects, enemy starts, player start, lift, key cards), their palettes and
// brushes, the history of changes, storeys by name, the test run and the
// storey checker.
#pragma once

#include <string>

#include "editor/enemy_tool.h"
#include "world/storey.h"

enum {
    TOOL_FLOORS = 0,
    TOOL_OBJECTS = 1,
    TOOL_ENEMIES = 2,
    TOOL_PLAYER_START = 3,
    TOOL_LIFT = 4,
    TOOL_CARDS = 5,
    TOOL_COUNT = 6
};

enum {
    BRUSH_EVERY_CELL = 0,
    BRUSH_ODD_CELLS = 1,   // column + row odd
    BRUSH_EVEN_CELLS = 2   // column + row even
};

extern int EditorTool;
extern int FloorBrush;
extern int PaletteItem;   // floor type, object type or card slot of the tool
extern bool PaletteOpen;  // a palette page is shown instead of the storey
// An object of the selected type and rotation, made afresh every frame of
// the object tool; marked when its footprint leaves the storey.
extern object_struct ObjectBrush;
extern bool GridShown;      // G: the cells' edges drawn over the storey
extern bool OverlayHidden;  // H: the help text put away

// A line of news (a save, a load, the end of a test run), shown for a while.
extern std::string EditorMessage;
extern float EditorMessageTime;  // seconds left
const float EditorMessageSeconds = 2.0f;
void ShowEditorMessage(const std::string& text);

extern const char* const ScratchLevel;  // "temp.lvl"

// One editor frame. (mx, my) is the mouse in target pixels (already halved
// when zoomed); the mouse's cell is the one PlayPrologue has just worked out.
void EditorFrame(float dt, float mx, float my);

// Writes a floor type into its top-left cell and empties the other cells it
// covers; covered cells outside the storey are left alone.
void PlaceFloor(int type, int x, int y);
// Whether a floor brush paints cell (x, y).
bool FloorBrushAllows(int brush, int x, int y);
