// A small catalogue of floor and object types built in memory, for tests of
// the storey, level files and the map compiler.
#pragma once

enum {
    T_WALL,       // kind 1, 1 x 1
    T_DESK,       // kind 0, 2 x 1, breaks into T_DESK_WRECK, bonus 3
    T_DESK_WRECK, // kind 3, 2 x 1
    T_DOOR,       // kind 4, 1 x 2, "Door"
    T_SOFA,       // kind 0, 3 x 2, breaks into T_RUG (another footprint)
    T_RUG,        // kind 3, 2 x 2
    T_BROKEN,     // kind 5, breaks into a type the catalogue lacks
    T_SAFE,       // kind 2
    T_RED_DOOR,   // kind 4, 1 x 2, "RedDoor"
    T_LAMP,       // kind 0, 1 x 1, vanishes when broken, bonus 2
    T_COUNT
};

enum { F_TILE, F_PARQUET };  // 1 x 1 and 2 x 2

// Fills ObjectTypes and FloorTypes; the doors get a 4-frame animation.
void UseTestCatalogue();
void ForgetTestCatalogue();
