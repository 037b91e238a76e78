// Keyboard and mouse of the SDL engine: window events or a script, turned
// through the player's key map into the per-frame key states the game reads;
// the mouse kept in the window while the game asks; recording of a player's
// input into the runner's script format.
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/keys.h"
#include "engine/paths.h"
#include "engine/sdl_engine.h"

void SdlEngine::ClearFrameInput()
{
    std::fill(std::begin(keyPressed), std::end(keyPressed), false);
    std::fill(std::begin(keyReleased), std::end(keyReleased), false);
    lastKeyPressed = 0;
    wheel = 0;
}

void SdlEngine::PressKey(int key)
{
    if (key <= 0 || key >= HGEK_MAXKEY)
        return;
    keyPressed[key] = true;
    keyHeld[key] = true;
    lastKeyPressed = key;
    RecordInput({.frame = frameIndex, .kind = INPUT_DOWN, .key = key});
}

void SdlEngine::ReleaseKey(int key)
{
    if (key <= 0 || key >= HGEK_MAXKEY)
        return;
    keyReleased[key] = true;
    keyHeld[key] = false;
    RecordInput({.frame = frameIndex, .kind = INPUT_UP, .key = key});
}

// A game key is held while anything that sends it is held; only the first
// of them presses it and only the last to let go releases it.
void SdlEngine::RefreshGameKey(int key)
{
    if (key <= 0 || key >= HGEK_MAXKEY)
        return;
    bool held = padHeld[key];
    for (int k = 1; k < HGEK_MAXKEY && !held; k++)
        held = physicalHeld[k] && keyMap.sends[k] == key;
    if (held && !keyHeld[key])
        PressKey(key);
    else if (!held && keyHeld[key])
        ReleaseKey(key);
}

void SdlEngine::PhysicalKey(int key, bool down)
{
    if (key <= 0 || key >= HGEK_MAXKEY || physicalHeld[key] == down)
        return;
    physicalHeld[key] = down;
    RefreshGameKey(keyMap.sends[key]);
}

void SdlEngine::ReleaseAllKeys()
{
    std::fill(std::begin(physicalHeld), std::end(physicalHeld), false);
    std::fill(std::begin(padHeld), std::end(padHeld), false);
    for (int k = 1; k < HGEK_MAXKEY; k++)
        if (keyHeld[k])
            ReleaseKey(k);
}

void SdlEngine::LoadKeySettings()
{
    const char* name = "keys.cfg";
    uint32_t size = 0;
    char* text = (char*)LoadWholeFile(name, KeySettingsLimit, &size);
    if (!text) {
        if (CanOpenForReading(ResolvePath(name)))
            System_Log("Can't read %s (not a plain file, or too large); the game's own keys are used",
                       ResolvePath(name).c_str());
        return;
    }
    std::vector<std::string> problems;
    keyMap = ParseKeySettings(std::string(text, size), &problems);
    free(text);
    std::string path = ResolvePath(name);
    System_Log("Keys from %s", path.c_str());
    for (const std::string& p : problems)
        System_Log("%s: %s; ignored", path.c_str(), p.c_str());
}

// Only a window that has the focus may hold the mouse; a web page never does.
void SdlEngine::ApplyConfinement()
{
#ifndef __EMSCRIPTEN__
    bool on = confineWanted && focused && !headless && window;
    if (on != confined) {
        SDL_SetWindowMouseGrab(window, on ? SDL_TRUE : SDL_FALSE);
        confined = on;
    }
#endif
}

void SdlEngine::Input_ConfineMouse(bool on)
{
    confineWanted = on;
    ApplyConfinement();
}

static void MapMouseToPicture(SdlEngine* e, int wx, int wy)
{
    int ww = 1, wh = 1, ow = 1, oh = 1;
    SDL_GetWindowSize(e->window, &ww, &wh);
    SDL_GetRendererOutputSize(e->renderer, &ow, &oh);
    SDL_Rect r = e->PictureRectInWindow();
    float px = (wx * (float)ow / ww - r.x) * e->screenWidth / r.w;
    float py = (wy * (float)oh / wh - r.y) * e->screenHeight / r.h;
    e->mouseX = std::clamp(px, 0.0f, (float)e->screenWidth - 1);
    e->mouseY = std::clamp(py, 0.0f, (float)e->screenHeight - 1);
}

static void HandleWindowEvent(SdlEngine* e, const SDL_WindowEvent& w)
{
    if (w.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        e->focused = true;
        e->ApplyConfinement();
    }
    if (w.event != SDL_WINDOWEVENT_FOCUS_LOST)
        return;
    e->focused = false;
    e->ApplyConfinement();
    // Keys released while another window has the focus never reach us.
    e->ReleaseAllKeys();
    if (e->focusLostFunc)
        e->focusLostFunc();
}

bool SdlEngine::PollWindowEvents()
{
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        switch (ev.type) {
        case SDL_QUIT:
            if (!exitFunc || exitFunc())
                return false;
            break;
        case SDL_KEYDOWN:
            if (!ev.key.repeat)
                PhysicalKey(KeyCodeFromScancode(ev.key.keysym.scancode), true);
            break;
        case SDL_KEYUP: PhysicalKey(KeyCodeFromScancode(ev.key.keysym.scancode), false); break;
        case SDL_MOUSEBUTTONDOWN: PhysicalKey(KeyCodeFromMouseButton(ev.button.button), true); break;
        case SDL_MOUSEBUTTONUP: PhysicalKey(KeyCodeFromMouseButton(ev.button.button), false); break;
        case SDL_MOUSEMOTION:
            MapMouseToPicture(this, ev.motion.x, ev.motion.y);
            padAiming = false;
            break;
        case SDL_CONTROLLERDEVICEADDED: PadPlugged(ev.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: PadUnplugged(ev.cdevice.which); break;
        case SDL_MOUSEWHEEL:
            wheel += ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -ev.wheel.y : ev.wheel.y;
            break;
        case SDL_WINDOWEVENT: HandleWindowEvent(this, ev.window); break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            if (gfxRestoreFunc)
                gfxRestoreFunc();
            break;
        }
    }
    return true;
}

// After the gamepads have had their say about the mouse.
void SdlEngine::RecordPointer()
{
    if (wheel != 0)
        RecordInput({.frame = frameIndex, .kind = INPUT_WHEEL, .wheel = wheel});
    if (mouseX != lastRecordedMouseX || mouseY != lastRecordedMouseY) {
        RecordInput({.frame = frameIndex, .kind = INPUT_MOUSE, .x = mouseX, .y = mouseY});
        lastRecordedMouseX = mouseX;
        lastRecordedMouseY = mouseY;
    }
}

// A script presses a key every time it says so, as the recording it may
// come from did.
void SdlEngine::ApplyInputEvent(const InputEvent& e, float* dt)
{
    switch (e.kind) {
    case INPUT_DOWN:
        physicalHeld[e.key] = true;
        PressKey(e.key);
        break;
    case INPUT_UP:
        physicalHeld[e.key] = false;
        if (!padHeld[e.key])
            ReleaseKey(e.key);
        break;
    case INPUT_MOUSE:
        mouseX = e.x;
        mouseY = e.y;
        padAiming = false;
        break;
    case INPUT_WHEEL: wheel += e.wheel; break;
    case INPUT_DT: *dt = e.dt; break;
    case INPUT_SEED: break;  // taken before the run starts
    default: ApplyScriptPadEvent(e); break;
    }
}

void SdlEngine::ApplyScriptEvents(float* dt)
{
    const std::vector<InputEvent>& events = sim.events;
    while (nextScriptEvent < events.size() && events[nextScriptEvent].frame <= frameIndex)
        ApplyInputEvent(events[nextScriptEvent++], dt);
    if (!sim.beforeFrame)
        return;
    std::vector<InputEvent> given;
    sim.beforeFrame(frameIndex, &given);
    for (const InputEvent& e : given)
        ApplyInputEvent(e, dt);
}

const int RecordingWriteFrames = 600;  // about ten seconds of play

void SdlEngine::OpenRecorder()
{
    const char* path = getenv("QUARVEL_RECORD");
    if (!path || !*path)
        return;
    recording = true;
    // Named from the working folder, not from where the game keeps its files.
    std::error_code ec;
    recordPath = std::filesystem::absolute(path, ec).string();
    recordText = std::string("# Quarvel input recording: replay with quarvel-sim --input ") + path + "\n";
    WriteRecording();
}

void SdlEngine::WriteRecording()
{
    if (recording && !WriteWholeFile(recordPath, recordText))
        System_Log("Can't record input into %s", recordPath.c_str());
    recordWrittenFrame = frameIndex;
}

void SdlEngine::RecordInput(const InputEvent& e)
{
    if (recording)
        recordText += FormatInputEvent(e) + "\n";
}

void SdlEngine::RecordFrameEnd(float dt)
{
    if (!recording)
        return;
    RecordInput({.frame = frameIndex, .kind = INPUT_DT, .dt = dt});
    if (frameIndex - recordWrittenFrame >= RecordingWriteFrames)
        WriteRecording();
}

void SdlEngine::Input_GetMousePos(float* x, float* y)
{
    if (x)
        *x = mouseX;
    if (y)
        *y = mouseY;
}

int SdlEngine::Input_GetMouseWheel()
{
    return wheel;
}

static bool ValidKey(int key)
{
    return key > 0 && key < HGEK_MAXKEY;
}

bool SdlEngine::Input_KeyDown(int key)
{
    return ValidKey(key) && keyPressed[key];
}

bool SdlEngine::Input_KeyUp(int key)
{
    return ValidKey(key) && keyReleased[key];
}

bool SdlEngine::Input_GetKeyState(int key)
{
    return ValidKey(key) && keyHeld[key];
}

int SdlEngine::Input_GetKey()
{
    return lastKeyPressed;
}
