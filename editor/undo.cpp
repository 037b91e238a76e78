#include "editor/undo.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "editor/enemy_tool.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey.h"

struct floor_change_struct {
    int cell, before, after;
};

// An object as the level file keeps it.
struct placed_object_struct {
    int type, x, y, rotation;
    bool operator==(const placed_object_struct&) const = default;
};

// Start, lift and cards.
struct storey_marks_struct {
    int startX, startY, liftX, liftY;
    cell_struct cards[CARD_COUNT];
    bool operator==(const storey_marks_struct& o) const
    {
        for (int k = 0; k < CARD_COUNT; k++)
            if (cards[k].x != o.cards[k].x || cards[k].y != o.cards[k].y)
                return false;
        return startX == o.startX && startY == o.startY && liftX == o.liftX && liftY == o.liftY;
    }
};

// One side of a step that loaded or made a storey: its size and floors whole.
struct storey_grid_struct {
    int width = 0, height = 0;
    std::vector<int> floors;
};

struct undo_step_struct {
    bool whole = false;
    storey_grid_struct gridBefore, gridAfter;
    std::vector<floor_change_struct> floors;
    std::vector<placed_object_struct> objectsBefore, objectsAfter;
    std::vector<enemy_start_struct> startsBefore, startsAfter;
    bool keepLiveEnemies = false;
    storey_marks_struct marksBefore, marksAfter;
};

static std::deque<undo_step_struct> Done, Undone;
static undo_step_struct Open;
static bool StepIsOpen = false;
// Per cell: written by the open step already (allocated at the first write).
static std::vector<char> Touched;
static int Version = 0;
// The storey loads the history knows of: its own, through whole steps.
static int LoadsSeen = 0;

static std::vector<placed_object_struct> PlacedObjects()
{
    std::vector<placed_object_struct> placed;
    placed.reserve(Objects.size());
    for (const object_struct& o : Objects)
        placed.push_back({o.type, o.cell_x, o.cell_y, o.rotation});
    return placed;
}

static storey_marks_struct StoreyMarks()
{
    storey_marks_struct m = {PlayerStartX, PlayerStartY, LiftX, LiftY, {}};
    for (int k = 0; k < CARD_COUNT; k++)
        m.cards[k] = CardCell[k];
    return m;
}

static bool SameStarts(const std::vector<enemy_start_struct>& a, const std::vector<enemy_start_struct>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameStart);
}

void OpenEditStep()
{
    if (StepIsOpen)
        return;
    Open = undo_step_struct{};
    Open.objectsBefore = PlacedObjects();
    Open.startsBefore = EnemyStarts;
    Open.marksBefore = StoreyMarks();
    StepIsOpen = true;
}

void SetFloor(int cell, int type)
{
    if (cell < 0 || cell >= (int)FloorMap.size())
        return;
    if (StepIsOpen && !Open.whole) {
        if (Touched.size() != FloorMap.size())
            Touched.assign(FloorMap.size(), 0);
        if (!Touched[cell]) {
            Touched[cell] = 1;
            Open.floors.push_back({cell, FloorMap[cell], 0});
        }
    }
    FloorMap[cell] = type;
}

void StepKeepsLiveEnemies()
{
    Open.keepLiveEnemies = true;
}

static storey_grid_struct StoreyGrid()
{
    return {LevelWidth, LevelHeight, FloorMap};
}

void OpenWholeStoreyStep()
{
    CloseEditStep();
    OpenEditStep();
    Open.whole = true;
    Open.gridBefore = StoreyGrid();
}

// A loaded storey of the same size keeps only the cells that changed.
static void FinishFloors(undo_step_struct& s)
{
    if (s.whole) {
        s.gridAfter = StoreyGrid();
        if (s.gridAfter.width != s.gridBefore.width || s.gridAfter.height != s.gridBefore.height)
            return;
        s.whole = false;
        for (int cell = 0; cell < (int)FloorMap.size(); cell++)
            if (s.gridBefore.floors[cell] != FloorMap[cell])
                s.floors.push_back({cell, s.gridBefore.floors[cell], 0});
        s.gridBefore = s.gridAfter = storey_grid_struct{};
    }
    std::vector<floor_change_struct> kept;
    for (floor_change_struct& c : s.floors) {
        if (c.cell < (int)Touched.size())
            Touched[c.cell] = 0;
        c.after = c.cell < (int)FloorMap.size() ? FloorMap[c.cell] : c.before;
        if (c.after != c.before)
            kept.push_back(c);
    }
    s.floors.swap(kept);
}

static bool StepChangedSomething(const undo_step_struct& s)
{
    return s.whole || !s.floors.empty() || s.objectsBefore != s.objectsAfter ||
           !SameStarts(s.startsBefore, s.startsAfter) || !(s.marksBefore == s.marksAfter);
}

void CloseEditStep()
{
    if (!StepIsOpen)
        return;
    StepIsOpen = false;
    if (Open.whole)
        LoadsSeen = LevelLoads;
    FinishFloors(Open);
    Open.objectsAfter = PlacedObjects();
    Open.startsAfter = EnemyStarts;
    Open.marksAfter = StoreyMarks();
    if (!StepChangedSomething(Open))
        return;
    Done.push_back(std::move(Open));
    if ((int)Done.size() > UndoDepth)
        Done.pop_front();
    Undone.clear();
    Version++;
}

static void PutObjects(const std::vector<placed_object_struct>& placed)
{
    RemoveAllObjects();
    for (const placed_object_struct& p : placed)
        AddObject(MakeObject(p.type, p.rotation), p.x, p.y, false);
}

static void PutMarks(const storey_marks_struct& m)
{
    PlayerStartX = m.startX;
    PlayerStartY = m.startY;
    LiftX = m.liftX;
    LiftY = m.liftY;
    for (int k = 0; k < CARD_COUNT; k++) {
        CardCell[k] = m.cards[k];
        CardHeld[k] = m.cards[k].x < 0;
    }
}

// A storey loaded or made new is taken back as a load would bring it: its
// enemies fresh on their starts and the player on his.
static void PutWholeStorey(const storey_grid_struct& grid, const undo_step_struct& s, bool back)
{
    ResetStoreyGrid(grid.width, grid.height);
    FloorMap = grid.floors;
    PutObjects(back ? s.objectsBefore : s.objectsAfter);
    EnemyStarts = back ? s.startsBefore : s.startsAfter;
    PutMarks(back ? s.marksBefore : s.marksAfter);
    ResetStoreyValues();
    if (StoreyLoadedHook)
        StoreyLoadedHook();
}

static void PutStep(const undo_step_struct& s, bool back)
{
    if (s.whole) {
        PutWholeStorey(back ? s.gridBefore : s.gridAfter, s, back);
        return;
    }
    for (const floor_change_struct& c : s.floors)
        if (c.cell < (int)FloorMap.size())
            FloorMap[c.cell] = back ? c.before : c.after;
    if (s.objectsBefore != s.objectsAfter)
        PutObjects(back ? s.objectsBefore : s.objectsAfter);
    const std::vector<enemy_start_struct>& starts = back ? s.startsBefore : s.startsAfter;
    if (!SameStarts(s.startsBefore, s.startsAfter)) {
        LiveEnemiesFollow(EnemyStarts, starts, s.keepLiveEnemies);
        EnemyStarts = starts;
        SelectedStart = -1;
    }
    if (!(s.marksBefore == s.marksAfter))
        PutMarks(back ? s.marksBefore : s.marksAfter);
}

// Puts the last step of `from` back (or again) and hands it to `to`.
static bool TakeStep(std::deque<undo_step_struct>& from, std::deque<undo_step_struct>& to, bool back)
{
    CloseEditStep();
    if (from.empty())
        return false;
    PutStep(from.back(), back);
    to.push_back(std::move(from.back()));
    from.pop_back();
    Version++;
    return true;
}

bool UndoStep()
{
    return TakeStep(Done, Undone, true);
}

bool RedoStep()
{
    return TakeStep(Undone, Done, false);
}

void ForgetHistory()
{
    LoadsSeen = LevelLoads;
    StepIsOpen = false;
    Done.clear();
    Undone.clear();
    Touched.clear();
    Version++;
}

void ForgetHistoryOfOtherStoreys()
{
    if (LevelLoads != LoadsSeen)
        ForgetHistory();
}

int UndoStepCount()
{
    return (int)Done.size();
}

int RedoStepCount()
{
    return (int)Undone.size();
}

int HistoryVersion()
{
    return Version;
}
