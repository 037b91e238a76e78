#include "screens/world_draw.h"

#include <algorithm>
#include <cmath>

#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "screens/hud.h"
#include "screens/hurt_flash.h"
#include "screens/lift_mark.h"
#include "screens/status_strip.h"
#include "world/storey.h"

const int FullLight = 250;  // cells this bright get no darkness at all

float ScreenX(float worldX)
{
    return worldX + ViewCentre.x - CameraX;
}

float ScreenY(float worldY)
{
    return worldY + ViewCentre.y - CameraY;
}

float WorldX(float screenX)
{
    return screenX - ViewCentre.x + CameraX;
}

float WorldY(float screenY)
{
    return screenY - ViewCentre.y + CameraY;
}

uint32_t DarknessColour(int light)
{
    return 0xFFFFFFFFu - (uint32_t)light * 0x01010101u;
}

void AnimateObjectTypes(float dt)
{
    for (object_type_struct& t : ObjectTypes)
        if (t.animation && t.animation->GetFrames() > 1)
            t.animation->Update(dt);
}

// VisibleCells as last computed, kept inside the grid: a storey loaded since
// (in the editor) may be smaller.
static cell_rect_struct DrawnCells()
{
    const cell_rect_struct& v = VisibleCells;
    return {std::max(v.MinCol, 0), std::max(v.MinRow, 0), std::min(v.MaxCol, LevelWidth - 1),
            std::min(v.MaxRow, LevelHeight - 1)};
}

static bool CellVisible(int x, int y)
{
    const cell_rect_struct& v = VisibleCells;
    return x >= v.MinCol && x <= v.MaxCol && y >= v.MinRow && y <= v.MaxRow;
}

// Only the visible rectangle is scanned, so the cost does not grow with the
// storey; sorting keeps the drawing in list order.
void CollectVisibleObjects(std::vector<int>* out)
{
    out->clear();
    cell_rect_struct v = DrawnCells();
    for (int y = v.MinRow; y <= v.MaxRow; y++)
        for (int x = v.MinCol; x <= v.MaxCol; x++)
            if (ObjectMap[CellIndex(x, y)] >= 0)
                out->push_back(ObjectMap[CellIndex(x, y)]);
    std::sort(out->begin(), out->end());
    out->erase(std::unique(out->begin(), out->end()), out->end());
}

// A floor tile larger than a cell is kept in its top-left cell only; it
// shows while any cell it covers has light, or a dark square would open in
// the fading floor where only its corner has gone dark.
static bool FloorLit(int x, int y, const floor_type_struct& type)
{
    for (int j = 0; j < type.height; j++)
        for (int i = 0; i < type.width; i++)
            if (CellInside(x + i, y + j) && LightMap[CellIndex(x + i, y + j)] != 0)
                return true;
    return false;
}

static void DrawFloors()
{
    cell_rect_struct v = DrawnCells();
    for (int x = v.MinCol; x <= v.MaxCol; x++) {
        for (int y = v.MinRow; y <= v.MaxRow; y++) {
            int f = FloorMap[CellIndex(x, y)];
            if (f < 0 || f >= (int)FloorTypes.size() || !FloorLit(x, y, FloorTypes[f]))
                continue;
            RenderSprite(FloorTypes[f].animation, ScreenX((float)x * CellWidth), ScreenY((float)y * CellHeight));
        }
    }
}

static void DrawPerson(hgeAnimation* legs, hgeAnimation* hands, hgeAnimation* head, float x, float y, float angle)
{
    float sx = ScreenX(x), sy = ScreenY(y);
    RenderSpriteEx(legs, sx, sy, angle);
    RenderSpriteEx(hands, sx, sy, angle);
    RenderSpriteEx(head, sx, sy, angle);
}

static void DrawCorpses()
{
    for (const enemy_struct& c : Corpses)
        if (CellVisible(c.cell_x, c.cell_y))
            DrawPerson(c.legs_anim.get(), c.hands_anim.get(), c.head_anim.get(), c.x, c.y, c.angle);
}

static bool UpperLayer(const object_struct& o)
{
    return o.is_door || ObjectTypeOf(o).kind == KIND_WALL;
}

// Walls and doors are drawn over the characters that walk against them.
static void DrawObjectLayer(const std::vector<int>& visible, bool upper)
{
    for (int i : visible) {
        const object_struct& o = Objects[i];
        if (UpperLayer(o) != upper)
            continue;
        hgeAnimation* sprite = o.is_door ? o.anim.get() : ObjectTypeOf(o).animation;
        RenderSpriteEx(sprite, ScreenX((float)(o.cell_x + o.offset_x) * CellWidth),
                       ScreenY((float)(o.cell_y + o.offset_y) * CellHeight), o.rotation * QuarterTurn);
    }
}

static hgeAnimation* AlarmMarker(int alarm)
{
    return Sprites[alarm < 10 ? SPR_ALARM_LOW : alarm < 20 ? SPR_ALARM_MIDDLE : SPR_ALARM_HIGH];
}

static void DrawDeveloperMarker(const enemy_struct& e)
{
    float sx = ScreenX(e.x), sy = ScreenY(e.y);
    RenderSprite(AlarmMarker(e.alarm), sx, sy);
    if (e.state > ES_WALK)
        return;
    if (HudFont)
        HudFont->printf(sx, sy, HGETEXT_CENTER, "%.2f", e.timer);
    if (e.state == ES_TURN)
        hge->Gfx_RenderLine(sx, sy, sx + 20 * cosf(e.target_angle), sy + 20 * sinf(e.target_angle), 0xFFFFFFFF, 0.5f);
    if (e.state == ES_ORIENT || e.state == ES_WALK)
        hge->Gfx_RenderLine(sx, sy, ScreenX((float)e.target_x * CellWidth + 10),
                            ScreenY((float)e.target_y * CellHeight + 10), 0xFFFFFFFF, 0.5f);
}

static void DrawEnemies()
{
    for (const enemy_struct& e : Enemies) {
        if (!CellVisible(e.cell_x, e.cell_y))
            continue;
        DrawPerson(e.legs_anim.get(), e.hands_anim.get(), e.head_anim.get(), e.x, e.y, e.angle);
        if (DeveloperMode && !e.dead)
            DrawDeveloperMarker(e);
    }
}

static bool CellLit(int cell)
{
    return cell >= 0 && cell < (int)LightMap.size() && LightMap[cell] > 0;
}

static void DrawEffects()
{
    for (const effect_struct& e : Effects)
        if (CellLit(e.cell))
            RenderSpriteEx(e.anim.get(), ScreenX(e.x), ScreenY(e.y), e.angle);
}

// The higher a grenade flies, the larger its frame: one frame per 24 of
// height, kept to the frames there are (a grenade can sink below the floor
// or bounce off a tall cabinet).
static void DrawGrenades()
{
    hgeAnimation* sprite = Sprites[SPR_GRENADE];
    if (!sprite)
        return;
    for (const grenade_struct& g : Grenades) {
        if (!CellLit(g.cell))
            continue;
        int frame = std::clamp((int)g.height / 24, 0, sprite->GetFrames() - 1);
        sprite->SetFrame(frame);
        sprite->RenderEx(ScreenX(g.x), ScreenY(g.y), g.rotation, 1.0f);
    }
}

static void DrawDarkness()
{
    hgeAnimation* black = Sprites[SPR_DARKNESS];
    if (!black)
        return;
    cell_rect_struct v = DrawnCells();
    for (int x = v.MinCol; x <= v.MaxCol; x++) {
        for (int y = v.MinRow; y <= v.MaxRow; y++) {
            int light = LightMap[CellIndex(x, y)];
            if (light >= FullLight)
                continue;
            black->SetColor(DarknessColour(light));
            black->Render(ScreenX((float)x * CellWidth), ScreenY((float)y * CellHeight));
        }
    }
}

void DrawWorld(float mx, float my)
{
    if (LightMap.empty())
        return;
    static std::vector<int> visible;
    CollectVisibleObjects(&visible);
    DrawFloors();
    DrawLiftMark();
    DrawCorpses();
    DrawObjectLayer(visible, false);
    DrawEnemies();
    DrawPerson(PlayerLegsAnim.get(), PlayerHandsAnim.get(), PlayerHeadAnim.get(), PlayerX, PlayerY, PlayerAngle);
    DrawPopupNumber();
    DrawObjectLayer(visible, true);
    DrawGrenades();
    DrawFloorCards();
    DrawEffects();
    DrawDarkness();
    DrawHurtFlash();
    DrawHeldCards();
    DrawStatusStrip();
    RenderSprite(Sprites[SPR_AIM], ceilf(mx), ceilf(my));
}
