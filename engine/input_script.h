// Scripted input: the text format the headless runner replays and the window
// game records. One event a line, "#" starts a comment; an event at frame N is
// seen by frame N (frames count from 0):
//   N down KEY | N up KEY     KEY: decimal virtual-key code or a name
//   N mouse X Y               picture coordinates
//   N wheel NOTCHES
//   N dt SECONDS              frame time of frame N (recordings)
//   N seed VALUE              the clock seed the recorded run drew
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum InputEventKind { INPUT_DOWN, INPUT_UP, INPUT_MOUSE, INPUT_WHEEL, INPUT_DT, INPUT_SEED };

struct InputEvent {
    int frame = 0;
    InputEventKind kind = INPUT_DOWN;
    int key = 0;         // INPUT_DOWN, INPUT_UP
    float x = 0, y = 0;  // INPUT_MOUSE
    int wheel = 0;       // INPUT_WHEEL
    float dt = 0;        // INPUT_DT
    uint32_t seed = 0;   // INPUT_SEED
};

// Names: A-Z, 0-9, SPACE, ESCAPE, ENTER, TAB, SHIFT, CTRL, ALT, DELETE,
// F1-F12, LBUTTON, RBUTTON, MBUTTON (any letter case); 0 when unknown.
int KeyCodeFromName(const std::string& name);
std::string KeyNameFromCode(int code);

// Parses a whole script; on a bad line returns false with "line N: ..." in error.
bool ParseInputScript(const std::string& text, std::vector<InputEvent>* events, std::string* error);
std::string FormatInputEvent(const InputEvent& event);
