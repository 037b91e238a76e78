// A whole storey held outside the live one: the editor's test run puts the
// storey being edited aside, plays a fresh copy of it and swaps it back.
#pragma once

#include <vector>

#include "world/storey.h"

struct storey_struct {
    int width = 0, height = 0;
    std::vector<int> floors, objectMap, light, doorZones, reach, litCells;
    std::vector<object_struct> objects;
    std::vector<int> doors;
    std::vector<enemy_start_struct> enemyStarts;
    int startX = 0, startY = 0, liftX = 0, liftY = 0;
    cell_struct cards[CARD_COUNT] = {};
    uint8_t held[CARD_COUNT] = {};
};

// Exchanges the live storey with s: every per-cell array, list and value.
void SwapStorey(storey_struct& s);
