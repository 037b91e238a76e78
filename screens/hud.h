// The heads-up display, drawn inside the world scene: the number floating
// above the player, the cards on the floor and the cards held.
#pragma once

// The ammunition number, or else the bonus points, above the player.
void DrawPopupNumber();
// Cards lying in lit cells.
void DrawFloorCards();
// The cards the player holds, fanned at the top left.
void DrawHeldCards();
