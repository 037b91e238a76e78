#include "engine/keys.h"

#include <SDL2/SDL_mouse.h>

#include "engine/hge.h"

int KeyCodeFromScancode(SDL_Scancode sc)
{
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z)
        return HGEK_A + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9)
        return HGEK_0 + 1 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12)
        return HGEK_F1 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9)
        return HGEK_NUMPAD0 + 1 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
    case SDL_SCANCODE_0: return HGEK_0;
    case SDL_SCANCODE_KP_0: return HGEK_NUMPAD0;
    case SDL_SCANCODE_ESCAPE: return HGEK_ESCAPE;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER: return HGEK_ENTER;
    case SDL_SCANCODE_SPACE: return HGEK_SPACE;
    case SDL_SCANCODE_TAB: return HGEK_TAB;
    case SDL_SCANCODE_BACKSPACE: return HGEK_BACKSPACE;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return HGEK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return HGEK_CTRL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return HGEK_ALT;
    case SDL_SCANCODE_PAUSE: return HGEK_PAUSE;
    case SDL_SCANCODE_CAPSLOCK: return HGEK_CAPSLOCK;
    case SDL_SCANCODE_PAGEUP: return HGEK_PGUP;
    case SDL_SCANCODE_PAGEDOWN: return HGEK_PGDN;
    case SDL_SCANCODE_END: return HGEK_END;
    case SDL_SCANCODE_HOME: return HGEK_HOME;
    case SDL_SCANCODE_LEFT: return HGEK_LEFT;
    case SDL_SCANCODE_UP: return HGEK_UP;
    case SDL_SCANCODE_RIGHT: return HGEK_RIGHT;
    case SDL_SCANCODE_DOWN: return HGEK_DOWN;
    case SDL_SCANCODE_INSERT: return HGEK_INSERT;
    case SDL_SCANCODE_DELETE: return HGEK_DELETE;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PERIOD: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    default: return 0;
    }
}

int KeyCodeFromMouseButton(int sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return HGEK_LBUTTON;
    case SDL_BUTTON_RIGHT: return HGEK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return HGEK_MBUTTON;
    default: return 0;
    }
}
