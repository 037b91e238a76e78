// The engine's frame and render callbacks: both route on GameMode, GameStage
// and WorldMode to the handler of the screen or game phase that is active.
#pragma once

// Once per frame before drawing; true ends the engine loop (only the menu
// asks for that).
bool FrameFunc();
// Once per frame after FrameFunc; always false.
bool RenderFunc();
