// Gamepads of the SDL engine: plugged in and out while the game runs, read
// every frame, and turned into the game's keys and mouse (engine/gamepad.h).
// A runner's script plays a pad of its own through the same rules.
#include <algorithm>
#include <cmath>

#include "engine/sdl_engine.h"

void SdlEngine::InitPads()
{
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        System_Log("No gamepads: %s", SDL_GetError());
    // Pads already plugged in arrive as plugged-in events at the first frame.
}

void SdlEngine::ShutdownPads()
{
    for (PadDevice& d : padDevices)
        SDL_GameControllerClose(d.controller);
    padDevices.clear();
}

void SdlEngine::PadPlugged(int deviceIndex)
{
    SDL_GameController* c = SDL_GameControllerOpen(deviceIndex);
    if (!c) {
        System_Log("Can't open gamepad %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
    for (const PadDevice& d : padDevices) {
        if (d.state.id == id) {
            SDL_GameControllerClose(c);  // opened twice; SDL counts opens
            return;
        }
    }
    PadDevice d{c, {}};
    d.state.id = id;
    padDevices.push_back(d);
    const char* name = SDL_GameControllerName(c);
    System_Log("Gamepad connected: %s", name ? name : "(no name)");
}

void SdlEngine::PadUnplugged(int instanceId)
{
    for (size_t i = 0; i < padDevices.size(); i++) {
        if (padDevices[i].state.id == instanceId) {
            SDL_GameControllerClose(padDevices[i].controller);
            padDevices.erase(padDevices.begin() + (long)i);
            System_Log("Gamepad disconnected");
            return;
        }
    }
}

static pad_struct* ScriptPad(SdlEngine* e, bool plugIn)
{
    if (e->scriptPads.empty() && plugIn)
        e->scriptPads.push_back(pad_struct());
    return e->scriptPads.empty() ? nullptr : &e->scriptPads[0];
}

void SdlEngine::ApplyScriptPadEvent(const InputEvent& e)
{
    if (e.kind == INPUT_PAD_DISCONNECT) {
        scriptPads.clear();
        return;
    }
    pad_struct* pad = ScriptPad(this, true);
    switch (e.kind) {
    case INPUT_PAD_DOWN: pad->button[e.padButton] = true; break;
    case INPUT_PAD_UP: pad->button[e.padButton] = false; break;
    case INPUT_PAD_AXIS: pad->axis[e.padAxis] = e.value; break;
    default: break;
    }
}

static float AxisValue(SDL_GameController* c, SDL_GameControllerAxis axis)
{
    float v = SDL_GameControllerGetAxis(c, axis) / 32767.0f;
    return std::clamp(v, -1.0f, 1.0f);
}

// SDL's buttons and axes come in the order of engine/gamepad.h.
static void ReadPad(SdlEngine::PadDevice* d, bool focused)
{
    for (int b = 0; b < PAD_BUTTON_COUNT; b++)
        d->state.button[b] = focused && SDL_GameControllerGetButton(d->controller, (SDL_GameControllerButton)b);
    for (int a = 0; a < PAD_AXIS_COUNT; a++)
        d->state.axis[a] = focused ? AxisValue(d->controller, (SDL_GameControllerAxis)a) : 0.0f;
}

void SdlEngine::Input_SetPadPlay(bool on, float x, float y, float distance)
{
    if (!on)
        padAiming = false;
    padPlay = on;
    padCentreX = x;
    padCentreY = y;
    padDistance = distance;
}

template <typename F>
static void ForEachPad(SdlEngine* e, F f)
{
    for (const SdlEngine::PadDevice& d : e->padDevices)
        f(d.state);
    for (const pad_struct& p : e->scriptPads)
        f(p);
}

// In play the mouse stays at the aiming distance from the player, in the
// direction the right stick last pointed, while he walks and turns.
static void MovePointer(SdlEngine* e, float dt)
{
    float angle = 0, dx = 0, dy = 0;
    bool aimed = false;
    ForEachPad(e, [&](const pad_struct& p) {
        aimed = aimed || AimDirection(p, &angle);
        float sx, sy;
        PointerStep(p, dt, &sx, &sy);
        dx += sx;
        dy += sy;
    });
    if (e->padPlay) {
        if (aimed) {
            e->padAiming = true;
            e->padAimAngle = angle;
        }
        if (e->padAiming) {
            e->mouseX = e->padCentreX + e->padDistance * std::cos(e->padAimAngle);
            e->mouseY = e->padCentreY + e->padDistance * std::sin(e->padAimAngle);
        }
    } else if (dx != 0 || dy != 0) {
        e->mouseX = std::clamp(e->mouseX + dx, 0.0f, (float)e->screenWidth - 1);
        e->mouseY = std::clamp(e->mouseY + dy, 0.0f, (float)e->screenHeight - 1);
    }
}

void SdlEngine::UpdatePadInput(float dt)
{
    for (PadDevice& d : padDevices)
        ReadPad(&d, focused);
    bool held[HGEK_MAXKEY] = {};
    ForEachPad(this, [&](const pad_struct& p) { PadKeysHeld(p, padPlay, held); });
    for (int k = 1; k < HGEK_MAXKEY; k++) {
        if (held[k] != padHeld[k]) {
            padHeld[k] = held[k];
            RefreshGameKey(k);
        }
    }
    MovePointer(this, dt);
}
