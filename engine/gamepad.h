// A gamepad's buttons and sticks and the game keys they stand for. In play
// the left stick walks (W, A, S, D), the right stick aims, the triggers fire
// and strike, the shoulder buttons switch weapons, A is Space, B crouches,
// X reloads, Y takes a grenade and Start is Escape. On every other screen
// the sticks and the D-pad move the mouse pointer, A clicks and Start is
// Escape.
#pragma once

#include <string>

#include "engine/hge.h"

enum {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFTSTICK,
    PAD_RIGHTSTICK,
    PAD_LEFTSHOULDER,
    PAD_RIGHTSHOULDER,
    PAD_DPUP,
    PAD_DPDOWN,
    PAD_DPLEFT,
    PAD_DPRIGHT,
    PAD_BUTTON_COUNT
};

enum { PAD_LEFTX, PAD_LEFTY, PAD_RIGHTX, PAD_RIGHTY, PAD_LEFTTRIGGER, PAD_RIGHTTRIGGER, PAD_AXIS_COUNT };

struct pad_struct {
    int id = 0;  // the device's own number
    bool button[PAD_BUTTON_COUNT] = {};
    float axis[PAD_AXIS_COUNT] = {};  // sticks -1..1, right and down positive; triggers 0..1
};

// Names as in the input scripts ("A", "LEFTSHOULDER", "DPUP"; "LEFTX",
// "RIGHTTRIGGER"), any letter case; -1 when unknown.
int PadButtonFromName(const std::string& name);
int PadAxisFromName(const std::string& name);
std::string PadButtonName(int button);
std::string PadAxisName(int axis);

// Marks the game keys the pad holds, in play or on the screens.
void PadKeysHeld(const pad_struct& pad, bool play, bool held[HGEK_MAXKEY]);

// The direction of an aiming stick (radians, y down) once it is pushed well
// away from the middle; false while it is near it, so letting the stick go
// keeps the last direction.
bool AimDirection(const pad_struct& pad, float* angle);

// How far the pointer moves in dt seconds on the screens, in picture pixels:
// the further a stick is pushed the faster it goes; the D-pad moves at a
// steady pace.
void PointerStep(const pad_struct& pad, float dt, float* dx, float* dy);
