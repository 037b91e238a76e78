// The lift in play. The campaign's storeys show it with their own art (a
// lift floor and lift doors); a storey without lift floor under its lift,
// as a designer's first storeys often are, gets the lift's picture there.
#pragma once

// Draws the lift's picture on its cells unless lift floor lies there; only
// lit cells show it, as floors do.
void DrawLiftMark();
