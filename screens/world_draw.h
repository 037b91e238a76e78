// Drawing of a storey in play: floors, objects under and over the
// characters, bodies, enemies, the player, cards, effects and the darkness
// over what the player cannot see.
#pragma once

#include <cstdint>
#include <vector>

// (mx, my) is the mouse in target pixels, already halved when zoomed.
void DrawWorld(float mx, float my);

// Advances the shared animation of every object type of several frames.
void AnimateObjectTypes(float dt);

// The colour of the darkness square over a cell of light L (below 250):
// every channel, alpha included, is 255 - L.
uint32_t DarknessColour(int light);

// Indices of the objects with a cell inside VisibleCells, in list order.
void CollectVisibleObjects(std::vector<int>* out);

// An object's angle per quarter turn of its rotation.
const float QuarterTurn = 1.5707964f;

// World pixels to target pixels, and back.
float ScreenX(float worldX);
float ScreenY(float worldY);
float WorldX(float screenX);
float WorldY(float screenY);
