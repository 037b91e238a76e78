// Scripted input: the text format the headless runner replays and the window
// game records. One event a line, "#" starts a comment; an event at frame N is
// seen by frame N (frames count from 0):
//   N down KEY | N up KEY     KEY: decimal virtual-key code or a name
//   N mouse X Y               picture coordinates
//   N wheel NOTCHES
//   N dt SECONDS              frame time of frame N (recordings)
//   N seed VALUE              the clock seed the recorded run drew
//   N pad connect | N pad disconnect
//                             a gamepad plugged in or pulled out
//   N pad down BUTTON | N pad up BUTTON
//   N pad axis AXIS VALUE     sticks -1..1 (right and down positive),
//                             triggers 0..1; a button or axis event plugs
//                             the pad in if it is not
// Gamepad names are those of engine/gamepad.h: A, B, X, Y, BACK, GUIDE,
// START, LEFTSTICK, RIGHTSTICK, LEFTSHOULDER, RIGHTSHOULDER, DPUP, DPDOWN,
// DPLEFT, DPRIGHT; LEFTX, LEFTY, RIGHTX, RIGHTY, LEFTTRIGGER, RIGHTTRIGGER.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum InputEventKind {
    INPUT_DOWN,
    INPUT_UP,
    INPUT_MOUSE,
    INPUT_WHEEL,
    INPUT_DT,
    INPUT_SEED,
    INPUT_PAD_CONNECT,
    INPUT_PAD_DISCONNECT,
    INPUT_PAD_DOWN,
    INPUT_PAD_UP,
    INPUT_PAD_AXIS
};

struct InputEvent {
    int frame = 0;
    InputEventKind kind = INPUT_DOWN;
    int key = 0;         // INPUT_DOWN, INPUT_UP
    float x = 0, y = 0;  // INPUT_MOUSE
    int wheel = 0;       // INPUT_WHEEL
    float dt = 0;        // INPUT_DT
    uint32_t seed = 0;   // INPUT_SEED
    int padButton = 0;   // INPUT_PAD_DOWN, INPUT_PAD_UP
    int padAxis = 0;     // INPUT_PAD_AXIS
    float value = 0;     // INPUT_PAD_AXIS
};

// Names: A-Z, 0-9, F1-F12, NUMPAD0-NUMPAD9, SPACE, ESCAPE, ENTER, TAB,
// SHIFT, CTRL, ALT, DELETE, BACKSPACE, INSERT, HOME, END, PGUP, PGDN, UP,
// DOWN, LEFT, RIGHT, PAUSE, CAPSLOCK, the punctuation keys SEMICOLON, EQUALS,
// COMMA, MINUS, PERIOD, SLASH, GRAVE, LBRACKET, BACKSLASH, RBRACKET,
// APOSTROPHE, and LBUTTON, RBUTTON, MBUTTON (any letter case); 0 when
// unknown.
int KeyCodeFromName(const std::string& name);
std::string KeyNameFromCode(int code);

// Parses a whole script; on a bad line returns false with "line N: ..." in error.
bool ParseInputScript(const std::string& text, std::vector<InputEvent>* events, std::string* error);
std::string FormatInputEvent(const InputEvent& event);
