// The level editor: its tools, palettes and scratch storey, driven through
// the play stage's frame as the game drives it, and the text of its view.
#include <gtest/gtest.h>

#include <filesystem>

#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "editor/editor.h"
#include "editor/overlay.h"
#include "editor/palette.h"
#include "editor/test_run.h"
#include "editor/undo.h"
#include "editor/verdict.h"
#include "engine/cp1251.h"
#include "foes/enemies.h"
#include "frame/modes.h"
#include "frame/play_frame.h"
#include "player/movement.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_catalogue.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey.h"

const int F2 = HGEK_F1 + 1, F5 = HGEK_F1 + 4, F8 = HGEK_F1 + 7;

struct EditorFixture : ::testing::Test {
    FakeEngineScope fake;
    int savedWorld = WorldMode;
    bool savedDeveloper = DeveloperMode;

    void SetUp() override
    {
        UseTestCatalogue();
        ResetStoreyGrid(10, 8);
        EnemyStarts.clear();
        Enemies.clear();
        Corpses.clear();
        for (int k = 0; k < CARD_COUNT; k++) {
            CardCell[k] = {-1, -1};
            CardHeld[k] = 1;
        }
        PlayerStartX = PlayerStartY = LiftX = LiftY = 1;
        // Three legs sets, five hands sets, seven heads, without pictures.
        LegsSets.assign(3, anim_legs_struct{});
        HandsSets.assign(5, anim_hands_struct{});
        HeadSets.assign(7, anim_heads_struct{});
        DeveloperMode = true;
        WorldMode = WORLD_EDIT;
        SetZoom(false);
        // The camera point sits at the view centre: target pixels are world pixels.
        CameraX = ViewCentre.x;
        CameraY = ViewCentre.y;
        EditorTool = TOOL_FLOORS;
        FloorBrush = BRUSH_EVERY_CELL;
        PaletteItem = 0;
        PaletteOpen = false;
        ObjectBrush = object_struct{};
        EnemyTemplate = {0, 0, 0, 0, 0, 10};
        SelectedStart = -1;
        LoadedLevelName = "temp.lvl";
        ForgetHistory();
        BuildPalettePages();
    }
    void TearDown() override
    {
        LegsSets.clear();
        HandsSets.clear();
        HeadSets.clear();
        ResetStoreyGrid(1, 1);
        Enemies.clear();
        EnemyStarts.clear();
        ForgetTestCatalogue();
        BuildPalettePages();
        WorldMode = savedWorld;
        DeveloperMode = savedDeveloper;
    }

    // One play-stage frame with the mouse at target pixel (mx, my).
    void FrameAtPixel(float mx, float my)
    {
        PlayPrologue(1.0f / 60, mx, my);
        fake.engine.ClearPresses();
    }
    // One frame with the mouse over the middle of cell (x, y).
    void FrameAt(int x, int y) { FrameAtPixel(x * 40 + 20.0f, y * 40 + 20.0f); }
    void Tap(int key, int x = 0, int y = 0)
    {
        fake.engine.Press(key);
        FrameAt(x, y);
        fake.engine.Release(key);
        FrameAt(x, y);
    }
    void SelectObjectType(int type)
    {
        EditorTool = TOOL_OBJECTS;
        PaletteItem = type;
    }
    int Floor(int x, int y) { return FloorMap[CellIndex(x, y)]; }
    int ObjectAt(int x, int y) { return ObjectMap[CellIndex(x, y)]; }
    std::string Text(float mx = 100, float my = 140)
    {
        RenderEditor(mx, my);
        return Utf8FromCp1251(EditorText);
    }
    // The first help lines, down to the storey keys; the key help follows.
    std::string FirstLines(float mx = 100, float my = 140)
    {
        std::string text = Text(mx, my);
        const std::string end = "F8 загрузка temp.lvl\n";
        size_t at = text.find(end);
        return at == std::string::npos ? text : text.substr(0, at + end.size());
    }
    std::string Message() { return Utf8FromCp1251(EditorMessage); }
    void Ctrl(int key, int x = 0, int y = 0)
    {
        fake.engine.Press(HGEK_CTRL);
        Tap(key, x, y);
        fake.engine.Release(HGEK_CTRL);
    }
};

TEST_F(EditorFixture, FloorBrushesPaintACheckerboardAndShiftErasesOnlyTheBrushsCells)
{
    fake.engine.Press('2');
    fake.engine.Press(HGEK_LBUTTON);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            FrameAt(x, y);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(Floor(x, y), (x + y) % 2 ? F_TILE : -1) << x << ", " << y;
    EXPECT_EQ(Floor(4, 0), -1);

    fake.engine.Press('1');
    for (int x = 0; x < 4; x++)
        FrameAt(x, 0);
    fake.engine.Press('3');
    fake.engine.Press(HGEK_SHIFT);
    for (int x = 0; x < 4; x++)
        FrameAt(x, 0);
    EXPECT_EQ(Floor(0, 0), -1);
    EXPECT_EQ(Floor(1, 0), F_TILE);
    EXPECT_EQ(Floor(2, 0), -1);
    EXPECT_EQ(Floor(3, 0), F_TILE);

    fake.engine.Release(HGEK_LBUTTON);
    fake.engine.Press(HGEK_DELETE);
    FrameAt(0, 0);
    EXPECT_EQ(std::count(FloorMap.begin(), FloorMap.end(), -1), (long)FloorMap.size());
}

TEST_F(EditorFixture, ALargeFloorEmptiesTheCellsItCoversButNothingBeyondTheEdge)
{
    std::fill(FloorMap.begin(), FloorMap.end(), F_TILE);
    PlaceFloor(F_PARQUET, 3, 2);
    EXPECT_EQ(Floor(3, 2), F_PARQUET);
    EXPECT_EQ(Floor(4, 2), -1);
    EXPECT_EQ(Floor(3, 3), -1);
    EXPECT_EQ(Floor(4, 3), -1);
    // On the last column the covered cells lie outside: the first cell of
    // the next row must keep its floor.
    PlaceFloor(F_PARQUET, 9, 6);
    EXPECT_EQ(Floor(9, 6), F_PARQUET);
    EXPECT_EQ(Floor(9, 7), -1);
    EXPECT_EQ(Floor(0, 7), F_TILE);
    PlaceFloor(F_PARQUET, 9, 7);
    EXPECT_EQ(Floor(9, 7), F_PARQUET);
}

TEST_F(EditorFixture, TheRightButtonTurnsTheBrushAndItsFootprint)
{
    SelectObjectType(T_DESK);  // 2 x 1
    fake.engine.Press(HGEK_RBUTTON);
    FrameAt(3, 3);
    EXPECT_EQ(ObjectBrush.rotation, 1);
    fake.engine.Press(HGEK_LBUTTON);
    FrameAt(3, 3);
    ASSERT_EQ(Objects.size(), 1u);
    EXPECT_EQ(ObjectAt(3, 3), 0);
    EXPECT_EQ(ObjectAt(3, 4), 0);
    EXPECT_EQ(ObjectAt(4, 3), -1);
    for (int turn = 0; turn < 3; turn++) {
        fake.engine.Press(HGEK_RBUTTON);
        FrameAt(6, 6);
    }
    EXPECT_EQ(ObjectBrush.rotation, 0);
}

TEST_F(EditorFixture, AnObjectReplacesWhatItCoversAndIsRefusedAtTheEdge)
{
    AddObject(MakeObject(T_WALL, 0), 3, 3, false);
    AddObject(MakeObject(T_WALL, 0), 4, 3, false);
    AddObject(MakeObject(T_LAMP, 0), 6, 3, false);
    SelectObjectType(T_DESK);
    fake.engine.Press(HGEK_LBUTTON);
    FrameAt(3, 3);
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[0].type, T_LAMP);
    EXPECT_EQ(Objects[1].type, T_DESK);
    EXPECT_EQ(ObjectAt(3, 3), 1);
    EXPECT_EQ(ObjectAt(4, 3), 1);
    EXPECT_EQ(ObjectAt(6, 3), 0);
    // Held over its own object, the brush puts a fresh one in its place.
    FrameAt(3, 3);
    EXPECT_EQ(Objects.size(), 2u);

    FrameAt(9, 5);  // the desk would reach column 10
    EXPECT_TRUE(ObjectBrush.marked);
    EXPECT_EQ(Objects.size(), 2u);
    FrameAt(-1, 5);
    FrameAt(5, -1);
    EXPECT_EQ(Objects.size(), 2u);
}

TEST_F(EditorFixture, ShiftDragRemovesOnlyTheObjectsUnderTheBrush)
{
    AddObject(MakeObject(T_WALL, 0), 2, 2, false);
    AddObject(MakeObject(T_WALL, 0), 3, 2, false);
    AddObject(MakeObject(T_WALL, 0), 5, 2, false);
    SelectObjectType(T_WALL);
    fake.engine.Press(HGEK_SHIFT);
    fake.engine.Press(HGEK_LBUTTON);
    FrameAt(2, 2);
    FrameAt(3, 2);
    FrameAt(4, 2);
    ASSERT_EQ(Objects.size(), 1u);
    EXPECT_EQ(Objects[0].cell_x, 5);
    EXPECT_EQ(ObjectAt(5, 2), 0);
}

TEST_F(EditorFixture, ShiftDeleteLeavesNoReferenceToARemovedObjectAndPlayGoesOn)
{
    AddObject(MakeObject(T_WALL, 0), 1, 1, false);
    AddObject(MakeObject(T_DOOR, 0), 4, 2, false);
    AddObject(MakeObject(T_RED_DOOR, 1), 6, 5, false);
    StruckObject = 1;
    SelectObjectType(T_WALL);
    fake.engine.Press(HGEK_SHIFT);
    fake.engine.Press(HGEK_DELETE);
    FrameAt(8, 7);
    EXPECT_TRUE(Objects.empty());
    EXPECT_TRUE(DoorList.empty());
    EXPECT_EQ(std::count(ObjectMap.begin(), ObjectMap.end(), -1), 80);
    EXPECT_EQ(std::count(DoorZoneMap.begin(), DoorZoneMap.end(), -1), 80);
    EXPECT_EQ(StruckObject, -1);

    fake.engine.Release(HGEK_SHIFT);
    PlayerX = 4 * 40 + 20, PlayerY = 2 * 40 + 20;  // in the old door's zone
    Tap(HGEK_ESCAPE);
    ASSERT_EQ(WorldMode, WORLD_PLAY);
    for (int frame = 0; frame < 30; frame++)
        FrameAt(4, 3);
    EXPECT_TRUE(Objects.empty());
}

TEST_F(EditorFixture, F1AndF2CycleTheirThreeToolsFromEveryTool)
{
    const int afterF1[6] = {TOOL_OBJECTS, TOOL_ENEMIES, TOOL_FLOORS, TOOL_FLOORS, TOOL_FLOORS, TOOL_FLOORS};
    const int afterF2[6] = {TOOL_PLAYER_START, TOOL_PLAYER_START, TOOL_PLAYER_START,
                            TOOL_LIFT,         TOOL_CARDS,        TOOL_PLAYER_START};
    for (int tool = 0; tool < 6; tool++) {
        EditorTool = tool;
        FloorBrush = BRUSH_EVEN_CELLS;
        Tap(HGEK_F1, 8, 7);
        EXPECT_EQ(EditorTool, afterF1[tool]) << "F1 from " << tool;
        EXPECT_EQ(FloorBrush, BRUSH_EVERY_CELL);
        EditorTool = tool;
        PaletteOpen = true;
        Tap(F2, 8, 7);
        EXPECT_EQ(EditorTool, afterF2[tool]) << "F2 from " << tool;
        EXPECT_FALSE(PaletteOpen);
    }
    // Each tool keeps the item it had chosen.
    EditorTool = TOOL_FLOORS;
    PaletteItem = F_PARQUET;
    Tap(HGEK_F1, 8, 7);
    PaletteItem = T_SOFA;
    Tap(HGEK_F1, 8, 7);
    Tap(HGEK_F1, 8, 7);
    EXPECT_EQ(PaletteItem, F_PARQUET);
    Tap(HGEK_F1, 8, 7);
    EXPECT_EQ(PaletteItem, T_SOFA);
}

TEST_F(EditorFixture, CtrlFiveThenAClickPlacesTheRiflemanAndHisEnemy)
{
    EditorTool = TOOL_ENEMIES;
    fake.engine.Press(HGEK_CTRL);
    Tap('5', 2, 3);
    fake.engine.Release(HGEK_CTRL);
    Tap(HGEK_LBUTTON, 2, 3);
    ASSERT_EQ(EnemyStarts.size(), 1u);
    const enemy_start_struct& s = EnemyStarts[0];
    EXPECT_EQ(s.legs_set, 2);
    EXPECT_EQ(s.hands_set, 3);
    EXPECT_EQ(s.head_set, 5);
    EXPECT_EQ(s.alarm, 8);
    EXPECT_EQ(s.lives, 20);
    EXPECT_EQ(s.weapon, 4);
    EXPECT_EQ(s.cell_x, 2);
    EXPECT_EQ(s.cell_y, 3);
    ASSERT_EQ(Enemies.size(), 1u);
    const enemy_struct& e = Enemies[0];
    EXPECT_EQ(e.legs_set, 2);
    EXPECT_EQ(e.hands_set, 3);
    EXPECT_EQ(e.head_set, 5);
    EXPECT_EQ(e.alarm, 8);
    EXPECT_EQ(e.health, 20);
    EXPECT_EQ(e.weapon, 4);
    EXPECT_FLOAT_EQ(e.x, 2.5f * 40);

    // Delete forgets the starts; the enemies made from them stay.
    Tap(HGEK_DELETE);
    EXPECT_TRUE(EnemyStarts.empty());
    EXPECT_EQ(Enemies.size(), 1u);
}

TEST_F(EditorFixture, EnemyKeysRaiseTheTemplateAndWrapIt)
{
    EditorTool = TOOL_ENEMIES;
    for (int i = 0; i < 3; i++)
        Tap('1');
    EXPECT_EQ(EnemyTemplate.legs_set, 0);  // three legs sets
    for (int i = 0; i < 4; i++)
        Tap('4');
    EXPECT_EQ(EnemyTemplate.weapon, 4);
    Tap('4');
    EXPECT_EQ(EnemyTemplate.weapon, 0);
    for (int i = 0; i < 7; i++)
        Tap('5');
    EXPECT_EQ(EnemyTemplate.alarm, 35);
    Tap('5');
    EXPECT_EQ(EnemyTemplate.alarm, 0);
    for (int i = 0; i < 5; i++)
        Tap('6');
    EXPECT_EQ(EnemyTemplate.lives, 35);
    Tap('6');
    EXPECT_EQ(EnemyTemplate.lives, 0);

    // The palette offers the grenade too, and counts its keys differently.
    PaletteOpen = true;
    for (int i = 0; i < 5; i++)
        Tap('3');
    EXPECT_EQ(EnemyTemplate.weapon, 5);
    Tap('3');
    EXPECT_EQ(EnemyTemplate.weapon, 0);
    Tap('4');
    EXPECT_EQ(EnemyTemplate.head_set, 1);
}

TEST_F(EditorFixture, NothingIsPlacedOutsideTheStoreyOrWithoutCharacterSets)
{
    EditorTool = TOOL_ENEMIES;
    Tap(HGEK_LBUTTON, -1, 2);
    Tap(HGEK_LBUTTON, 10, 2);
    Tap(HGEK_LBUTTON, 3, 8);
    fake.engine.Press(HGEK_LBUTTON);
    FrameAtPixel(-10, 60);  // just left of column 0
    fake.engine.Release(HGEK_LBUTTON);
    EXPECT_TRUE(EnemyStarts.empty());
    HeadSets.clear();
    Tap(HGEK_LBUTTON, 3, 3);
    EXPECT_TRUE(EnemyStarts.empty());
    EXPECT_TRUE(Enemies.empty());

    EditorTool = TOOL_PLAYER_START;
    Tap(HGEK_LBUTTON, 10, 0);
    EXPECT_EQ(PlayerStartX, 1);
    Tap(HGEK_LBUTTON, 9, 7);
    EXPECT_EQ(PlayerStartX, 9);
    EXPECT_EQ(PlayerStartY, 7);

    EditorTool = TOOL_LIFT;
    Tap(HGEK_LBUTTON, 9, 3);
    Tap(HGEK_LBUTTON, 3, 7);
    EXPECT_EQ(LiftX, 1);
    Tap(HGEK_LBUTTON, 8, 6);
    EXPECT_EQ(LiftX, 8);
    EXPECT_EQ(LiftY, 6);

    EditorTool = TOOL_CARDS;
    PaletteItem = -3;  // wraps to the red card
    Tap(HGEK_LBUTTON, 12, 2);
    EXPECT_EQ(CardCell[CARD_RED].x, -1);
    Tap(HGEK_LBUTTON, 5, 2);
    EXPECT_EQ(CardCell[CARD_RED].x, 5);
    EXPECT_EQ(CardCell[CARD_RED].y, 2);
    EXPECT_EQ(CardHeld[CARD_RED], 0);  // it has to be found now
    Tap(HGEK_RBUTTON, 0, 0);
    EXPECT_EQ(CardCell[CARD_RED].x, -1);
    EXPECT_EQ(CardHeld[CARD_RED], 1);
}

TEST_F(EditorFixture, ReleasingTheButtonOverAPaletteItemPicksIt)
{
    // Objects lie in one row: wall, desk, wreck, door (1 x 2) at 5, sofa
    // (3 x 2) at 6, rug at 9, ...
    EditorTool = TOOL_OBJECTS;
    Tap(HGEK_SPACE);
    ASSERT_TRUE(PaletteOpen);
    FrameAtPixel(5, 15);  // above the palette area
    fake.engine.Release(HGEK_LBUTTON);
    FrameAtPixel(5, 15);
    EXPECT_TRUE(PaletteOpen);
    fake.engine.Release(HGEK_LBUTTON);
    FrameAtPixel(6 * 40 + 1, 2 * 40 + 39);  // second row of the sofa
    EXPECT_FALSE(PaletteOpen);
    EXPECT_EQ(PaletteItem, T_SOFA);
    Tap(HGEK_SPACE);
    fake.engine.Release(HGEK_LBUTTON);
    FrameAtPixel(5 * 40, 2 * 40);  // the door's left edge, second row
    EXPECT_EQ(PaletteItem, T_DOOR);

    // Any wheel step is taken; one page wraps onto itself.
    Tap(HGEK_SPACE);
    fake.engine.wheel = -7;
    FrameAt(0, 0);
    EXPECT_EQ(ObjectPalettePage, 0);
}

TEST_F(EditorFixture, AnEmptyCatalogueLeavesNothingToPickPlaceOrDraw)
{
    ObjectTypes.clear();
    FloorTypes.clear();
    BuildPalettePages();
    for (int tool : {TOOL_FLOORS, TOOL_OBJECTS}) {
        EditorTool = tool;
        fake.engine.wheel = -5;
        fake.engine.Press(HGEK_LBUTTON);
        FrameAt(2, 2);
        EXPECT_EQ(PaletteItem, 0);
        Text();
        PaletteOpen = true;
        fake.engine.wheel = 3;
        FrameAt(2, 2);
        fake.engine.Release(HGEK_LBUTTON);
        FrameAt(2, 2);
        EXPECT_TRUE(PaletteOpen);
        Text();
        PaletteOpen = false;
    }
    EXPECT_EQ(std::count(FloorMap.begin(), FloorMap.end(), -1), 80);
    EXPECT_TRUE(Objects.empty());
    EXPECT_TRUE(fake.engine.quads.empty());
}

struct PaletteFixture : ::testing::Test {
    FakeEngineScope fake;
    void SetUp() override
    {
        SetZoom(false);
        // Thirty 3 x 3 types, then one taller than any palette.
        ObjectTypes.assign(30, {"Box", nullptr, 0, "", 0, 60, 80, 0, 3, 3});
        ObjectTypes.push_back({"Tower", nullptr, 0, "", 0, 60, 80, 0, 1, 20});
        ObjectTypes.push_back({"Box", nullptr, 0, "", 0, 60, 80, 0, 3, 3});
    }
    void TearDown() override
    {
        SetZoom(false);
        ObjectTypes.clear();
        BuildPalettePages();
    }
    // Every placed item lies inside the picture, below the title row.
    void ExpectPagesInsideThePicture(int scale)
    {
        for (int first : PalettePageStarts[PALETTE_OBJECTS])
            for (const palette_slot_struct& s : LayOutPalettePage(PALETTE_OBJECTS, first))
                if (s.item != 30) {
                    EXPECT_LE((s.x + s.w) * 40 * scale, 800) << "item " << s.item;
                    EXPECT_LE((s.y + 1 + s.h) * 40 * scale, 590) << "item " << s.item;
                }
    }
};

TEST_F(PaletteFixture, PagesFitThePictureZoomedOrNot)
{
    BuildPalettePages();
    // 6 boxes a row, 4 rows (13 fit below the title row, not 15); the tower
    // takes a page of its own (the last box joins it) instead of an endless
    // run of empty ones.
    EXPECT_EQ(PalettePageStarts[PALETTE_OBJECTS], (std::vector<int>{0, 24, 30}));
    ExpectPagesInsideThePicture(1);
    ObjectPalettePage = 2;
    SetZoom(true);
    BuildPalettePages();
    EXPECT_EQ(ObjectPalettePage, 0);
    // Zoomed, the picture shows 10 x 6 cells of the palette: 3 boxes a row, 2 rows.
    EXPECT_EQ(PalettePageStarts[PALETTE_OBJECTS], (std::vector<int>{0, 6, 12, 18, 24, 30}));
    ExpectPagesInsideThePicture(2);
    EXPECT_EQ(PaletteItemAt(PALETTE_OBJECTS, 1, 3.0f, 5.99f), 10);
    EXPECT_EQ(PaletteItemAt(PALETTE_OBJECTS, 1, 9.0f, 0.0f), -1);
    EXPECT_EQ(PaletteItemAt(PALETTE_OBJECTS, 6, 0.0f, 0.0f), -1);
}

TEST_F(EditorFixture, OverlayTextOfTheStoreyView)
{
    FloorBrush = BRUSH_ODD_CELLS;
    const std::string head = "Карта 10:8\nМышь 2:3\nЛКМ - добавление\nWASD - камера\n";
    const std::string tail = "F5 сохранение temp.lvl\nF8 загрузка temp.lvl\n";
    EXPECT_EQ(FirstLines(), head +
                          "F1, F2: пол\n1-3 Кисть: /\nТип пола: Tile\nКолесо мыши - перебор\n"
                          "Shift+ЛКМ: удаление\nShift+del: полная очистка\nПробел: палитра\n" +
                          tail);
    FloorBrush = BRUSH_EVEN_CELLS;
    EXPECT_NE(Text().find("Кисть: \\\n"), std::string::npos);

    SelectObjectType(T_SOFA);
    FrameAt(2, 3);
    EXPECT_EQ(FirstLines(), head +
                          "F1, F2: объекты\nТип объекта: Sofa\nПКМ вращение\nКолесо мыши - перебор\n"
                          "Shift+ЛКМ: удаление\nShift+del: полная очистка\nПробел: палитра\n" +
                          tail);

    EditorTool = TOOL_ENEMIES;
    EnemyTemplate = {2, 3, 5, 4, 8, 20};
    EXPECT_EQ(FirstLines(), head +
                          "1) Тип ног: 2\n2) Тип рук: 3\n3) Тип головы: 5\n4) Оружие: автомат\n"
                          "5) Тревога: 8\n6) Жизни: 20\n" +
                          tail);

    EditorTool = TOOL_PLAYER_START;
    EXPECT_EQ(FirstLines(), head + "F1, F2: Выбор стартовой позиции игрока\n" + tail);
    EditorTool = TOOL_LIFT;
    EXPECT_EQ(FirstLines(), head + "F1, F2: Выбор положения лифта\n" + tail);
    EditorTool = TOOL_CARDS;
    EXPECT_EQ(FirstLines(), head +
                          "F1, F2: Выбор расположения карточек\nКарта для лифта: нет\nКрасная карта: нет\n"
                          "Зеленая карта: нет\nСиняя карта: нет\n" +
                          tail);
    CardCell[CARD_GREEN] = {7, 0};
    EXPECT_NE(Text().find("Зеленая карта: 7:0\n"), std::string::npos);

    // Left of and above the storey the mouse is in cell -1, not 0.
    const std::string corner = "Карта 10:8\nМышь -1:-1\n";
    EXPECT_EQ(Text(-1, -0.5f).substr(0, corner.size()), corner);
}

TEST_F(EditorFixture, OverlayTextOfThePalettes)
{
    PaletteOpen = true;
    EXPECT_EQ(Text(), "Палитра полов. Страница  1 из 1");
    EditorTool = TOOL_OBJECTS;
    EXPECT_EQ(Text(), "Палитра объектов. Страница  1 из 1");
    EditorTool = TOOL_ENEMIES;
    EnemyTemplate = {0, 4, 6, 5, 0, 10};
    EXPECT_EQ(Text().find("1) Тип ног: 1; 2) Тип рук: 5; 4) Тип головы: 7\n3) Оружие: граната\n"), 0u);
    EXPECT_EQ(fake.engine.clears.back(), 0xFFCCCCCCu);
    for (int tool : {TOOL_PLAYER_START, TOOL_LIFT, TOOL_CARDS}) {
        EditorTool = tool;
        EXPECT_EQ(Text(), "");
    }
}

TEST_F(EditorFixture, MarkingTintsOnlyTheDrawingNeverADoorOfPlay)
{
    object_type_struct& door = ObjectTypes[T_DOOR];
    SelectObjectType(T_DOOR);
    FrameAt(4, 7);  // a 1 x 2 door on the last row leaves the storey
    ASSERT_TRUE(ObjectBrush.marked);
    RenderEditor(4 * 40 + 20, 7 * 40 + 20);
    ASSERT_FALSE(fake.engine.quads.empty());
    EXPECT_EQ(fake.engine.quads.back().v[0].col, 0x99FF9999u);
    EXPECT_EQ(door.animation->GetColor(), 0xFFFFFFFFu);

    // However the type's picture was left, a new door starts opaque white.
    door.animation->SetColor(0x99FF9999);
    EXPECT_EQ(MakeObject(T_DOOR, 0).anim->GetColor(), 0xFFFFFFFFu);
    Tap(HGEK_ESCAPE);
    EXPECT_EQ(door.animation->GetColor(), 0xFFFFFFFFu);
}

struct ScratchStoreyFixture : EditorFixture {
    TempDir dir;
    std::unique_ptr<ChangeDir> in;
    void SetUp() override
    {
        EditorFixture::SetUp();
        in = std::make_unique<ChangeDir>(dir.path);
    }
    void TearDown() override
    {
        in.reset();
        EditorFixture::TearDown();
    }
};

TEST_F(ScratchStoreyFixture, F5ThenF8GivesBackTheEditedStorey)
{
    std::filesystem::create_directories(dir.path + "/data");
    PlaceFloor(F_TILE, 0, 0);
    PlaceFloor(F_PARQUET, 4, 4);
    AddObject(MakeObject(T_SOFA, 3), 1, 1, false);
    AddObject(MakeObject(T_DOOR, 1), 6, 2, false);
    EnemyStarts.push_back({15, 3, 1, 2, 4, 1, 7, 6});
    CardCell[CARD_LIFT] = {8, 1};
    PlayerStartX = 2, PlayerStartY = 6;
    LiftX = 7, LiftY = 5;
    std::vector<int> floors = FloorMap, objects = ObjectMap, zones = DoorZoneMap, doors = DoorList;

    Tap(F5);
    ResetStoreyGrid(3, 3);
    EnemyStarts.clear();
    CardCell[CARD_LIFT] = {-1, -1};
    PlayerStartX = LiftX = 0;
    Tap(F8);
    EXPECT_TRUE(fake.engine.messages.empty());
    EXPECT_EQ(LevelWidth, 10);
    EXPECT_EQ(LevelHeight, 8);
    EXPECT_EQ(FloorMap, floors);
    EXPECT_EQ(ObjectMap, objects);
    EXPECT_EQ(DoorZoneMap, zones);
    EXPECT_EQ(DoorList, doors);
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[0].rotation, 3);
    EXPECT_EQ(Objects[1].type, T_DOOR);
    ASSERT_EQ(EnemyStarts.size(), 1u);
    EXPECT_EQ(EnemyStarts[0].head_set, 4);
    EXPECT_EQ(EnemyStarts[0].cell_y, 6);
    EXPECT_EQ(Enemies.size(), 1u);
    EXPECT_EQ(CardCell[CARD_LIFT].x, 8);
    EXPECT_EQ(CardHeld[CARD_LIFT], 0);
    EXPECT_EQ(PlayerStartX, 2);
    EXPECT_EQ(LiftX, 7);
    EXPECT_EQ(LiftY, 5);
    // The editor's own load is a step; a load elsewhere (the menu after a
    // death) leaves nothing to take back.
    EXPECT_EQ(UndoStepCount(), 1);
    ASSERT_TRUE(LoadLevel("temp.lvl"));
    FrameAt(0, 0);
    EXPECT_EQ(UndoStepCount(), 0);
}

TEST_F(ScratchStoreyFixture, FailedSaveAndLoadAreReportedOnScreen)
{
    dir.Write("data", "a file where the folder should be");
    Tap(F5);
    EXPECT_EQ(Message(), "Не удалось сохранить temp.lvl: папка недоступна для записи");
    Tap(F8);
    EXPECT_EQ(Message(), "Не удалось загрузить temp.lvl: такого файла нет");
    EXPECT_TRUE(fake.engine.messages.empty());
    EXPECT_EQ(LevelWidth, 10);  // the storey stays as it was
    EXPECT_EQ(UndoStepCount(), 0);
}

TEST_F(EditorFixture, UndoTakesBackEveryEditAndADragIsOneStep)
{
    fake.engine.Press(HGEK_LBUTTON);
    for (int x = 1; x <= 4; x++)
        FrameAt(x, 1);
    fake.engine.Release(HGEK_LBUTTON);
    FrameAt(4, 1);
    EXPECT_EQ(UndoStepCount(), 1);
    SelectObjectType(T_DESK);
    Tap(HGEK_LBUTTON, 2, 3);
    EditorTool = TOOL_ENEMIES;
    Tap(HGEK_LBUTTON, 6, 5);
    Tap(HGEK_DELETE);  // the start goes, its enemy stays
    EditorTool = TOOL_FLOORS;
    fake.engine.Press(HGEK_SHIFT);
    Tap(HGEK_DELETE);
    fake.engine.Release(HGEK_SHIFT);
    ASSERT_EQ(UndoStepCount(), 5);
    EXPECT_EQ(Floor(2, 1), -1);

    Ctrl('Z');
    Ctrl('Z');
    EXPECT_EQ(Floor(2, 1), F_TILE);
    EXPECT_EQ(EnemyStarts.size(), 1u);
    EXPECT_EQ(Enemies.size(), 1u);  // the start found its enemy still standing
    Ctrl('Z');
    EXPECT_TRUE(Enemies.empty());  // taking back a placed start takes its enemy too
    Ctrl('Z');
    EXPECT_TRUE(Objects.empty());
    Ctrl('Z');
    EXPECT_EQ(Floor(1, 1), -1);
    Ctrl('Z');
    EXPECT_EQ(Message(), "Отменять нечего");

    Ctrl('Y');
    EXPECT_EQ(Floor(4, 1), F_TILE);
    fake.engine.Press(HGEK_SHIFT);
    Ctrl('Z');  // Ctrl+Shift+Z makes a step again too
    fake.engine.Release(HGEK_SHIFT);
    ASSERT_EQ(Objects.size(), 1u);
    EXPECT_EQ(ObjectAt(3, 3), 0);
    Ctrl('Y');
    EXPECT_EQ(Enemies.size(), 1u);
    EXPECT_EQ(RedoStepCount(), 2);
    Tap(HGEK_LBUTTON, 7, 7);  // a new edit forgets what was taken back
    EXPECT_EQ(RedoStepCount(), 0);
}

TEST_F(EditorFixture, HistoryKeepsTwoHundredSteps)
{
    EditorTool = TOOL_CARDS;
    for (int step = 0; step < UndoDepth + 5; step++)
        Tap(HGEK_LBUTTON, step % 10, step / 10 % 8);
    EXPECT_EQ(UndoStepCount(), UndoDepth);
    while (UndoStepCount() > 0)
        Ctrl('Z');
    EXPECT_EQ(CardCell[CARD_LIFT].x, 4);  // where the fifth step put it
    EXPECT_EQ(CardCell[CARD_LIFT].y, 0);
}

TEST_F(EditorFixture, AnEnemyIsPickedNearItMovedByDragAndRemovedWithBackspace)
{
    EditorTool = TOOL_ENEMIES;
    Tap(HGEK_LBUTTON, 2, 2);
    EnemyTemplate.weapon = 2;
    Tap(HGEK_LBUTTON, 5, 2);
    ASSERT_EQ(Enemies.size(), 2u);
    fake.engine.Press(HGEK_LBUTTON);
    FrameAtPixel(2 * 40 + 30, 2 * 40 + 10);  // near the first one's centre
    EXPECT_EQ(SelectedStart, 0);
    FrameAt(3, 4);
    FrameAt(3, 5);
    fake.engine.Release(HGEK_LBUTTON);
    FrameAt(3, 5);
    EXPECT_EQ(EnemyStarts[0].cell_x, 3);
    EXPECT_EQ(EnemyStarts[0].cell_y, 5);
    EXPECT_FLOAT_EQ(Enemies[0].y, 5.5f * 40);
    EXPECT_EQ(UndoStepCount(), 3);  // two placed, one moved

    Tap(HGEK_BACKSPACE);
    ASSERT_EQ(EnemyStarts.size(), 1u);
    ASSERT_EQ(Enemies.size(), 1u);
    EXPECT_EQ(Enemies[0].weapon, 2);  // the other one stays
    Ctrl('Z');
    Ctrl('Z');
    ASSERT_EQ(Enemies.size(), 2u);
    EXPECT_EQ(EnemyStarts[0].cell_x, 2);
    EXPECT_EQ(std::count_if(Enemies.begin(), Enemies.end(), [](const enemy_struct& e) { return e.cell_x == 2; }), 1);
}

TEST_F(EditorFixture, TheVerdictNamesTheFirstReasonAndItsPlaceUntilTheStoreyChanges)
{
    SelectObjectType(T_WALL);
    fake.engine.Press(HGEK_LBUTTON);
    for (int y = 0; y < 8; y++)
        FrameAt(5, y);
    fake.engine.Release(HGEK_LBUTTON);
    FrameAt(5, 7);
    PlayerStartX = PlayerStartY = 2;
    LiftX = 7, LiftY = 3;
    Tap(HGEK_F1 + 8);
    ASSERT_TRUE(VerdictShown());
    std::vector<std::string> lines = VerdictLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Utf8FromCp1251(lines[0]), "Проверка: этаж нельзя пройти");
    EXPECT_EQ(Utf8FromCp1251(lines[1]), "До лифта 7:3 не дойти");
    EXPECT_EQ(VerdictPlace().x, 7);
    Ctrl('Z');
    EXPECT_FALSE(VerdictShown());
    Tap(HGEK_F1 + 8);
    EXPECT_EQ(Utf8FromCp1251(VerdictLines()[0]), "Проверка: этаж можно пройти");
}

TEST_F(EditorFixture, ATestRunComesBackWithTheStoreyAsItWas)
{
    AddObject(MakeObject(T_DOOR, 0), 6, 2, false);
    AddObject(MakeObject(T_DESK, 0), 2, 5, false);
    Objects[0].door_state = DOOR_OPEN;
    Objects[1].hp = 1;
    EnemyStarts.push_back({15, 3, 1, 2, 4, 1, 8, 6});
    PlayerStartX = 1, PlayerStartY = 1;
    PlayerX = 300, PlayerY = 200;
    Health = 7;
    MaxHealth = 20;
    CampaignStep = 0;
    // Escape, death and the lift each end a run.
    for (int how : {TEST_RUN_ESCAPE, TEST_RUN_DIED, TEST_RUN_LIFT}) {
        Tap(HGEK_F1 + 5);
        ASSERT_TRUE(TestRunActive());
        EXPECT_EQ(WorldMode, WORLD_PLAY);
        EXPECT_EQ(Objects[0].door_state, DOOR_CLOSED);
        EXPECT_EQ(Objects[1].hp, ObjectTypes[T_DESK].armor);
        EXPECT_EQ(Enemies.size(), 1u);
        EXPECT_EQ(Health, 20);
        if (how == TEST_RUN_DIED) {
            Health = -1;
            FrameAt(0, 0);
            Tap(HGEK_SPACE);  // Space cuts the death short
        } else if (how == TEST_RUN_LIFT) {
            LiftX = LiftY = 1;  // the player stands in the lift area, and there is no lift card
            Tap(HGEK_SPACE);
        } else {
            Tap(HGEK_ESCAPE);
        }
        EXPECT_FALSE(TestRunActive()) << how;
        EXPECT_EQ(GameMode, MODE_GAME);
        EXPECT_EQ(WorldMode, WORLD_EDIT);
        EXPECT_EQ(CampaignStep, 0);
        EXPECT_EQ(Objects[0].door_state, DOOR_OPEN);
        EXPECT_EQ(Objects[1].hp, 1);
        EXPECT_TRUE(Enemies.empty());
        EXPECT_EQ(PlayerX, 300);
        EXPECT_EQ(Health, 7);
        EXPECT_EQ(LiftX, 1);
        EXPECT_EQ(Message().rfind("Проба окончена", 0), 0u);
    }
}
