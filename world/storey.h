// The storey in memory: a grid of cells with floors, the placed objects with
// their footprints, doors and door zones, enemy starts, key cards, the lift
// and the player's start. Replaced wholesale by a level load, edited in place
// by the editor.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "assets/animation.h"
#include "assets/catalogue.h"

// Object kinds (an object type's "Type").
enum {
    KIND_FURNITURE = 0,   // blocks, can be broken
    KIND_WALL = 1,        // blocks, stops sight, drawn over the characters
    KIND_FIXTURE = 2,     // blocks, cannot be broken
    KIND_FLAT = 3,        // floor decoration: walkable
    KIND_DOOR = 4,        // blocks until open; has its own animation and a zone
    KIND_FURNITURE_B = 5  // as KIND_FURNITURE
};

// Door states.
enum {
    DOOR_CLOSED = 0,
    DOOR_CLOSING = 1,
    DOOR_OPENING = 2,
    DOOR_OPEN = 3,   // open, nobody held it since the last update
    DOOR_HELD = 4    // open and held this frame
};

// Key card slots.
enum { CARD_LIFT = 0, CARD_RED = 1, CARD_GREEN = 2, CARD_BLUE = 3, CARD_COUNT = 4 };

struct object_struct {
    int32_t hp;         // hit points left (the type's "Armor" when made)
    int32_t type;       // index in ObjectTypes
    int32_t cell_x;     // anchor cell: top-left of the footprint
    int32_t cell_y;
    int32_t rotation;   // quarter turns, 0..3
    int32_t offset_x;   // draw offset in cells caused by the rotation
    int32_t offset_y;
    uint8_t marked;     // marked for removal by the editor (on the brush: it cannot be placed)
    uint8_t is_door;
    int32_t door_state;
    std::unique_ptr<hgeAnimation> anim;  // a door's own copy of its type's animation
};

struct enemy_start_struct {
    int32_t lives;
    int32_t alarm;
    int32_t weapon;
    int32_t hands_set;
    int32_t head_set;
    int32_t legs_set;
    int32_t cell_x;
    int32_t cell_y;
};

struct cell_struct {
    int x, y;  // -1, -1 for none
};

extern int LevelWidth, LevelHeight;  // cells
extern int CellWidth, CellHeight;    // pixels, both 40

// One entry per cell, indexed by CellIndex.
extern std::vector<int> FloorMap;     // floor type, or -1
extern std::vector<int> ObjectMap;    // index in Objects of the object covering the cell, or -1
extern std::vector<int> LightMap;     // 0..255, 255 = seen this frame
extern std::vector<int> DoorZoneMap;  // index in Objects of the door whose zone covers the cell, or -1
extern std::vector<int> ReachMap;     // marks of the enemies' choice of where to walk
// The cells whose light is above 0, in no order: the fade visits only these,
// so its cost follows what the player has seen lately, not the storey's size.
extern std::vector<int> LitCells;

extern std::vector<object_struct> Objects;
extern std::vector<int> DoorList;     // index in Objects of every door, in the order added
extern std::vector<enemy_start_struct> EnemyStarts;

extern int PlayerStartX, PlayerStartY;  // the player's start cell
extern int LiftX, LiftY;                // the lift's cell
extern cell_struct CardCell[CARD_COUNT];  // cards on the floor; (-1, -1) when absent or taken
extern uint8_t CardHeld[CARD_COUNT];      // the player holds the card (or the storey has none)
extern uint8_t CardPickedUp[CARD_COUNT];  // the player picked the card up on this storey

inline int CellIndex(int x, int y)
{
    return x + y * LevelWidth;
}

inline bool CellInside(int x, int y)
{
    return x >= 0 && y >= 0 && x < LevelWidth && y < LevelHeight;
}

// The column (or row) of a world coordinate. Each caller takes the edge
// behaviour it needs:
// rounded down: points left of or above the storey fall in negative cells,
// never in cell 0 (the mouse, the editor's cursor);
inline int CellOfCoordinate(float p, int cellSize)
{
    return (int)floorf(p / cellSize);
}
// rounded toward zero, for what keeps to the storey (the player, the view,
// a grenade, an effect): a point less than a cell outside counts as cell 0;
inline int CellTowardZero(float p, int cellSize)
{
    return (int)p / cellSize;
}
// any point left of or above the storey reads as -1, outside (a bullet);
inline int CellOrOutside(float p, int cellSize)
{
    return p < 0 ? -1 : CellTowardZero(p, cellSize);
}
// the nearest of count cells (an enemy's own cell stays on the grid).
inline int CellOnGrid(float p, int cellSize, int count)
{
    return std::clamp(CellTowardZero(p, cellSize), 0, count - 1);
}

// Lays card k on cell (or takes it off the storey with (-1, -1)). A card on
// the storey must be found before it is held; a storey without it lets the
// player through as if he held it.
void PlaceCard(int k, cell_struct cell);

// Sizes every per-cell array for the grid and empties it (floors and objects
// -1, light and marks 0); empties the object and door lists.
void ResetStoreyGrid(int width, int height);

// Sets a cell's light, keeping LitCells whole; every change of the light map
// goes through here (or through the fade, which prunes LitCells itself).
void SetCellLight(int cell, int light);

// The catalogue type of an object; a type missing from the catalogue reads
// as a plain 1 x 1 object of kind 0.
const object_type_struct& ObjectTypeOf(const object_struct& o);
// Footprint in cells: the type's width and height, swapped when turned a
// quarter or three quarters.
void ObjectFootprint(const object_struct& o, int* w, int* h);

// A new object of a type, unplaced; a door gets its own animation copy,
// opaque white whatever tint the type's picture carries.
object_struct MakeObject(int type, int rotation);
// An independent copy (the door animation copied too), for placing a brush.
object_struct CloneObject(const object_struct& o);
// Places an object at anchor cell (x, y), unless it is marked. With
// removeMarked, every marked object is removed first.
void AddObject(object_struct object, int x, int y, bool removeMarked);
// Removes object i and renumbers every stored index above it.
void RemoveObject(int i);
// Removes every marked object (in list order).
void RemoveMarkedObjects();
// Removes every object: no cell, door or struck-object reference is left
// pointing at one.
void RemoveAllObjects();
// Destroys object i: it vanishes or turns into its remains, and its bonus is
// earned.
void BreakObject(int i);

bool IsCellWalkable(int cellIndex);
// The object a melee strike at cell (x, y) can break (kind 0 or 5), or -1.
int StruckObjectAt(int x, int y);
