#include "engine/gamepad.h"

#include <cctype>
#include <cmath>

static const char* const ButtonNames[PAD_BUTTON_COUNT] = {
    "A",        "B",          "X",           "Y",            "BACK", "GUIDE", "START", "LEFTSTICK",
    "RIGHTSTICK", "LEFTSHOULDER", "RIGHTSHOULDER", "DPUP", "DPDOWN", "DPLEFT", "DPRIGHT",
};
static const char* const AxisNames[PAD_AXIS_COUNT] = {
    "LEFTX", "LEFTY", "RIGHTX", "RIGHTY", "LEFTTRIGGER", "RIGHTTRIGGER",
};

const float WalkDeadZone = 0.35f;     // a resting stick is rarely quite at 0
const float AimDeadZone = 0.5f;       // a stick springing back swings through every direction
const float PointerDeadZone = 0.2f;
const float TriggerPressed = 0.5f;
const float PointerTopSpeed = 900.0f;  // pixels per second, stick pushed fully
const float PointerPadSpeed = 400.0f;  // pixels per second on the D-pad

static int FindName(const char* const* names, int count, std::string name)
{
    for (char& c : name)
        c = (char)std::toupper((unsigned char)c);
    for (int i = 0; i < count; i++)
        if (name == names[i])
            return i;
    return -1;
}

int PadButtonFromName(const std::string& name)
{
    return FindName(ButtonNames, PAD_BUTTON_COUNT, name);
}

int PadAxisFromName(const std::string& name)
{
    return FindName(AxisNames, PAD_AXIS_COUNT, name);
}

std::string PadButtonName(int button)
{
    return button >= 0 && button < PAD_BUTTON_COUNT ? ButtonNames[button] : "?";
}

std::string PadAxisName(int axis)
{
    return axis >= 0 && axis < PAD_AXIS_COUNT ? AxisNames[axis] : "?";
}

// Eight directions of equal width, as W, A, S, D can hold them.
static void HoldWalkKeys(float x, float y, bool held[HGEK_MAXKEY])
{
    if (std::hypot(x, y) < WalkDeadZone)
        return;
    static const char Keys[8][2] = {{'D', 0},   {'D', 'S'}, {'S', 0},   {'S', 'A'},
                                    {'A', 0},   {'A', 'W'}, {'W', 0},   {'W', 'D'}};
    int sector = (int)std::lround(std::atan2(y, x) / (float)(M_PI / 4));
    sector = (sector + 8) % 8;
    for (char k : Keys[sector])
        if (k)
            held[(int)k] = true;
}

static void HoldPlayKeys(const pad_struct& p, bool held[HGEK_MAXKEY])
{
    HoldWalkKeys(p.axis[PAD_LEFTX], p.axis[PAD_LEFTY], held);
    held['W'] |= p.button[PAD_DPUP];
    held['S'] |= p.button[PAD_DPDOWN];
    held['A'] |= p.button[PAD_DPLEFT];
    held['D'] |= p.button[PAD_DPRIGHT];
    held[HGEK_LBUTTON] |= p.axis[PAD_RIGHTTRIGGER] > TriggerPressed;
    held[HGEK_RBUTTON] |= p.axis[PAD_LEFTTRIGGER] > TriggerPressed;
    held['1'] |= p.button[PAD_LEFTSHOULDER];
    held['2'] |= p.button[PAD_RIGHTSHOULDER];
    held['3'] |= p.button[PAD_Y];
    held['R'] |= p.button[PAD_X];
    held[HGEK_SPACE] |= p.button[PAD_A];
    held[HGEK_SHIFT] |= p.button[PAD_B];
    held['H'] |= p.button[PAD_BACK];
}

void PadKeysHeld(const pad_struct& pad, bool play, bool held[HGEK_MAXKEY])
{
    if (play)
        HoldPlayKeys(pad, held);
    else
        held[HGEK_LBUTTON] |= pad.button[PAD_A];
    held[HGEK_ESCAPE] |= pad.button[PAD_START];
}

bool AimDirection(const pad_struct& pad, float* angle)
{
    float x = pad.axis[PAD_RIGHTX], y = pad.axis[PAD_RIGHTY];
    if (std::hypot(x, y) < AimDeadZone)
        return false;
    *angle = std::atan2(y, x);
    return true;
}

// Slow near the dead zone for fine pointing, fast at the rim.
static void AddStickStep(float x, float y, float dt, float* dx, float* dy)
{
    float m = std::hypot(x, y);
    if (m < PointerDeadZone)
        return;
    float t = std::fmin((m - PointerDeadZone) / (1.0f - PointerDeadZone), 1.0f);
    float step = PointerTopSpeed * t * t * dt;
    *dx += x / m * step;
    *dy += y / m * step;
}

void PointerStep(const pad_struct& pad, float dt, float* dx, float* dy)
{
    *dx = *dy = 0;
    AddStickStep(pad.axis[PAD_LEFTX], pad.axis[PAD_LEFTY], dt, dx, dy);
    AddStickStep(pad.axis[PAD_RIGHTX], pad.axis[PAD_RIGHTY], dt, dx, dy);
    float step = PointerPadSpeed * dt;
    *dx += step * ((int)pad.button[PAD_DPRIGHT] - (int)pad.button[PAD_DPLEFT]);
    *dy += step * ((int)pad.button[PAD_DPDOWN] - (int)pad.button[PAD_DPUP]);
}
