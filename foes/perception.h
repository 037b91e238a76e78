// How enemies perceive the player and the angles everyone turns by.
#pragma once

// The angle from (x1, y1) to (x2, y2), in [0, 2 pi).
float AngleTo(float x1, float y1, float x2, float y2);
// +1 to turn from one angle toward another the shorter way, else -1.
int TurnSign(float from, float to);
