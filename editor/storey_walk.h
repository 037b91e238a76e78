// Where the player can get on the storey in memory: the walk from the start
// that takes every card in reach and opens every door whose card it holds,
// and the way on foot between two places.
#pragma once

#include <functional>
#include <vector>

#include "world/storey.h"

// Where the player got to. His circle (radius 26 in 40-pixel cells) needs
// the four cells around a cell corner free, so the walk runs from corner to
// corner, starting at the start cell's top-left corner, where a level load
// puts him.
struct storey_walk_struct {
    std::vector<char> reached;        // per cell: his centre can be in it
    bool held[CARD_COUNT] = {};       // cards found, or absent from the storey
    std::vector<int> cardOrder;       // the cards in the order they were found
    bool startFree = false;           // the start corner has room for him
    bool liftReached = false;         // he stood in the lift area
};

// Whether the player's centre may stand on corner (x, y): the four cells
// around it can be walked, doors counting when he may open them.
bool CornerFree(int x, int y);
// The shortest way over free corners from one corner to the first corner
// that meets the goal, both included; empty when there is none.
std::vector<cell_struct> WayOnFoot(cell_struct from, const std::function<bool(int, int)>& goal);

// Walks from the start, takes every card in reach and opens every door whose
// card is held, and walks again until nothing new turns up.
storey_walk_struct WalkStorey();

// Whether the player reached a cell, or one of the eight around it (cards
// and furniture are within his reach from there).
bool Reached(const storey_walk_struct& walk, int x, int y);
bool NextToReached(const storey_walk_struct& walk, int x, int y);

// The corners the player's centre passes on the way from the start through
// every card, in the order the walk found them, to the lift area; each leg
// ends on a corner of the card's own cell (or inside the lift area), so that
// the player standing near it takes the card. Empty when a leg has no way.
std::vector<cell_struct> StoreyRoute(const storey_walk_struct& walk);
