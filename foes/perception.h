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

const int CONTACT_REFRESH = 50;  // contact of an enemy that stands in the player's light

// Raises enemy i's alarm by what it perceived (nothing for a dead enemy).
void RaiseAlarm(int i, int stimulus);
// Whether sight passes between two cells: walls and closed or closing doors
// stop it.
bool LineOfSight(int x1, int y1, int x2, int y2);
// +1 to turn from one angle toward another the shorter way, else -1.
int TurnSign(float from, float to);
// The facing from (x1, y1) toward (x2, y2), within (-pi, pi]; the fallback
// when the two points coincide and there is no direction.
float FacingAngleTo(float x1, float y1, float x2, float y2, float fallback);

// The player fired this frame: enemy i sees the shot along a clear line, or
// else hears it when its column or its row is within 30 cells of his.
void NoticeShot(int i);
// Enemy i fell: every other enemy that sees its cell is alarmed.
void AlarmComrades(int i);
// At a decision: whether enemy i sees a grenade, which frightens it.
bool NoticeGrenade(int i);
// At a decision: standing in the player's light refreshes enemy i's
// contact, and alarms it when the player holds a weapon; in the dark the
// contact and, slowly, the alarm fade.
void NoticeLight(int i);
