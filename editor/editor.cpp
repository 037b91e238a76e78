#include "editor/editor.h"

#include <algorithm>

#include "assets/catalogue.h"
#include "assets/translation.h"
#include "editor/palette.h"
#include "editor/storey_files.h"
#include "editor/test_run.h"
#include "editor/texts.h"
#include "editor/undo.h"
#include "editor/verdict.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"

const float EditorCameraSpeed = 600.0f;  // pixels per second

int EditorTool = TOOL_FLOORS;
int FloorBrush = BRUSH_EVERY_CELL;
int PaletteItem = 0;
bool PaletteOpen = false;
object_struct ObjectBrush{};
bool GridShown = false;
bool OverlayHidden = false;
std::string EditorMessage;
float EditorMessageTime = 0;

const char* const ScratchLevel = "temp.lvl";

// The item each tool had chosen when it was left.
static int ToolItems[TOOL_COUNT] = {};

void ShowEditorMessage(const std::string& text)
{
    EditorMessage = text;
    EditorMessageTime = EditorMessageSeconds;
}

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

static void SwitchToTool(int tool)
{
    if (EditorTool >= 0 && EditorTool < TOOL_COUNT)
        ToolItems[EditorTool] = PaletteItem;
    EditorTool = tool;
    PaletteItem = ToolItems[tool];
}

// F1 cycles floors, objects and enemies; F2 cycles player start, lift and
// cards. Each tool keeps the item it had chosen.
static void SwitchTools()
{
    if (Pressed(HGEK_F1)) {
        SwitchToTool(EditorTool + 1 > TOOL_ENEMIES ? TOOL_FLOORS : EditorTool + 1);
        FloorBrush = BRUSH_EVERY_CELL;
    }
    if (Pressed(HGEK_F1 + 1)) {
        SwitchToTool(EditorTool < TOOL_PLAYER_START || EditorTool + 1 > TOOL_CARDS ? TOOL_PLAYER_START
                                                                                   : EditorTool + 1);
        PaletteOpen = false;
    }
}

// Ctrl+S and the other Ctrl keys leave the camera where it is.
static void MoveEditorCamera(float dt)
{
    if (Held(HGEK_CTRL))
        return;
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
                SetFloor(CellIndex(x + i, y + j), (i == 0 && j == 0) ? type : -1);
}

static void RemoveAllFloors()
{
    for (int cell = 0; cell < (int)FloorMap.size(); cell++)
        if (FloorMap[cell] != -1)
            SetFloor(cell, -1);
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
        RemoveAllFloors();
    for (int brush = BRUSH_EVERY_CELL; brush <= BRUSH_EVEN_CELLS; brush++)
        if (Pressed('1' + brush))
            FloorBrush = brush;
    int x = AimCellX, y = AimCellY;
    if (!Held(HGEK_LBUTTON) || !CellInside(x, y) || !FloorBrushAllows(FloorBrush, x, y))
        return;
    if (Held(HGEK_SHIFT))
        SetFloor(CellIndex(x, y), -1);
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

// Ctrl+Z takes the last change back; Ctrl+Y and Ctrl+Shift+Z make it again.
static void HistoryKeys()
{
    if (!Held(HGEK_CTRL))
        return;
    bool redo = Pressed('Y') || (Pressed('Z') && Held(HGEK_SHIFT));
    if (redo)
        ShowEditorMessage(Tr(RedoStep() ? TextRedone : TextNothingToRedo));
    else if (Pressed('Z'))
        ShowEditorMessage(Tr(UndoStep() ? TextUndone : TextNothingToUndo));
}

static void ViewKeys()
{
    if (Pressed('G'))
        GridShown = !GridShown;
    if (Pressed('H'))
        OverlayHidden = !OverlayHidden;
    if (Pressed(HGEK_F1 + 8))
        CheckEditedStorey();
}

void EditorFrame(float dt, float mx, float my)
{
    EditorMessageTime = std::max(EditorMessageTime - dt, 0.0f);
    ForgetHistoryOfOtherStoreys();
    if (FileDialog != DIALOG_NONE) {
        FileDialogFrame(mx, my);
        return;
    }
    if (Pressed(HGEK_ESCAPE)) {
        WhitenObjectTypes();
        WorldMode = WORLD_PLAY;
    }
    StoreyFileKeys();
    HistoryKeys();
    if (Pressed(HGEK_F1 + 5)) {
        CloseEditStep();
        WhitenObjectTypes();
        StartTestRun();
        return;
    }
    OpenEditStep();
    ViewKeys();
    SwitchTools();
    MoveEditorCamera(dt);
    if (Pressed(HGEK_SPACE))
        PaletteOpen = !PaletteOpen;
    if (PaletteOpen)
        PaletteFrame(dt, mx, my);
    else
        ToolFrame();
    // A drag of the brush is one change, however many frames it lasts.
    if (!Held(HGEK_LBUTTON) || WorldMode != WORLD_EDIT)
        CloseEditStep();
}
