// The heads-up display, drawn inside the world scene: the number floating
// above the player, the cards on the floor and the cards held.
#pragma once

#include <cstdint>

const uint32_t PopupRimColour = 0x00101010;  // the dark rim of the pop-up number, under its alpha

// The ammunition number, or else the bonus points, above the player, with
// a dark rim.
void DrawPopupNumber();
// Cards lying in lit cells.
void DrawFloorCards();
// The cards the player picked up on this storey, fanned at the top left (a
// card the storey never had opens its doors, but shows no icon).
void DrawHeldCards();
