#include "editor/storey_walk.h"

#include <algorithm>

#include "player/doors.h"

static bool PlayerMayPass(int x, int y)
{
    if (!CellInside(x, y))
        return false;
    int i = ObjectMap[CellIndex(x, y)];
    if (i >= 0 && Objects[i].is_door)
        return PlayerCanOpen(ObjectTypeOf(Objects[i]).name);
    return IsCellWalkable(CellIndex(x, y));
}

bool CornerFree(int x, int y)
{
    return PlayerMayPass(x - 1, y - 1) && PlayerMayPass(x, y - 1) && PlayerMayPass(x - 1, y) && PlayerMayPass(x, y);
}

static void Flood(storey_walk_struct& walk)
{
    walk.reached.assign((size_t)LevelWidth * LevelHeight, 0);
    const int cornersWide = LevelWidth + 1;
    std::vector<char> seen((size_t)cornersWide * (LevelHeight + 1), 0);
    std::vector<cell_struct> todo;
    if (CornerFree(PlayerStartX, PlayerStartY))
        todo.push_back({PlayerStartX, PlayerStartY});
    while (!todo.empty()) {
        cell_struct c = todo.back();
        todo.pop_back();
        char& s = seen[c.x + (size_t)c.y * cornersWide];
        if (s)
            continue;
        s = 1;
        for (int j = -1; j <= 0; j++)
            for (int i = -1; i <= 0; i++)
                walk.reached[CellIndex(c.x + i, c.y + j)] = 1;
        const cell_struct next[4] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        for (const cell_struct& n : next)
            if (CornerFree(n.x, n.y))
                todo.push_back(n);
    }
}

bool Reached(const storey_walk_struct& walk, int x, int y)
{
    return CellInside(x, y) && walk.reached[CellIndex(x, y)];
}

bool NextToReached(const storey_walk_struct& walk, int x, int y)
{
    for (int j = -1; j <= 1; j++)
        for (int i = -1; i <= 1; i++)
            if (Reached(walk, x + i, y + j))
                return true;
    return false;
}

static bool TakeCardsInReach(storey_walk_struct& walk)
{
    bool found = false;
    for (int k = 0; k < CARD_COUNT; k++) {
        if (!walk.held[k] && NextToReached(walk, CardCell[k].x, CardCell[k].y)) {
            walk.held[k] = true;
            walk.cardOrder.push_back(k);
            found = true;
        }
    }
    return found;
}

static bool LiftAreaReached(const storey_walk_struct& walk)
{
    for (int y = LiftY - 1; y <= LiftY + 2; y++)
        for (int x = LiftX - 1; x <= LiftX + 2; x++)
            if (Reached(walk, x, y))
                return true;
    return false;
}

storey_walk_struct WalkStorey()
{
    storey_walk_struct walk;
    uint8_t saved[CARD_COUNT];
    for (int k = 0; k < CARD_COUNT; k++) {
        saved[k] = CardHeld[k];
        walk.held[k] = CardCell[k].x < 0;
    }
    walk.startFree = CornerFree(PlayerStartX, PlayerStartY);
    // The doors ask the held cards, as they do in play.
    do {
        for (int k = 0; k < CARD_COUNT; k++)
            CardHeld[k] = walk.held[k];
        Flood(walk);
    } while (TakeCardsInReach(walk));
    std::copy(saved, saved + CARD_COUNT, CardHeld);
    walk.liftReached = walk.held[CARD_LIFT] && LiftAreaReached(walk);
    return walk;
}

std::vector<cell_struct> WayOnFoot(cell_struct from, const std::function<bool(int, int)>& goal)
{
    const int cornersWide = LevelWidth + 1;
    std::vector<int> came((size_t)cornersWide * (LevelHeight + 1), -2);
    std::vector<cell_struct> queue = {from};
    came[from.x + (size_t)from.y * cornersWide] = -1;
    for (size_t head = 0; head < queue.size(); head++) {
        cell_struct c = queue[head];
        if (goal(c.x, c.y)) {
            std::vector<cell_struct> way;
            for (int i = c.x + c.y * cornersWide; i >= 0; i = came[i])
                way.push_back({i % cornersWide, i / cornersWide});
            std::reverse(way.begin(), way.end());
            return way;
        }
        const cell_struct next[4] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        for (const cell_struct& n : next) {
            if (!CornerFree(n.x, n.y) || came[n.x + (size_t)n.y * cornersWide] != -2)
                continue;
            came[n.x + (size_t)n.y * cornersWide] = c.x + c.y * cornersWide;
            queue.push_back(n);
        }
    }
    return {};
}

static bool AppendLeg(std::vector<cell_struct>& route, const std::function<bool(int, int)>& goal)
{
    std::vector<cell_struct> way = WayOnFoot(route.back(), goal);
    if (way.empty())
        return false;
    route.insert(route.end(), way.begin() + 1, way.end());
    return true;
}

std::vector<cell_struct> StoreyRoute(const storey_walk_struct& walk)
{
    if (!walk.startFree || !walk.liftReached)
        return {};
    uint8_t saved[CARD_COUNT];
    for (int k = 0; k < CARD_COUNT; k++) {
        saved[k] = CardHeld[k];
        CardHeld[k] = CardCell[k].x < 0;
    }
    std::vector<cell_struct> route = {{PlayerStartX, PlayerStartY}};
    bool found = true;
    for (int k : walk.cardOrder) {
        // From a corner of the card's cell the player's cell is within one of it.
        const cell_struct card = CardCell[k];
        found = found && AppendLeg(route, [card](int x, int y) {
                    return x >= card.x && x <= card.x + 1 && y >= card.y && y <= card.y + 1;
                });
        CardHeld[k] = 1;
    }
    found = found && AppendLeg(route, [](int x, int y) {
                return x >= LiftX && x <= LiftX + 2 && y >= LiftY && y <= LiftY + 2;
            });
    std::copy(saved, saved + CARD_COUNT, CardHeld);
    return found ? route : std::vector<cell_struct>{};
}
