// The heads-up display, drawn inside the world scene: the number floating
// above the player, the cards on the floor, the cards held, and the timers
// that show the numbers.
#pragma once

extern float AmmoPopupTime;   // seconds the spare ammunition stays shown (red)
extern float BonusPopupTime;  // seconds the bonus points stay shown (green)

// Counts both timers down while positive.
void CountDownPopups(float dt);
// The ammunition number, or else the bonus points, above the player.
void DrawPopupNumber();
// Cards lying in lit cells.
void DrawFloorCards();
// The cards the player holds, fanned at the top left.
void DrawHeldCards();
