#include "editor/enemy_tool.h"

#include <algorithm>

#include "assets/character_sets.h"
#include "editor/undo.h"
#include "foes/enemies.h"
#include "frame/program.h"
#include "player/movement.h"

const int EnemyValueStep = 5;     // keys 5 and 6 raise alarm and lives by this
const int EnemyValueMax = 35;     // alarm and lives above this start again at 0
const int StoreyWeaponMax = 4;    // enemies placed on the storey carry up to the rifle
const int PaletteWeaponMax = 5;   // the palette also offers the grenade
const float PickRadius = 20.0f;   // a click this close to a start's centre picks it

enemy_template_struct EnemyTemplate = {0, 0, 0, 0, 0, 10};
int SelectedStart = -1;
static bool DraggingStart = false;

// Ctrl+1 .. Ctrl+5: legs, hands, head, weapon, alarm, lives.
static const enemy_template_struct EnemyPresets[5] = {
    {0, 0, 0, 0, 0, 10},
    {1, 2, 4, 1, 3, 15},
    {1, 1, 6, 2, 5, 15},
    {1, 1, 6, 3, 5, 15},
    {2, 3, 5, 4, 8, 20},
};

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

void EnemyPaletteFrame(float dt)
{
    if (hge->Input_KeyDown('1'))
        EnemyTemplate.legs_set++;
    if (hge->Input_KeyDown('2'))
        EnemyTemplate.hands_set++;
    if (hge->Input_KeyDown('3'))
        EnemyTemplate.weapon++;
    if (hge->Input_KeyDown('4'))
        EnemyTemplate.head_set++;
    // Man.ini can be edited while the game runs and looked at again.
    if (hge->Input_KeyDown(HGEK_TAB))
        LoadCharacterSets();
    WrapEnemyTemplate(PaletteWeaponMax);
    AdvanceSelectedSets(dt);
}

// Keys 1 to 5 with Ctrl load a preset; without it 1 to 6 raise legs, hands,
// head, weapon, alarm and lives.
static void ChangeEnemyTemplate()
{
    bool ctrl = hge->Input_GetKeyState(HGEK_CTRL);
    int* raised[5] = {&EnemyTemplate.legs_set, &EnemyTemplate.hands_set, &EnemyTemplate.head_set,
                      &EnemyTemplate.weapon, &EnemyTemplate.alarm};
    for (int k = 0; k < 5; k++) {
        if (!hge->Input_KeyDown('1' + k))
            continue;
        if (ctrl)
            EnemyTemplate = EnemyPresets[k];
        else
            *raised[k] += k == 4 ? EnemyValueStep : 1;
    }
    if (hge->Input_KeyDown('6'))
        EnemyTemplate.lives += EnemyValueStep;
}

bool SameStart(const enemy_start_struct& a, const enemy_start_struct& b)
{
    return a.lives == b.lives && a.alarm == b.alarm && a.weapon == b.weapon && a.hands_set == b.hands_set &&
           a.head_set == b.head_set && a.legs_set == b.legs_set && a.cell_x == b.cell_x && a.cell_y == b.cell_y;
}

static bool StandsFor(const enemy_struct& e, const enemy_start_struct& s)
{
    return !e.dead && e.cell_x == s.cell_x && e.cell_y == s.cell_y && e.x == (s.cell_x + 0.5f) * CellWidth &&
           e.y == (s.cell_y + 0.5f) * CellHeight && e.legs_set == s.legs_set && e.hands_set == s.hands_set &&
           e.head_set == s.head_set && e.weapon == s.weapon;
}

int LiveEnemyOf(const enemy_start_struct& s)
{
    for (int i = (int)Enemies.size() - 1; i >= 0; i--)
        if (StandsFor(Enemies[i], s))
            return i;
    return -1;
}

static void CreateEnemyOf(const enemy_start_struct& s)
{
    CreateEnemy(s.cell_x, s.cell_y, s.lives, s.alarm, s.weapon, s.legs_set, s.hands_set, s.head_set);
}

static void RemoveLiveEnemyOf(const enemy_start_struct& s)
{
    int e = LiveEnemyOf(s);
    if (e >= 0)
        Enemies.erase(Enemies.begin() + e);
}

static int CountEqual(const std::vector<enemy_start_struct>& starts, const enemy_start_struct& s)
{
    return (int)std::count_if(starts.begin(), starts.end(), [&](const enemy_start_struct& t) { return SameStart(s, t); });
}

static int CountLive(const enemy_start_struct& s)
{
    return (int)std::count_if(Enemies.begin(), Enemies.end(), [&](const enemy_struct& e) { return StandsFor(e, s); });
}

// Whether starts[i] is the first of the starts equal to it.
static bool FirstOfItsKind(const std::vector<enemy_start_struct>& starts, size_t i)
{
    auto same = [&](const enemy_start_struct& t) { return SameStart(starts[i], t); };
    return std::find_if(starts.begin(), starts.begin() + i, same) == starts.begin() + i;
}

void LiveEnemiesFollow(const std::vector<enemy_start_struct>& from, const std::vector<enemy_start_struct>& to,
                       bool keepLive)
{
    // Equal starts are told apart only by how many of them there are.
    for (size_t i = 0; i < from.size() && !keepLive; i++)
        if (FirstOfItsKind(from, i))
            for (int k = CountEqual(to, from[i]); k < CountEqual(from, from[i]); k++)
                RemoveLiveEnemyOf(from[i]);
    for (size_t i = 0; i < to.size(); i++) {
        if (!FirstOfItsKind(to, i))
            continue;
        int wanted = CountEqual(to, to[i]), came = wanted - CountEqual(from, to[i]);
        for (int k = std::max(CountLive(to[i]), wanted - came); k < wanted; k++)
            CreateEnemyOf(to[i]);
    }
}

// The start is stored for the level file, and its enemy made at once so the
// storey can be played straight away.
static void PlaceEnemyStart(int x, int y)
{
    const enemy_template_struct& t = EnemyTemplate;
    EnemyStarts.push_back({t.lives, t.alarm, t.weapon, t.hands_set, t.head_set, t.legs_set, x, y});
    CreateEnemyOf(EnemyStarts.back());
    SelectedStart = (int)EnemyStarts.size() - 1;
}

// The start whose centre lies nearest the mouse, within a cell's half.
static int StartUnderMouse()
{
    int found = -1;
    float best = PickRadius * PickRadius;
    for (int i = 0; i < (int)EnemyStarts.size(); i++) {
        float dx = (EnemyStarts[i].cell_x + 0.5f) * CellWidth - AimX;
        float dy = (EnemyStarts[i].cell_y + 0.5f) * CellHeight - AimY;
        if (dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            found = i;
        }
    }
    return found;
}

static void MoveSelectedStart(int x, int y)
{
    enemy_start_struct& s = EnemyStarts[SelectedStart];
    int e = LiveEnemyOf(s);
    s.cell_x = x;
    s.cell_y = y;
    if (e < 0)
        return;
    enemy_struct& live = Enemies[e];
    live.x = (x + 0.5f) * CellWidth;
    live.y = (y + 0.5f) * CellHeight;
    live.cell_x = live.target_x = x;
    live.cell_y = live.target_y = y;
}

static void RemoveSelectedStart()
{
    RemoveLiveEnemyOf(EnemyStarts[SelectedStart]);
    EnemyStarts.erase(EnemyStarts.begin() + SelectedStart);
    SelectedStart = -1;
}

// A click on a start picks it and a drag moves it; a click elsewhere places
// a new one.
static void ClickAndDrag()
{
    bool inside = CellInside(AimCellX, AimCellY);
    if (hge->Input_KeyDown(HGEK_LBUTTON)) {
        SelectedStart = StartUnderMouse();
        DraggingStart = SelectedStart >= 0;
        if (SelectedStart < 0 && inside && CharacterSetsPresent())
            PlaceEnemyStart(AimCellX, AimCellY);
    }
    if (!hge->Input_GetKeyState(HGEK_LBUTTON))
        DraggingStart = false;
    if (DraggingStart && inside && SelectedStart >= 0) {
        const enemy_start_struct& s = EnemyStarts[SelectedStart];
        if (s.cell_x != AimCellX || s.cell_y != AimCellY)
            MoveSelectedStart(AimCellX, AimCellY);
    }
}

void EnemyTool()
{
    ChangeEnemyTemplate();
    if (hge->Input_KeyDown(HGEK_DELETE)) {
        EnemyStarts.clear();
        StepKeepsLiveEnemies();
    }
    if (SelectedStart >= (int)EnemyStarts.size())
        SelectedStart = -1;
    if (hge->Input_KeyDown(HGEK_BACKSPACE) && SelectedStart >= 0)
        RemoveSelectedStart();
    WrapEnemyTemplate(StoreyWeaponMax);
    ClickAndDrag();
}
