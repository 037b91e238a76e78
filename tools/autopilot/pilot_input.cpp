#include "tools/autopilot/pilot_input.h"

#include <algorithm>
#include <cmath>

#include "engine/hge.h"

static std::vector<InputEvent> Replay;
static std::vector<InputEvent>* FrameEvents = nullptr;
static int Frame = 0;
static bool Held[HGEK_MAXKEY];
static std::vector<int> Tapped;
static int MouseX = -1, MouseY = -1;

static void Give(const InputEvent& e)
{
    Replay.push_back(e);
    if (FrameEvents)
        FrameEvents->push_back(e);
}

static void Press(int key, bool down)
{
    Held[key] = down;
    Give({.frame = Frame, .kind = down ? INPUT_DOWN : INPUT_UP, .key = key});
}

void BeginPilotInput(int frame, std::vector<InputEvent>* frameEvents)
{
    Frame = frame;
    FrameEvents = frameEvents;
    for (int key : Tapped)
        if (Held[key])
            Press(key, false);
    Tapped.clear();
}

void HoldKey(int key, bool down)
{
    if (key > 0 && key < HGEK_MAXKEY && Held[key] != down)
        Press(key, down);
}

bool KeyHeld(int key)
{
    return key > 0 && key < HGEK_MAXKEY && Held[key];
}

void TapKey(int key)
{
    if (key <= 0 || key >= HGEK_MAXKEY)
        return;
    // A key still down from before must come up first to be pressed again.
    if (Held[key])
        Press(key, false);
    Press(key, true);
    Tapped.push_back(key);
}

void MoveMouse(float x, float y)
{
    int mx = std::clamp((int)lroundf(x), 0, 799), my = std::clamp((int)lroundf(y), 0, 589);
    if (mx == MouseX && my == MouseY)
        return;
    MouseX = mx, MouseY = my;
    Give({.frame = Frame, .kind = INPUT_MOUSE, .x = (float)mx, .y = (float)my});
}

void MoveMouseNear(float x, float y, float slack)
{
    MoveMouseToward(x, y, slack, INFINITY);
}

void MoveMouseToward(float x, float y, float slack, float step)
{
    if (MouseX < 0) {
        MoveMouse(x, y);
        return;
    }
    if (MouseWithin(x, y, slack))
        return;
    float dx = x - MouseX, dy = y - MouseY, d = std::hypot(dx, dy);
    if (d > step)
        x = MouseX + dx / d * step, y = MouseY + dy / d * step;
    MoveMouse(x, y);
}

bool MouseWithin(float x, float y, float slack)
{
    return MouseX >= 0 && std::fabs(x - MouseX) <= slack && std::fabs(y - MouseY) <= slack;
}

bool MouseAt(float x, float y)
{
    return MouseX == std::clamp((int)lroundf(x), 0, 799) && MouseY == std::clamp((int)lroundf(y), 0, 589);
}

void ReleaseAllKeys()
{
    for (int key = 1; key < HGEK_MAXKEY; key++)
        HoldKey(key, false);
}

std::string PilotReplay(uint32_t seed, const std::string& header)
{
    std::string text = header;
    text += FormatInputEvent({.frame = 0, .kind = INPUT_SEED, .seed = seed}) + "\n";
    for (const InputEvent& e : Replay)
        text += FormatInputEvent(e) + "\n";
    return text;
}

void ResetPilotInput()
{
    Replay.clear();
    FrameEvents = nullptr;
    std::fill(std::begin(Held), std::end(Held), false);
    Tapped.clear();
    MouseX = MouseY = -1;
}
