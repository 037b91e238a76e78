// Translation of SDL's keys and mouse buttons into the virtual-key codes the
// game uses. Keys are taken by their position on the keyboard (scancode), so
// W, A, S, D work with any layout, Russian included, as they did on the
// system the game was written for.
#pragma once

#include <SDL2/SDL_scancode.h>

// The virtual-key code of a key, or 0 when the game has no use for it.
// Left and right Shift, Ctrl and Alt give the same code.
int KeyCodeFromScancode(SDL_Scancode sc);

// 1 left, 2 right, 4 middle; 0 for other buttons.
int KeyCodeFromMouseButton(int sdlButton);
