// Drawing of a storey in play: floors, objects, characters, effects and the
// darkness over what the player cannot see.
#pragma once

// (mx, my) is the mouse in target pixels, already halved when zoomed.
void DrawWorld(float mx, float my);
