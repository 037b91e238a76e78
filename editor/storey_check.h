// The storey checker's rules: whether the storey in memory can be finished
// (start, cards and lift reached on foot, doors opened only with cards
// already found), whether its doors, cards and enemy starts are sound, and
// whether the campaign's storeys offer the bonus points its shop needs.
#pragma once

#include <string>
#include <vector>

#include "editor/storey_walk.h"

// "lift", "red", "green", "blue".
extern const char* const CardNames[CARD_COUNT];

enum {
    FAULT_SIZE,                // the storey's size is outside the campaign's
    FAULT_NO_ROOM_AT_START,    // at: the start
    FAULT_CARD_UNREACHED,      // card, at: its cell
    FAULT_LIFT_UNREACHED,      // at: the lift
    FAULT_DOOR_NEVER_OPENS,    // name: the door's type, at: the door
    FAULT_DOOR_BLOCKED,        // name, at: the blocked side
    FAULT_DOORWAY_SHARED,      // name, at: the shared cell
    FAULT_LIFT_OFF_STOREY,     // at: the lift
    FAULT_NO_LIFT_CARD,
    FAULT_CARD_COVERED,        // card, at: its cell
    FAULT_DOORS_WITHOUT_CARD,  // card, name: the door type
    FAULT_CARD_WITHOUT_DOOR,   // card, at: its cell, name: the door type
    FAULT_ENEMY_OFF_STOREY,    // at: the enemy's start
    FAULT_ENEMY_INSIDE,        // at, name: the object it stands in
    FAULT_ENEMY_IN_FRAME,      // at
    FAULT_ENEMY_NEAR_START,    // at
    FAULT_BARE_FLOOR,          // count: cells, at: the first
    FAULT_UNIFORM_VANISHES     // uniform: the hands set, name: the floor type, at: the enemy
};

// One fault: what is wrong and where, and the line the checker prints.
struct storey_fault_struct {
    int kind;
    cell_struct at = {-1, -1};
    int card = -1;
    int uniform = -1;
    int count = 0;
    std::string name;
    std::string text;
};

// Each rule returns the faults it finds, empty when the storey keeps it.
std::vector<storey_fault_struct> CheckStoreySize(int smallest, int largest);
// The start has room, every card is found, the lift area is reached with
// the lift card.
std::vector<storey_fault_struct> CheckFinish(const storey_walk_struct& walk);
// Every door is a door the player can open, has free cells on both sides,
// and its own zone covers both sides (a neighbour's zone there would close it
// on whoever stands in the doorway).
std::vector<storey_fault_struct> CheckDoors();
// Every card lies on a free cell, every coloured door has its card and every
// card a door or the lift; the lift is in the storey and needs its card.
std::vector<storey_fault_struct> CheckCardsAndLift();
// Enemy starts lie on the grid, inside its walking frame, on free cells,
// away from the player's start.
std::vector<storey_fault_struct> CheckEnemyStarts();
// Every cell the player can reach shows a floor.
std::vector<storey_fault_struct> CheckFloorsUnderfoot(const storey_walk_struct& walk);
// No enemy wears a uniform the colour of a floor of his storey.
std::vector<storey_fault_struct> CheckUniformsStandOut();

// Every rule but the size: the finish first, then doors, cards and lift,
// enemy starts, floors and uniforms.
std::vector<storey_fault_struct> CheckStoreyPlay(const storey_walk_struct& walk);
// Every rule, with the campaign's storey sizes.
std::vector<storey_fault_struct> CheckStorey(const storey_walk_struct& walk);

// The printed lines of faults.
std::vector<std::string> FaultTexts(const std::vector<storey_fault_struct>& faults);

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
