// How enemies perceive the player: their alarm, what they see and hear, and
// the way they turn.
#pragma once

#include "world/angles.h"

// What raises an enemy's alarm.
enum {
    STIM_STRUCK = 0,         // the player's blow
    STIM_COMRADE_DIED = 1,   // a comrade in sight died
    STIM_HEARD_SHOT = 2,
    STIM_SAW_SHOT = 3
};

// Raises enemy i's alarm by what it perceived (nothing for a dead enemy).
void RaiseAlarm(int i, int stimulus);
// Whether sight passes between two cells: walls and closed or closing doors
// stop it.
bool LineOfSight(int x1, int y1, int x2, int y2);
// +1 to turn from one angle toward another the shorter way, else -1.
int TurnSign(float from, float to);
