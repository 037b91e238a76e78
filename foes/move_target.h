// Where an enemy walks: the cells around it that it can reach in a straight
// line, and the best of them for wandering, fleeing or closing in.
#pragma once

enum {
    MOVE_WANDER = 0,       // anywhere, at random
    MOVE_FLEE = 1,         // far from the player, door zones preferred
    MOVE_FLEE_HIDDEN = 2,  // far from the player, dark cells preferred
    MOVE_APPROACH = 3      // near the player
};

// Chooses enemy i's walk target within 7 cells of it (two cells clear of
// the storey's edges) and the angle toward it. With no reachable cell the
// target is its own cell.
void ChooseMoveTarget(int i, int mode);
