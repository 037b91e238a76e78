// The engine's frame and render callbacks: both route on GameMode, GameStage
// and WorldMode to the handler of the screen or game phase that is active.
#pragma once

// Once per frame before drawing; true ends the engine loop (only the menu
// asks for that).
bool FrameFunc();

// The longest frame time the game runs a frame with. The fastest mover, an
// enemy at 260 pixels a second, then steps 13 pixels: half the body's radius,
// so no step can carry a body past the edge of a blocked cell, and a grenade
// (200 pixels a second) never skips a cell of a wall. A slower machine plays
// in slow motion instead of letting bodies through walls and doors.
const float MaxFrameTime = 0.05f;
// The engine's frame time as the game uses it: 0 to MaxFrameTime, and 0 for
// anything that is not a number.
float GameFrameTime(float engineDelta);
// Once per frame after FrameFunc; always false.
bool RenderFunc();
