#include "editor/overlay.h"

#include <algorithm>
#include <cmath>

#include "assets/character_sets.h"
#include "assets/translation.h"
#include "editor/editor.h"
#include "editor/palette.h"
#include "assets/shapes.h"
#include "editor/storey_files.h"
#include "editor/texts.h"
#include "editor/undo.h"
#include "editor/verdict.h"
#include "engine/cp1251.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/movement.h"
#include "screens/world_draw.h"
#include "world/level_file.h"
#include "world/storey.h"

const uint32_t Opaque = 0xFFFFFFFF;
const uint32_t MarkedTint = 0x99FF9999;  // translucent pink: will be removed, or cannot be placed
const uint32_t PreviewTint = 0x99FFFFFF; // what a click would place
const uint32_t DimTint = 0x66FFFFFF;     // marks of the other tools
const uint32_t LiftDimTint = 0x44FFFFFF; // the lift's picture is half transparent already
const uint32_t EnemyPaletteBackground = 0xFFCCCCCC;
const uint32_t GridColour = 0x40FFFFFF, EdgeColour = 0xA0FFFFFF;
const uint32_t PaintsColour = 0xFFFFFFFF, RefusedColour = 0xFFFF4040;
const uint32_t ChosenColour = 0xFFFFD040, HoverColour = 0xFFFFFFFF;
const uint32_t VerdictMarkColour = 0xFFFF3030;
const uint32_t NewsBox = 0xC0000000;
const float EnemyPreviewScale = 3.0f;

std::string EditorText;
// Lines shown at the foot of the picture: a palette's own, the news of the
// last save or load, the checker's verdict.
static std::vector<std::string> FootLines;

static std::string Num(int n)
{
    return std::to_string(n);
}

static const char* WeaponWord(int weapon)
{
    return weapon >= 0 && weapon <= 5 ? Tr(WeaponWords[weapon]) : "\n";
}

static float CellScreenX(int column)
{
    return ScreenX((float)column * CellWidth);
}

static float CellScreenY(int row)
{
    return ScreenY((float)row * CellHeight);
}

// Pictures are shared (an object type's by every object of the type and by
// play), so a tint lasts only for the one drawing.
static void RenderTinted(hgeAnimation* sprite, uint32_t colour, float x, float y, float rot = 0)
{
    if (!sprite)
        return;
    uint32_t was = sprite->GetColor();
    sprite->SetColor(colour);
    RenderSpriteEx(sprite, x, y, rot);
    sprite->SetColor(was);
}

static uint32_t ToolTint(int tool)
{
    return EditorTool == tool ? Opaque : DimTint;
}

static void OutlineCells(int column, int row, int w, int h, uint32_t colour)
{
    OutlineBox(CellScreenX(column), CellScreenY(row), (float)w * CellWidth, (float)h * CellHeight, colour);
}

// The cells in view, with a margin for floors and objects larger than one.
static cell_rect_struct CellsInView(float margin)
{
    float width = (float)hge->System_GetState(HGE_SCREENWIDTH), height = (float)hge->System_GetState(HGE_SCREENHEIGHT);
    int x0 = (int)floorf(WorldX(0) / CellWidth - margin), y0 = (int)floorf(WorldY(0) / CellHeight - margin);
    int x1 = (int)ceilf(WorldX(width) / CellWidth + margin), y1 = (int)ceilf(WorldY(height) / CellHeight + margin);
    return {std::max(x0, 0), std::max(y0, 0), std::min(x1, LevelWidth - 1), std::min(y1, LevelHeight - 1)};
}

static void DrawFloorsUnlit()
{
    cell_rect_struct v = CellsInView(3);
    for (int y = v.MinRow; y <= v.MaxRow; y++) {
        for (int x = v.MinCol; x <= v.MaxCol; x++) {
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

static void DrawGrid()
{
    cell_rect_struct v = CellsInView(1);
    float top = CellScreenY(v.MinRow), bottom = CellScreenY(v.MaxRow + 1);
    float left = CellScreenX(v.MinCol), right = CellScreenX(v.MaxCol + 1);
    for (int x = v.MinCol; x <= v.MaxCol + 1; x++)
        hge->Gfx_RenderLine(CellScreenX(x), top, CellScreenX(x), bottom, GridColour);
    for (int y = v.MinRow; y <= v.MaxRow + 1; y++)
        hge->Gfx_RenderLine(left, CellScreenY(y), right, CellScreenY(y), GridColour);
}

// A person stands at the centre of his cell, as he will in play.
static void DrawPerson(int legs, int hands, int weapon, int head, int column, int row, uint32_t tint)
{
    float x = ScreenX((column + 0.5f) * CellWidth), y = ScreenY((row + 0.5f) * CellHeight);
    RenderTinted(LegsAnimation(legs, LEGS_STOIT), tint, x, y);
    RenderTinted(HandsAnimation(hands, weapon, HANDS_STOIT), tint, x, y);
    RenderTinted(HeadAnimation(head, HEAD_BASE), tint, x, y);
}

// Everything placed on the storey shows in every tool, dimmed in the tools
// it does not belong to.
static void DrawStoreyMarks()
{
    if (CharacterSetsPresent())
        for (const enemy_start_struct& s : EnemyStarts)
            DrawPerson(s.legs_set, s.hands_set, s.weapon, s.head_set, s.cell_x, s.cell_y, ToolTint(TOOL_ENEMIES));
    if (SelectedStart >= 0 && SelectedStart < (int)EnemyStarts.size())
        OutlineCells(EnemyStarts[SelectedStart].cell_x, EnemyStarts[SelectedStart].cell_y, 1, 1, ChosenColour);
    if (EditorTool == TOOL_LIFT)
        RenderSprite(Sprites[SPR_LIFT], CellScreenX(LiftX), CellScreenY(LiftY));
    else
        RenderTinted(Sprites[SPR_LIFT], LiftDimTint, CellScreenX(LiftX), CellScreenY(LiftY));
    OutlineCells(LiftX - 1, LiftY - 1, 4, 4, EditorTool == TOOL_LIFT ? EdgeColour : GridColour);
    RenderTinted(Sprites[SPR_START], ToolTint(TOOL_PLAYER_START), CellScreenX(PlayerStartX),
                 CellScreenY(PlayerStartY));
}

// The keys the floor and object tools share.
static std::string BrushHelp()
{
    return Tr("Колесо мыши - перебор\n"_cp) + std::string(Tr("Shift+ЛКМ: удаление\n"_cp)) +
           Tr("Shift+del: полная очистка\n"_cp) + Tr("Пробел: палитра\n"_cp);
}

static void FloorToolView(int column, int row)
{
    static const char* const brushMarks[3] = {"*", "/", "\\"};
    bool any = PaletteItem >= 0 && PaletteItem < (int)FloorTypes.size();
    EditorText += Tr("F1, F2: пол\n1-3 Кисть: "_cp) + std::string(brushMarks[FloorBrush % 3]) + Tr("\nТип пола: "_cp) +
                  (any ? FloorTypes[PaletteItem].name : "") + "\n" + BrushHelp();
    if (!any)
        return;
    const floor_type_struct& f = FloorTypes[PaletteItem];
    bool erasing = hge->Input_GetKeyState(HGEK_SHIFT);
    bool paints = CellInside(column, row) && FloorBrushAllows(FloorBrush, column, row);
    if (!erasing)
        RenderTinted(f.animation, PreviewTint, CellScreenX(column), CellScreenY(row));
    int w = erasing ? 1 : std::max(f.width, 1), h = erasing ? 1 : std::max(f.height, 1);
    OutlineCells(column, row, w, h, paints ? PaintsColour : RefusedColour);
}

static void ObjectToolView(int column, int row)
{
    const object_struct& b = ObjectBrush;
    EditorText += Tr("F1, F2: объекты\n"_cp) + std::string(Tr("Тип объекта: "_cp)) + ObjectTypeOf(b).name + "\n" +
                  Tr("ПКМ вращение\n"_cp) + BrushHelp();
    if (!ObjectTypes.empty()) {
        int w, h;
        ObjectFootprint(b, &w, &h);
        RenderTinted(ObjectTypeOf(b).animation, b.marked ? MarkedTint : PreviewTint, CellScreenX(column + b.offset_x),
                     CellScreenY(row + b.offset_y), b.rotation * QuarterTurn);
        OutlineCells(column, row, w, h, b.marked ? RefusedColour : PaintsColour);
    }
}

static void EnemyToolView(int column, int row)
{
    const enemy_template_struct& t = EnemyTemplate;
    EditorText += Tr("1) Тип ног: "_cp) + Num(t.legs_set) + "\n" + Tr("2) Тип рук: "_cp) + Num(t.hands_set) + "\n" +
                  Tr("3) Тип головы: "_cp) + Num(t.head_set) + "\n" + Tr("4) Оружие: "_cp) +
                  WeaponWord(t.weapon) + Tr("5) Тревога: "_cp) +
                  Num(t.alarm) + "\n" + Tr("6) Жизни: "_cp) + Num(t.lives) + "\n";
    if (CharacterSetsPresent() && CellInside(column, row))
        DrawPerson(t.legs_set, t.hands_set, t.weapon, t.head_set, column, row, PreviewTint);
}

static void CardToolView(int column, int row)
{
    EditorText += Tr("F1, F2: Выбор расположения карточек\n"_cp);
    for (int k = 0; k < CARD_COUNT; k++) {
        const cell_struct& c = CardCell[k];
        EditorText += Tr(CardLabels[k]) + (c.x < 0 ? std::string(Tr("нет"_cp)) : Num(c.x) + ":" + Num(c.y)) + "\n";
    }
    if (PaletteItem >= 0 && PaletteItem < CARD_COUNT && CellInside(column, row))
        RenderTinted(Sprites[SPR_CARD_LIFT + PaletteItem], PreviewTint, CellScreenX(column) + 10,
                     CellScreenY(row) + 10);
}

static void ToolView(int column, int row)
{
    switch (EditorTool) {
    case TOOL_FLOORS: FloorToolView(column, row); break;
    case TOOL_OBJECTS: ObjectToolView(column, row); break;
    case TOOL_ENEMIES: EnemyToolView(column, row); break;
    case TOOL_PLAYER_START:
        EditorText += Tr("F1, F2: Выбор стартовой позиции игрока\n"_cp);
        RenderTinted(Sprites[SPR_START], PreviewTint, CellScreenX(column), CellScreenY(row));
        break;
    case TOOL_LIFT:
        EditorText += Tr("F1, F2: Выбор положения лифта\n"_cp);
        RenderSprite(Sprites[SPR_LIFT], CellScreenX(column), CellScreenY(row));
        OutlineCells(column - 1, row - 1, 4, 4, PaintsColour);
        break;
    case TOOL_CARDS: CardToolView(column, row); break;
    }
}

static const char* ToolHelp()
{
    switch (EditorTool) {
    case TOOL_FLOORS: return Tr(HelpFloorKeys);
    case TOOL_ENEMIES: return Tr(HelpEnemyKeys);
    case TOOL_PLAYER_START:
    case TOOL_LIFT: return Tr(HelpPlaceKeys);
    case TOOL_CARDS: return Tr(HelpCardKeys);
    }
    return "";
}

// The keys beyond the first help lines: the tool's own, then those of
// every tool.
static void AddKeyHelp()
{
    EditorText += ToolHelp();
    if (EditorTool == TOOL_ENEMIES && SelectedStart >= 0 && SelectedStart < (int)EnemyStarts.size())
        EditorText += Tr(TextSelected) + Num(EnemyStarts[SelectedStart].cell_x) + ":" +
                      Num(EnemyStarts[SelectedStart].cell_y) + "\n";
    EditorText += Tr(HelpCommonKeys);
    EditorText += Tr(TextHistory) + Num(UndoStepCount()) + " / " + Num(RedoStepCount()) + "\n";
}

static void DrawVerdictPlace()
{
    cell_struct at = VerdictPlace();
    if (!VerdictShown() || at.x < 0)
        return;
    for (int ring = 0; ring < 3; ring++)
        OutlineBox(CellScreenX(at.x) - ring, CellScreenY(at.y) - ring, (float)CellWidth + 2 * ring,
                   (float)CellHeight + 2 * ring, VerdictMarkColour);
}

// The mouse's cell is worked out here from this drawing's own mouse, so the
// view never shows the previous frame's.
static void StoreyView(float mx, float my)
{
    int column = CellOfCoordinate(floorf(WorldX(mx)), CellWidth);
    int row = CellOfCoordinate(floorf(WorldY(my)), CellHeight);
    DrawFloorsUnlit();
    DrawObjectsUnlit();
    if (GridShown)
        DrawGrid();
    OutlineCells(0, 0, LevelWidth, LevelHeight, EdgeColour);
    DrawStoreyMarks();
    EditorText += Tr("Карта "_cp) + Num(LevelWidth) + ":" + Num(LevelHeight) + "\n" + Tr("Мышь "_cp) + Num(column) + ":" +
                  Num(row) + "\n" + Tr("ЛКМ - добавление\n"_cp) + Tr("WASD - камера\n"_cp);
    ToolView(column, row);
    DrawVerdictPlace();
    EditorText += LoadedLevelName.empty() ? std::string(Tr(TextSaveUnnamed))
                                          : Tr("F5 сохранение "_cp) + LoadedLevelName + "\n";
    EditorText += Tr("F8 загрузка temp.lvl\n"_cp);
    AddKeyHelp();
}

static hgeAnimation* PaletteItemSprite(int palette, int item)
{
    return palette == PALETTE_FLOORS ? FloorTypes[item].animation : ObjectTypes[item].animation;
}

static std::string PaletteItemName(int palette, int item)
{
    return palette == PALETTE_FLOORS ? FloorTypes[item].name : ObjectTypes[item].name;
}

static void OutlineSlot(const palette_slot_struct& s, uint32_t colour)
{
    OutlineBox((float)s.x * CellWidth, (float)(s.y + 1) * CellHeight, (float)s.w * CellWidth, (float)s.h * CellHeight,
               colour);
}

// Palette pictures are placed by cell, without the camera, one row below the
// top so the text does not cover them. The chosen item is framed, and the
// one under the mouse named beside it.
static void DrawPalettePage(int palette, const char* title, float mx, float my)
{
    int page = *PalettePage(palette);
    int hovered = PaletteItemAt(palette, page, mx / CellWidth, my / CellHeight - 1);
    if (page >= 0 && page < PalettePageCount(palette)) {
        for (const palette_slot_struct& s : LayOutPalettePage(palette, PalettePageStarts[palette][page])) {
            RenderSprite(PaletteItemSprite(palette, s.item), (float)s.x * CellWidth, (float)(s.y + 1) * CellHeight);
            if (s.item == PaletteItem)
                OutlineSlot(s, ChosenColour);
            else if (s.item == hovered)
                OutlineSlot(s, HoverColour);
        }
    }
    EditorText += title + Num(page + 1) + Tr(" из "_cp) + Num(PalettePageCount(palette));
    if (PaletteItem >= 0 && PaletteItem < PaletteItemCount(palette))
        FootLines.push_back(Tr(TextChosen) + PaletteItemName(palette, PaletteItem));
    FootLines.push_back(Tr(HelpPaletteKeys));
    if (hovered >= 0 && HudFont)
        HudFont->Render(mx + 14, my + 4, HGETEXT_LEFT, PaletteItemName(palette, hovered).c_str());
}

// The figure with its weapon, large in the middle of the picture.
static void EnemyPaletteView()
{
    const enemy_template_struct& t = EnemyTemplate;
    hge->Gfx_Clear(EnemyPaletteBackground);
    EditorText += Tr("1) Тип ног: "_cp) + Num(t.legs_set + 1) + "; " + Tr("2) Тип рук: "_cp) + Num(t.hands_set + 1) + "; " +
                  Tr("4) Тип головы: "_cp) + Num(t.head_set + 1) + "\n";
    EditorText += std::string(Tr("3) Оружие: "_cp)) + WeaponWord(t.weapon) +
                  Tr(HelpEnemyPaletteKeys);
    if (!CharacterSetsPresent())
        return;
    float x = hge->System_GetState(HGE_SCREENWIDTH) / (ZoomOn ? 4.0f : 2.0f);
    float y = hge->System_GetState(HGE_SCREENHEIGHT) / (ZoomOn ? 4.0f : 2.0f);
    RenderSpriteEx(LegsAnimation(t.legs_set, LEGS_STOIT), x, y, 0, EnemyPreviewScale);
    RenderSpriteEx(HandsAnimation(t.hands_set, t.weapon, HANDS_STOIT), x, y, 0, EnemyPreviewScale);
    RenderSpriteEx(HeadAnimation(t.head_set, HEAD_BASE), x, y, 0, EnemyPreviewScale);
}

static void PaletteView(float mx, float my)
{
    switch (EditorTool) {
    case TOOL_FLOORS: DrawPalettePage(PALETTE_FLOORS, Tr("Палитра полов. Страница  "_cp), mx, my); break;
    case TOOL_OBJECTS: DrawPalettePage(PALETTE_OBJECTS, Tr("Палитра объектов. Страница  "_cp), mx, my); break;
    case TOOL_ENEMIES: EnemyPaletteView(); break;
    }
    RenderSprite(Sprites[SPR_AIM], ceilf(mx), ceilf(my));
}

// Every card slot, also one not on this storey (it then lies above and left
// of the first cell).
static void DrawCardSlots()
{
    uint32_t tint = PaletteOpen ? Opaque : ToolTint(TOOL_CARDS);
    for (int k = 0; k < CARD_COUNT; k++)
        RenderTinted(Sprites[SPR_CARD_LIFT + k], tint, ScreenX((float)CardCell[k].x * CellWidth + 10),
                     ScreenY((float)CardCell[k].y * CellHeight + 10));
}

// The foot lines, whether the help is shown or not. They are drawn on the
// picture itself, after the storey's view has been copied there (doubled
// when zoomed), so they keep their size and place.
static void DrawFootLines()
{
    if (EditorMessageTime > 0)
        FootLines.push_back(EditorMessage);
    if (VerdictShown() && !PaletteOpen)
        for (const std::string& line : VerdictLines())
            FootLines.push_back(line);
    if (FootLines.empty() || !HudFont)
        return;
    float bottom = hge->System_GetState(HGE_SCREENHEIGHT) - 6.0f;
    float height = HudFont->GetHeight() * FootLines.size(), top = bottom - height;
    float width = 0;
    for (const std::string& line : FootLines)
        width = std::max(width, HudFont->GetStringWidth(line.c_str()));
    FillBox(0, top - 4, width + 14, height + 8, NewsBox);
    for (size_t i = 0; i < FootLines.size(); i++)
        HudFont->Render(6, top + i * HudFont->GetHeight(), HGETEXT_LEFT, FootLines[i].c_str());
}

void RenderEditor(float mx, float my)
{
    EditorText.clear();
    FootLines.clear();
    if (PaletteOpen)
        PaletteView(mx, my);
    else
        StoreyView(mx, my);
    DrawCardSlots();
    if (HudFont)
        HudFont->Render(5, 5, HGETEXT_LEFT, OverlayHidden ? Tr(HelpHidden) : EditorText.c_str());
}

void RenderEditorOnScreen()
{
    DrawFootLines();
    DrawFileDialog();
}
