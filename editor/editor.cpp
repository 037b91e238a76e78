#include "editor/editor.h"

#include <algorithm>

#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "editor/palette.h"
#include "engine/cp1251.h"
#include "foes/enemies.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"
#include "world/level_file.h"

const float EditorCameraSpeed = 600.0f;  // pixels per second
const int EnemyValueStep = 5;            // keys 5 and 6 raise alarm and lives by this
const int EnemyValueMax = 35;            // alarm and lives above this start again at 0
const int StoreyWeaponMax = 4;           // enemies placed on the storey carry up to the rifle
const int PaletteWeaponMax = 5;          // the palette also offers the grenade

int EditorTool = TOOL_FLOORS;
int FloorBrush = BRUSH_EVERY_CELL;
int PaletteItem = 0;
bool PaletteOpen = false;
object_struct ObjectBrush{};
enemy_template_struct EnemyTemplate = {0, 0, 0, 0, 0, 10};

const char* const ScratchLevel = "temp.lvl";

// Ctrl+1 .. Ctrl+5: legs, hands, head, weapon, alarm, lives.
static const enemy_template_struct EnemyPresets[5] = {
    {0, 0, 0, 0, 0, 10},
    {1, 2, 4, 1, 3, 15},
    {1, 1, 6, 2, 5, 15},
    {1, 1, 6, 3, 5, 15},
    {2, 3, 5, 4, 8, 20},
};

static bool Pressed(int key)
{
    return hge->Input_KeyDown(key);
}

static bool Held(int key)
{
    return hge->Input_GetKeyState(key);
}

// Wraps v into 0..count-1 (any wheel step is accepted); false, with v at 0,
// when there is nothing to choose from.
static bool WrapInto(int* v, int count)
{
    if (count <= 0) {
        *v = 0;
        return false;
    }
    *v = ((*v % count) + count) % count;
    return true;
}

static void WhitenObjectTypes()
{
    for (object_type_struct& t : ObjectTypes)
        SetSpriteColor(t.animation, 0xFFFFFFFF);
}

static void ReportFailure(const std::string& text)
{
    hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

static void SaveOrLoadScratchStorey()
{
    if (Pressed(HGEK_F1 + 4) && !SaveLevel(ScratchLevel))
        ReportFailure("Не удалось сохранить "_cp + std::string(ScratchLevel));
    if (Pressed(HGEK_F1 + 7) && !LoadLevel(ScratchLevel))
        ReportFailure("Не удалось загрузить "_cp + std::string(ScratchLevel));
}

// F1 cycles floors, objects and enemies; F2 cycles player start, lift and
// cards.
static void SwitchTools()
{
    if (Pressed(HGEK_F1)) {
        EditorTool = EditorTool + 1 > TOOL_ENEMIES ? TOOL_FLOORS : EditorTool + 1;
        FloorBrush = BRUSH_EVERY_CELL;
        PaletteItem = 0;
    }
    if (Pressed(HGEK_F1 + 1)) {
        EditorTool = EditorTool < TOOL_PLAYER_START || EditorTool + 1 > TOOL_CARDS ? TOOL_PLAYER_START : EditorTool + 1;
        PaletteOpen = false;
    }
}

static void MoveEditorCamera(float dt)
{
    float speed = dt * EditorCameraSpeed;
    if (Held('W'))
        CameraY -= speed;
    if (Held('S'))
        CameraY += speed;
    if (Held('A'))
        CameraX -= speed;
    if (Held('D'))
        CameraX += speed;
}

bool CharacterSetsPresent()
{
    return !LegsSets.empty() && !HandsSets.empty() && !HeadSets.empty();
}

static void WrapEnemyTemplate(int weaponMax)
{
    enemy_template_struct& t = EnemyTemplate;
    if (t.legs_set < 0 || t.legs_set >= (int)LegsSets.size())
        t.legs_set = 0;
    if (t.hands_set < 0 || t.hands_set >= (int)HandsSets.size())
        t.hands_set = 0;
    if (t.head_set < 0 || t.head_set >= (int)HeadSets.size())
        t.head_set = 0;
    if (t.weapon < 0 || t.weapon > weaponMax)
        t.weapon = 0;
    if (t.alarm < 0 || t.alarm > EnemyValueMax)
        t.alarm = 0;
    if (t.lives < 0 || t.lives > EnemyValueMax)
        t.lives = 0;
}

// The selected sets play in the palette as they would on a person.
static void AdvanceSelectedSets(float dt)
{
    for (int i = 0; i < LEGS_ANIMATIONS; i++)
        UpdateAnimation(LegsAnimation(EnemyTemplate.legs_set, i), dt);
    for (int w = 0; w <= PaletteWeaponMax; w++)
        for (int a = 0; a < HandsGroupSize[w]; a++)
            UpdateAnimation(HandsAnimation(EnemyTemplate.hands_set, w, a), dt);
    UpdateAnimation(HandsDeadAnimation(EnemyTemplate.hands_set), dt);
    for (int i = 0; i < HEAD_ANIMATIONS; i++)
        UpdateAnimation(HeadAnimation(EnemyTemplate.head_set, i), dt);
}

static void EnemyPaletteFrame(float dt)
{
    if (Pressed('1'))
        EnemyTemplate.legs_set++;
    if (Pressed('2'))
        EnemyTemplate.hands_set++;
    if (Pressed('3'))
        EnemyTemplate.weapon++;
    if (Pressed('4'))
        EnemyTemplate.head_set++;
    // Man.ini can be edited while the game runs and looked at again.
    if (Pressed(HGEK_TAB))
        LoadCharacterSets();
    WrapEnemyTemplate(PaletteWeaponMax);
    AdvanceSelectedSets(dt);
}

// The wheel turns the pages; releasing the left button over an item picks it.
static void BrowsePalette(int palette, float mx, float my)
{
    int* page = PalettePage(palette);
    *page += hge->Input_GetMouseWheel();
    WrapInto(page, PalettePageCount(palette));
    if (!hge->Input_KeyUp(HGEK_LBUTTON))
        return;
    int item = PaletteItemAt(palette, *page, mx / CellWidth, my / CellHeight - 1);
    if (item >= 0) {
        PaletteItem = item;
        PaletteOpen = false;
    }
}

static void PaletteFrame(float dt, float mx, float my)
{
    WhitenObjectTypes();
    switch (EditorTool) {
    case TOOL_FLOORS: BrowsePalette(PALETTE_FLOORS, mx, my); break;
    case TOOL_OBJECTS: BrowsePalette(PALETTE_OBJECTS, mx, my); break;
    case TOOL_ENEMIES: EnemyPaletteFrame(dt); break;
    }
}

bool FloorBrushAllows(int brush, int x, int y)
{
    switch (brush) {
    case BRUSH_ODD_CELLS: return (x + y) % 2 != 0;
    case BRUSH_EVEN_CELLS: return (x + y) % 2 == 0;
    default: return true;
    }
}

void PlaceFloor(int type, int x, int y)
{
    if (type < 0 || type >= (int)FloorTypes.size())
        return;
    int w = std::max(FloorTypes[type].width, 1), h = std::max(FloorTypes[type].height, 1);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (CellInside(x + i, y + j))
                FloorMap[CellIndex(x + i, y + j)] = (i == 0 && j == 0) ? type : -1;
}

static void SetMarks(uint8_t marked)
{
    for (object_struct& o : Objects)
        o.marked = marked;
}

static bool DeleteWithShiftPressed()
{
    return Pressed(HGEK_DELETE) && Held(HGEK_SHIFT);
}

static void FloorTool()
{
    // Every object is shown tinted, so the floor under it can be seen.
    SetMarks(1);
    bool canPlace = WrapInto(&PaletteItem, (int)FloorTypes.size());
    if (DeleteWithShiftPressed())
        std::fill(FloorMap.begin(), FloorMap.end(), -1);
    for (int brush = BRUSH_EVERY_CELL; brush <= BRUSH_EVEN_CELLS; brush++)
        if (Pressed('1' + brush))
            FloorBrush = brush;
    int x = AimCellX, y = AimCellY;
    if (!Held(HGEK_LBUTTON) || !CellInside(x, y) || !FloorBrushAllows(FloorBrush, x, y))
        return;
    if (Held(HGEK_SHIFT))
        FloorMap[CellIndex(x, y)] = -1;
    else if (canPlace)
        PlaceFloor(PaletteItem, x, y);
}

// Marks the objects under the brush's footprint at (x, y); the brush itself
// is marked when the footprint leaves the storey.
static void MarkUnderBrush(int x, int y)
{
    int w, h;
    ObjectFootprint(ObjectBrush, &w, &h);
    ObjectBrush.marked = 0;
    for (int j = 0; j < h; j++) {
        for (int i = 0; i < w; i++) {
            if (!CellInside(x + i, y + j))
                ObjectBrush.marked = 1;
            else if (ObjectMap[CellIndex(x + i, y + j)] >= 0)
                Objects[ObjectMap[CellIndex(x + i, y + j)]].marked = 1;
        }
    }
}

static void ObjectTool()
{
    bool canPlace = WrapInto(&PaletteItem, (int)ObjectTypes.size());
    if (canPlace) {
        ObjectBrush = MakeObject(PaletteItem, ObjectBrush.rotation);
        if (Pressed(HGEK_RBUTTON))
            ObjectBrush = MakeObject(PaletteItem, ObjectBrush.rotation + 1);
    }
    if (DeleteWithShiftPressed())
        RemoveAllObjects();
    SetMarks(0);
    if (!canPlace)
        return;
    MarkUnderBrush(AimCellX, AimCellY);
    if (!Held(HGEK_LBUTTON))
        return;
    if (Held(HGEK_SHIFT))
        RemoveMarkedObjects();
    else
        AddObject(CloneObject(ObjectBrush), AimCellX, AimCellY, true);
}

// Keys 1 to 5 with Ctrl load a preset; without it 1 to 6 raise legs, hands,
// head, weapon, alarm and lives.
static void ChangeEnemyTemplate()
{
    bool ctrl = Held(HGEK_CTRL);
    int* raised[5] = {&EnemyTemplate.legs_set, &EnemyTemplate.hands_set, &EnemyTemplate.head_set,
                      &EnemyTemplate.weapon, &EnemyTemplate.alarm};
    for (int k = 0; k < 5; k++) {
        if (!Pressed('1' + k))
            continue;
        if (ctrl)
            EnemyTemplate = EnemyPresets[k];
        else
            *raised[k] += k == 4 ? EnemyValueStep : 1;
    }
    if (Pressed('6'))
        EnemyTemplate.lives += EnemyValueStep;
}

// The start is stored for the level file, and its enemy made at once so the
// storey can be played straight away.
static void PlaceEnemyStart(int x, int y)
{
    const enemy_template_struct& t = EnemyTemplate;
    EnemyStarts.push_back({t.lives, t.alarm, t.weapon, t.hands_set, t.head_set, t.legs_set, x, y});
    CreateEnemy(x, y, t.lives, t.alarm, t.weapon, t.legs_set, t.hands_set, t.head_set);
}

static void EnemyTool()
{
    ChangeEnemyTemplate();
    if (Pressed(HGEK_DELETE))
        EnemyStarts.clear();
    WrapEnemyTemplate(StoreyWeaponMax);
    if (Pressed(HGEK_LBUTTON) && CellInside(AimCellX, AimCellY) && CharacterSetsPresent())
        PlaceEnemyStart(AimCellX, AimCellY);
}

static void PlayerStartTool()
{
    if (Pressed(HGEK_LBUTTON) && CellInside(AimCellX, AimCellY)) {
        PlayerStartX = AimCellX;
        PlayerStartY = AimCellY;
    }
}

// The lift takes two by two cells, so it cannot stand in the last column or
// row.
static void LiftTool()
{
    if (Pressed(HGEK_LBUTTON) && CellInside(AimCellX, AimCellY) && AimCellX < LevelWidth - 1 &&
        AimCellY < LevelHeight - 1) {
        LiftX = AimCellX;
        LiftY = AimCellY;
    }
}

static void CardTool()
{
    WrapInto(&PaletteItem, CARD_COUNT);
    if (Pressed(HGEK_LBUTTON) && CellInside(AimCellX, AimCellY))
        PlaceCard(PaletteItem, {AimCellX, AimCellY});
    if (Pressed(HGEK_RBUTTON))
        PlaceCard(PaletteItem, {-1, -1});
}

static void ToolFrame()
{
    PaletteItem += hge->Input_GetMouseWheel();
    switch (EditorTool) {
    case TOOL_FLOORS: FloorTool(); break;
    case TOOL_OBJECTS: ObjectTool(); break;
    case TOOL_ENEMIES: EnemyTool(); break;
    case TOOL_PLAYER_START: PlayerStartTool(); break;
    case TOOL_LIFT: LiftTool(); break;
    case TOOL_CARDS: CardTool(); break;
    }
}

void EditorFrame(float dt, float mx, float my)
{
    if (Pressed(HGEK_ESCAPE)) {
        WhitenObjectTypes();
        WorldMode = WORLD_PLAY;
    }
    SaveOrLoadScratchStorey();
    SwitchTools();
    MoveEditorCamera(dt);
    if (Pressed(HGEK_SPACE))
        PaletteOpen = !PaletteOpen;
    if (PaletteOpen)
        PaletteFrame(dt, mx, my);
    else
        ToolFrame();
}
