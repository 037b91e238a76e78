#include "editor/overlay.h"

#include <cmath>

#include "assets/character_sets.h"
#include "editor/editor.h"
#include "editor/palette.h"
#include "engine/cp1251.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "screens/world_draw.h"
#include "world/storey.h"

const uint32_t Opaque = 0xFFFFFFFF;
const uint32_t MarkedTint = 0x99FF9999;  // translucent pink: will be removed, or cannot be placed
const uint32_t EnemyPaletteBackground = 0xFFCCCCCC;

std::string EditorText;

static const char* const WeaponWords[6] = {
    "нет\n"_cp, "револьвер\n"_cp, "пистолет\n"_cp, "дробовик\n"_cp, "автомат\n"_cp, "граната\n"_cp,
};

static std::string Num(int n)
{
    return std::to_string(n);
}

static float CellScreenX(int column)
{
    return ScreenX((float)column * CellWidth);
}

static float CellScreenY(int row)
{
    return ScreenY((float)row * CellHeight);
}

// The object type pictures are shared by every object of the type and by
// play, so a tint lasts only for the one drawing.
static void RenderTinted(hgeAnimation* sprite, uint32_t colour, float x, float y, float rot)
{
    SetSpriteColor(sprite, colour);
    RenderSpriteEx(sprite, x, y, rot);
    SetSpriteColor(sprite, Opaque);
}

static void DrawFloorsUnlit()
{
    for (int y = 0; y < LevelHeight; y++) {
        for (int x = 0; x < LevelWidth; x++) {
            int f = FloorMap[CellIndex(x, y)];
            if (f >= 0 && f < (int)FloorTypes.size())
                RenderSprite(FloorTypes[f].animation, CellScreenX(x), CellScreenY(y));
        }
    }
}

// Doors too show their type's picture here, closed.
static void DrawObjectsUnlit()
{
    for (const object_struct& o : Objects)
        RenderTinted(ObjectTypeOf(o).animation, o.marked ? MarkedTint : Opaque, CellScreenX(o.cell_x + o.offset_x),
                     CellScreenY(o.cell_y + o.offset_y), o.rotation * QuarterTurn);
}

static void DrawPerson(int legs, int hands, int weapon, int head, int column, int row)
{
    float x = CellScreenX(column), y = CellScreenY(row);
    RenderSprite(LegsAnimation(legs, LEGS_STOIT), x, y);
    RenderSprite(HandsAnimation(hands, weapon, HANDS_STOIT), x, y);
    RenderSprite(HeadAnimation(head, HEAD_BASE), x, y);
}

static void FloorToolView(float mx, float my)
{
    static const char* const brushMarks[3] = {"*", "/", "\\"};
    bool any = !FloorTypes.empty() && PaletteItem >= 0 && PaletteItem < (int)FloorTypes.size();
    EditorText += "F1, F2: пол\n1-3 Кисть: "_cp + std::string(brushMarks[FloorBrush % 3]) + "\nТип пола: "_cp +
                  (any ? FloorTypes[PaletteItem].name : "") + "\n" + "Колесо мыши - перебор\n"_cp +
                  "Shift+ЛКМ: удаление\n"_cp + "Shift+del: полная очистка\n"_cp + "Пробел: палитра\n"_cp;
    if (any)
        RenderSprite(FloorTypes[PaletteItem].animation, mx, my);
}

static void ObjectToolView(int column, int row)
{
    const object_struct& b = ObjectBrush;
    EditorText += "F1, F2: объекты\n"_cp + std::string("Тип объекта: "_cp) + ObjectTypeOf(b).name + "\n" +
                  "ПКМ вращение\n"_cp + "Колесо мыши - перебор\n"_cp;
    if (!ObjectTypes.empty())
        RenderTinted(ObjectTypeOf(b).animation, b.marked ? MarkedTint : Opaque, CellScreenX(column + b.offset_x),
                     CellScreenY(row + b.offset_y), b.rotation * QuarterTurn);
    EditorText += "Shift+ЛКМ: удаление\n"_cp + std::string("Shift+del: полная очистка\n"_cp) + "Пробел: палитра\n"_cp;
}

static void EnemyToolView(int column, int row)
{
    const enemy_template_struct& t = EnemyTemplate;
    EditorText += "1) Тип ног: "_cp + Num(t.legs_set) + "\n" + "2) Тип рук: "_cp + Num(t.hands_set) + "\n" +
                  "3) Тип головы: "_cp + Num(t.head_set) + "\n" + "4) Оружие: "_cp +
                  (t.weapon >= 0 && t.weapon <= 5 ? WeaponWords[t.weapon] : "\n") + "5) Тревога: "_cp +
                  Num(t.alarm) + "\n" + "6) Жизни: "_cp + Num(t.lives) + "\n";
    if (CharacterSetsPresent())
        DrawPerson(t.legs_set, t.hands_set, t.weapon, t.head_set, column, row);
    for (const enemy_start_struct& s : EnemyStarts)
        DrawPerson(s.legs_set, s.hands_set, s.weapon, s.head_set, s.cell_x, s.cell_y);
}

static void CardToolView(float mx, float my)
{
    static const char* const cardNames[CARD_COUNT] = {"Карта для лифта: "_cp, "Красная карта: "_cp,
                                                      "Зеленая карта: "_cp, "Синяя карта: "_cp};
    EditorText += "F1, F2: Выбор расположения карточек\n"_cp;
    for (int k = 0; k < CARD_COUNT; k++) {
        const cell_struct& c = CardCell[k];
        EditorText += cardNames[k] + (c.x < 0 ? std::string("нет"_cp) : Num(c.x) + ":" + Num(c.y)) + "\n";
    }
    if (PaletteItem >= 0 && PaletteItem < CARD_COUNT)
        RenderSprite(Sprites[SPR_CARD_LIFT + PaletteItem], mx, my);
}

static void ToolView(float mx, float my, int column, int row)
{
    switch (EditorTool) {
    case TOOL_FLOORS: FloorToolView(mx, my); break;
    case TOOL_OBJECTS: ObjectToolView(column, row); break;
    case TOOL_ENEMIES: EnemyToolView(column, row); break;
    case TOOL_PLAYER_START:
        EditorText += "F1, F2: Выбор стартовой позиции игрока\n"_cp;
        SetSpriteColor(Sprites[SPR_START], Opaque);
        RenderSprite(Sprites[SPR_START], CellScreenX(column), CellScreenY(row));
        break;
    case TOOL_LIFT:
        EditorText += "F1, F2: Выбор положения лифта\n"_cp;
        RenderSprite(Sprites[SPR_LIFT], CellScreenX(column), CellScreenY(row));
        RenderSprite(Sprites[SPR_LIFT], CellScreenX(LiftX), CellScreenY(LiftY));
        break;
    case TOOL_CARDS: CardToolView(mx, my); break;
    }
}

// The mouse's cell is worked out here from this drawing's own mouse, so the
// view never shows the previous frame's.
static void StoreyView(float mx, float my)
{
    int column = CellOfCoordinate(floorf(WorldX(mx)), CellWidth);
    int row = CellOfCoordinate(floorf(WorldY(my)), CellHeight);
    DrawFloorsUnlit();
    DrawObjectsUnlit();
    EditorText += "Карта "_cp + Num(LevelWidth) + ":" + Num(LevelHeight) + "\n" + "Мышь "_cp + Num(column) + ":" +
                  Num(row) + "\n" + "ЛКМ - добавление\n"_cp + "WASD - камера\n"_cp;
    ToolView(mx, my, column, row);
    RenderSprite(Sprites[SPR_START], CellScreenX(PlayerStartX), CellScreenY(PlayerStartY));
    EditorText += "F5 сохранение temp.lvl\n"_cp + std::string("F8 загрузка temp.lvl\n"_cp);
}

static hgeAnimation* PaletteItemSprite(int palette, int item)
{
    return palette == PALETTE_FLOORS ? FloorTypes[item].animation : ObjectTypes[item].animation;
}

// Palette pictures are placed by cell, without the camera, one row below the
// top so the text does not cover them.
static void DrawPalettePage(int palette, const char* title)
{
    int page = *PalettePage(palette);
    if (page >= 0 && page < PalettePageCount(palette))
        for (const palette_slot_struct& s : LayOutPalettePage(palette, PalettePageStarts[palette][page]))
            RenderSprite(PaletteItemSprite(palette, s.item), (float)s.x * CellWidth, (float)(s.y + 1) * CellHeight);
    EditorText += title + Num(page + 1) + " из "_cp + Num(PalettePageCount(palette));
}

static void PaletteView(float mx, float my)
{
    const enemy_template_struct& t = EnemyTemplate;
    switch (EditorTool) {
    case TOOL_FLOORS: DrawPalettePage(PALETTE_FLOORS, "Палитра полов. Страница  "_cp); break;
    case TOOL_OBJECTS: DrawPalettePage(PALETTE_OBJECTS, "Палитра объектов. Страница  "_cp); break;
    case TOOL_ENEMIES:
        hge->Gfx_Clear(EnemyPaletteBackground);
        EditorText += "1) Тип ног: "_cp + Num(t.legs_set + 1) + "; " + "2) Тип рук: "_cp + Num(t.hands_set + 1) +
                      "; " + "4) Тип головы: "_cp + Num(t.head_set + 1) + "\n";
        break;
    }
    RenderSprite(Sprites[SPR_AIM], ceilf(mx), ceilf(my));
}

// Every card slot, also one not on this storey (it then lies above and left
// of the first cell).
static void DrawCardSlots()
{
    for (int k = 0; k < CARD_COUNT; k++)
        RenderSprite(Sprites[SPR_CARD_LIFT + k], ScreenX((float)CardCell[k].x * CellWidth + 10),
                     ScreenY((float)CardCell[k].y * CellHeight + 10));
}

void RenderEditor(float mx, float my)
{
    EditorText.clear();
    if (PaletteOpen)
        PaletteView(mx, my);
    else
        StoreyView(mx, my);
    DrawCardSlots();
    if (HudFont)
        HudFont->Render(5, 5, HGETEXT_LEFT, EditorText.c_str());
}
