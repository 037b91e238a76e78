// The storey checker's rules: whether the storey in memory can be finished
// (start, cards and lift reached on foot, doors opened only with cards
// already found), whether its doors, cards and enemy starts are sound, and
// whether the campaign's storeys offer the bonus points its shop needs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "world/storey.h"

// "lift", "red", "green", "blue".
extern const char* const CardNames[CARD_COUNT];

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

// The corners the player's centre passes on the way from the start through
// every card, in the order the walk found them, to the lift area; each leg
// ends on a corner of the card's own cell (or inside the lift area), so that
// the player standing near it takes the card. Empty when a leg has no way.
std::vector<cell_struct> StoreyRoute(const storey_walk_struct& walk);

// Each rule returns the faults it finds, one line each, empty when the
// storey keeps it.
std::vector<std::string> CheckStoreySize(int smallest, int largest);
// The start has room, every card is found, the lift area is reached with
// the lift card.
std::vector<std::string> CheckFinish(const storey_walk_struct& walk);
// Every door is a door the player can open, has free cells on both sides,
// and its own zone covers both sides (a neighbour's zone there would close it
// on whoever stands in the doorway).
std::vector<std::string> CheckDoors();
// Every card lies on a free cell, every coloured door has its card and every
// card a door or the lift; the lift is in the storey and needs its card.
std::vector<std::string> CheckCardsAndLift();
// Enemy starts lie on the grid, inside its walking frame, on free cells,
// away from the player's start.
std::vector<std::string> CheckEnemyStarts();
// Every cell the player can reach shows a floor.
std::vector<std::string> CheckFloorsUnderfoot(const storey_walk_struct& walk);
// No enemy wears a uniform the colour of a floor of his storey.
std::vector<std::string> CheckUniformsStandOut();

// Every rule above, with the campaign's storey sizes.
std::vector<std::string> CheckStorey(const storey_walk_struct& walk);

// Points on offer: the bonus of every breakable object next to a reached cell
// (its remains included when they break again) and one per enemy whose start
// can be reached.
int StoreyBonusPoints(const storey_walk_struct& walk);

// What a player must be able to buy on the shop before storey `storey`.
struct storey_need_struct {
    int storey;  // 2..10
    int good;    // GOOD_... of the shop
};
extern const std::vector<storey_need_struct> CampaignNeeds;
// The share of a storey's points a player is counted on to earn.
extern const int ThoroughPercent;

// By storey s (0..storeys): the price of everything storeys 1..s need.
std::vector<int> NeedsByStorey(int storeys);
// Whether the points earned on storeys 1..k pay for what storeys up to k + 1
// need, for every k; pointsPerStorey[0] is storey 1.
std::vector<std::string> CheckCampaignBudget(const std::vector<int>& pointsPerStorey);
