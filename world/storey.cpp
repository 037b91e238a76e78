#include "world/storey.h"

#include <algorithm>

#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/program.h"
#include "world/player_state.h"

int LevelWidth = 40, LevelHeight = 60;
int CellWidth = 40, CellHeight = 40;

// Before the first storey loads, the grid is an empty 40 x 60.
std::vector<int> FloorMap(40 * 60, -1), ObjectMap(40 * 60, -1), LightMap(40 * 60, 0), DoorZoneMap(40 * 60, -1),
    ReachMap(40 * 60, 0);
std::vector<int> LitCells;
std::vector<object_struct> Objects;
std::vector<int> DoorList;
std::vector<enemy_start_struct> EnemyStarts;

int PlayerStartX = 1, PlayerStartY = 1;
int LiftX = 1, LiftY = 1;
cell_struct CardCell[CARD_COUNT] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}};
uint8_t CardHeld[CARD_COUNT] = {1, 1, 1, 1};
uint8_t CardPickedUp[CARD_COUNT] = {0, 0, 0, 0};

void PlaceCard(int k, cell_struct cell)
{
    CardCell[k] = cell;
    CardHeld[k] = cell.x < 0;
    CardPickedUp[k] = 0;
}

void ResetStoreyGrid(int width, int height)
{
    LevelWidth = width;
    LevelHeight = height;
    size_t cells = (size_t)width * height;
    FloorMap.assign(cells, -1);
    ObjectMap.assign(cells, -1);
    LightMap.assign(cells, 0);
    LitCells.clear();
    ReachMap.assign(cells, 0);
    DoorZoneMap.assign(cells, -1);
    Objects.clear();
    DoorList.clear();
}

void SetCellLight(int cell, int light)
{
    int& v = LightMap[cell];
    if (v <= 0 && light > 0)
        LitCells.push_back(cell);
    else if (v > 0 && light <= 0)
        std::erase(LitCells, cell);
    v = light;
}

void RemoveAllObjects()
{
    Objects.clear();
    DoorList.clear();
    std::fill(ObjectMap.begin(), ObjectMap.end(), -1);
    std::fill(DoorZoneMap.begin(), DoorZoneMap.end(), -1);
    StruckObject = -1;
}

const object_type_struct& ObjectTypeOf(const object_struct& o)
{
    static const object_type_struct unknown = {"", nullptr, KIND_FURNITURE, "", 0, 60, 80, 0, 1, 1};
    if (o.type < 0 || o.type >= (int)ObjectTypes.size())
        return unknown;
    return ObjectTypes[o.type];
}

void ObjectFootprint(const object_struct& o, int* w, int* h)
{
    const object_type_struct& t = ObjectTypeOf(o);
    bool turned = o.rotation == 1 || o.rotation == 3;
    *w = turned ? t.height : t.width;
    *h = turned ? t.width : t.height;
}

object_struct MakeObject(int type, int rotation)
{
    object_struct o{};
    o.type = type;
    o.rotation = ((rotation % 4) + 4) % 4;
    const object_type_struct& t = ObjectTypeOf(o);
    o.hp = t.armor;
    // The sprite turns about its top-left corner; the offsets bring it back
    // onto the footprint.
    switch (o.rotation) {
    case 1: o.offset_x = t.height; break;
    case 2:
        o.offset_x = t.width;
        o.offset_y = t.height;
        break;
    case 3: o.offset_y = t.width; break;
    }
    o.marked = 0;
    o.door_state = DOOR_CLOSED;
    o.is_door = t.kind == KIND_DOOR;
    if (o.is_door && t.animation) {
        o.anim.reset(new hgeAnimation(*t.animation));
        o.anim->SetMode(HGEANIM_FWD);
        // The editor tints the shared type pictures of marked objects; the
        // door's own copy must not keep that tint into play.
        o.anim->SetColor(0xFFFFFFFF);
    }
    return o;
}

object_struct CloneObject(const object_struct& o)
{
    object_struct c{o.hp,      o.type,   o.cell_x,  o.cell_y,     o.rotation, o.offset_x,
                    o.offset_y, o.marked, o.is_door, o.door_state, nullptr};
    if (o.anim)
        c.anim.reset(new hgeAnimation(*o.anim));
    return c;
}

static void MarkDoorZone(int door, int x, int y, int rotation)
{
    bool upright = rotation == 0 || rotation == 2;
    int x0 = upright ? std::max(x - 2, 0) : x, x1 = upright ? std::min(x + 2, LevelWidth - 1) : x + 1;
    int y0 = upright ? y : std::max(y - 2, 0), y1 = upright ? y + 1 : std::min(y + 2, LevelHeight - 1);
    for (int j = y0; j <= y1; j++)
        for (int i = x0; i <= x1; i++)
            if (CellInside(i, j))
                DoorZoneMap[CellIndex(i, j)] = door;
}

void RemoveMarkedObjects()
{
    for (size_t i = 0; i < Objects.size();) {
        if (Objects[i].marked)
            RemoveObject((int)i);
        else
            i++;
    }
}

void AddObject(object_struct object, int x, int y, bool removeMarked)
{
    if (object.marked)
        return;
    int w, h;
    ObjectFootprint(object, &w, &h);
    if (removeMarked)
        RemoveMarkedObjects();
    int n = (int)Objects.size();
    for (int j = 0; j < h; j++)
        for (int k = 0; k < w; k++)
            if (CellInside(x + k, y + j))
                ObjectMap[CellIndex(x + k, y + j)] = n;
    object.cell_x = x;
    object.cell_y = y;
    if (object.is_door) {
        DoorList.push_back(n);
        MarkDoorZone(n, x, y, object.rotation);
    }
    Objects.push_back(std::move(object));
}

static void RenumberAfterRemoval(std::vector<int>& refs, int i)
{
    for (int& r : refs) {
        if (r == i)
            r = -1;
        else if (r > i)
            r--;
    }
}

void RemoveObject(int i)
{
    if (i < 0 || i >= (int)Objects.size())
        return;
    RenumberAfterRemoval(ObjectMap, i);
    RenumberAfterRemoval(DoorZoneMap, i);
    // The door's own entry goes before the others are renumbered, so a door
    // listed after it can never be taken for it.
    if (Objects[i].is_door) {
        auto it = std::find(DoorList.begin(), DoorList.end(), i);
        if (it != DoorList.end())
            DoorList.erase(it);
    }
    for (int& d : DoorList)
        if (d > i)
            d--;
    if (StruckObject == i)
        StruckObject = -1;
    else if (StruckObject > i)
        StruckObject--;
    Objects.erase(Objects.begin() + i);
}

void BreakObject(int i)
{
    if (i < 0 || i >= (int)Objects.size())
        return;
    const object_type_struct& type = ObjectTypeOf(Objects[i]);
    if (type.remains.empty()) {
        BonusPoints += type.bonus;
        RemoveObject(i);
        return;
    }
    int t = FindObjectType(type.remains);
    if (t < 0) {
        std::string text = Tr("Нет объекта "_cp) + type.remains;
        hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
        return;
    }
    object_struct remains = MakeObject(t, Objects[i].rotation);
    int x = Objects[i].cell_x, y = Objects[i].cell_y;
    BonusPoints += type.bonus;
    RemoveObject(i);
    AddObject(std::move(remains), x, y, false);
}

bool IsCellWalkable(int cellIndex)
{
    if (cellIndex < 0 || cellIndex >= (int)ObjectMap.size())
        return false;
    int i = ObjectMap[cellIndex];
    if (i < 0)
        return true;
    const object_struct& o = Objects[i];
    switch (ObjectTypeOf(o).kind) {
    case KIND_FURNITURE:
    case KIND_WALL:
    case KIND_FIXTURE:
    case KIND_FURNITURE_B: return false;
    default: return !o.is_door || o.door_state >= DOOR_OPEN;
    }
}

int StruckObjectAt(int x, int y)
{
    if (!CellInside(x, y))
        return -1;
    int i = ObjectMap[CellIndex(x, y)];
    if (i < 0)
        return -1;
    int kind = ObjectTypeOf(Objects[i]).kind;
    return (kind == KIND_FURNITURE || kind == KIND_FURNITURE_B) ? i : -1;
}
