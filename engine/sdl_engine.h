// The engine interface implemented on SDL2, SDL2_image and SDL2_mixer.
// Internal to engine/: the game sees only hge.h.
#pragma once

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/gamepad.h"
#include "engine/hge.h"
#include "engine/key_map.h"
#include "engine/sim.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// Pictures and sounds are decoded when first used, not at start-up: the
// first picture needs one picture, and a run sees only some of the others.
// Between frames the engine decodes ahead what the game asked for
// (Texture_Prefetch) and the short sounds, one file a frame. Loading checks
// only that a picture's file is whole (png_file.h) and that a sound's file
// exists; a file that fails to decode later makes its handle behave like
// the 0 a failed load would have given.
struct EngineTexture {
    SDL_Texture* texture = nullptr;
    int width = 0, height = 0;
    bool isTarget = false;  // owned by a target; freed with it
    std::string path;
    bool undecoded = false;  // only the size is known yet
    bool failed = false;     // the file could not be decoded after all: drawn as no texture
    int scaleMode = -1;      // the SDL_ScaleMode last set, -1 before the first drawing
};

// Sound files larger than this are music tracks: they play streamed from
// their file instead of being decoded whole, and only one plays at a time
// (starting another stops it, as it would stop a piece of music).
const long TrackFileSize = 256 * 1024;

struct EngineSound {
    Mix_Chunk* chunk = nullptr;  // null when the game runs silently
    Mix_Music* track = nullptr;  // the stream of a track, opened when first played
    std::string name;
    std::string path;
    bool isTrack = false;
    bool undecoded = false;
    bool failed = false;  // could not be decoded or opened: plays as a sound that did not load
};

const int PictureWidthDefault = 800;
const int PictureHeightDefault = 590;
const int MixerChannels = 32;
const int TrackChannel = MixerChannels;  // the channel number of the track playing

class SdlEngine : public HGE {
public:
    SdlEngine();
    ~SdlEngine() override;

    int refs = 1;

    void Release() override;
    bool System_Initiate() override;
    void System_Shutdown() override;
    bool System_Start() override;
    std::string System_GetErrorMessage() override;
    void System_Log(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    int System_MessageBox(const char* text, const char* caption, unsigned style) override;
    std::string System_GetLanguage() override;

    void System_SetStateBool(hgeBoolState state, bool value) override;
    void System_SetStateFunc(hgeFuncState state, hgeCallback value) override;
    void System_SetStateInt(hgeIntState state, int value) override;
    void System_SetStateString(hgeStringState state, const char* value) override;
    bool System_GetStateBool(hgeBoolState state) override;
    int System_GetStateInt(hgeIntState state) override;

    void* Resource_Load(const char* filename, uint32_t* size) override;
    void Resource_Free(void* resource) override;
    hgeFolderState Resource_FetchFolder(const char* folder) override;

    int Ini_GetInt(const char* section, const char* name, int def) override;
    float Ini_GetFloat(const char* section, const char* name, float def) override;
    std::string Ini_GetString(const char* section, const char* name, const char* def) override;

    void Random_Seed(int seed) override;
    int Random_Int(int min, int max) override;
    float Random_Float(float min, float max) override;

    float Timer_GetTime() override;
    float Timer_GetDelta() override;
    int Timer_GetFPS() override;

    HEFFECT Effect_Load(const char* filename, uint32_t size) override;
    void Effect_Free(HEFFECT eff) override;
    HCHANNEL Effect_Play(HEFFECT eff) override;
    HCHANNEL Effect_PlayEx(HEFFECT eff, int volume, int pan, float pitch, bool loop) override;
    void Channel_Stop(HCHANNEL chn) override;
    void Channel_StopAll() override;
    bool Channel_IsPlaying(HCHANNEL chn) override;

    void Input_GetMousePos(float* x, float* y) override;
    int Input_GetMouseWheel() override;
    bool Input_KeyDown(int key) override;
    bool Input_KeyUp(int key) override;
    bool Input_GetKeyState(int key) override;
    int Input_GetKey() override;
    void Input_ConfineMouse(bool on) override;
    void Input_SetPadPlay(bool on, float x, float y, float distance) override;
    void System_Snapshot(const char* folder) override;

    bool Gfx_BeginScene(HTARGET target) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(uint32_t color) override;
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t color, float z) override;
    void Gfx_RenderQuad(const hgeQuad* quad) override;

    HTARGET Target_Create(int width, int height, bool zbuffer) override;
    void Target_Free(HTARGET target) override;
    HTEXTURE Target_GetTexture(HTARGET target) override;

    HTEXTURE Texture_Load(const char* filename, uint32_t size, bool mipmap) override;
    void Texture_Free(HTEXTURE tex) override;
    int Texture_GetWidth(HTEXTURE tex, bool original) override;
    int Texture_GetHeight(HTEXTURE tex, bool original) override;
    void Texture_Prefetch(HTEXTURE tex) override;

    // --- states
    bool windowed = true, hideMouse = false, showSplash = false;
    hgeCallback frameFunc = nullptr, renderFunc = nullptr, focusLostFunc = nullptr;
    hgeCallback gfxRestoreFunc = nullptr, exitFunc = nullptr;
    int screenWidth = PictureWidthDefault, screenHeight = PictureHeightDefault, screenBpp = 32;
    std::string title = "Quarvel";
    std::string iniFile;
    std::string errorMessage;

    // --- system (sdl_system.cpp)
    bool initiated = false;
    bool headless = false;
    SimOptions sim;
    uint32_t randomState = 1;
    double startTicks = 0;
    float frameDelta = 0;
    int fps = 0;
    int frameIndex = -1;  // the frame being run; -1 before the loop
    FrameTimes times;
    std::string snapshotFolder;
    bool snapshotWanted = false;
    bool RunOneFrame(float dt, bool draw = true);
    bool RunPlayerFrame(Uint64* lastCounter);  // true when the loop ends
    void ApplyWindowedState();

    // --- graphics (sdl_graphics.cpp)
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* screen = nullptr;  // the 800 x 590 picture; presented scaled
    bool vsync = false;
    std::vector<EngineTexture> textures;  // handle h is textures[h - 1]
    std::vector<HTEXTURE> targets;        // handle t is targets[t - 1] (a texture handle)
    bool sceneOnScreen = false;
    bool InitGraphics();
    void ShutdownGraphics();
    void ClearPicture();  // black, at the start of every frame
    void PresentScreen();
    SDL_Rect PictureRectInWindow();
    bool SaveScreenshot(const std::string& file);
    void TakeSnapshot();
    EngineTexture* FindTexture(HTEXTURE tex);
    HTEXTURE AddTexture(SDL_Texture* texture, int w, int h, bool isTarget);
    void SetDrawBlend(int blend);
    void SetScaleMode(EngineTexture* t, int mode);
    std::vector<HTEXTURE> texturesWanted;  // asked to be decoded ahead, oldest first
    EngineTexture* TextureSlot(HTEXTURE tex);  // any handle in use, failed ones too
    void DecodeTexture(EngineTexture* t);
    bool DecodeWantedTexture();  // false when none is waiting
    // One file decoded ahead: a texture asked for, else a short sound. The
    // time it takes is left out of the next frame's time.
    void DecodeAhead(Uint64* lastCounter);

    // --- audio (sdl_audio.cpp)
    bool audioOpen = false;
    bool silentLogged = false;
    std::vector<EngineSound> sounds;            // handle h is sounds[h - 1]
    unsigned channelGeneration[MixerChannels + 1] = {};
    unsigned nextGeneration = 1;
    void InitAudio();
    void ShutdownAudio();
    bool DecodeOneSound();  // false when none is left
    void DecodeSound(EngineSound* s);
    void OpenTrack(EngineSound* s);
    HCHANNEL PlayTrack(EngineSound* s, int volume, bool loop);

    // --- input (sdl_input.cpp)
    // A game key is held while a key or button that sends it (through the
    // player's key map) or a gamepad holds it.
    key_map_struct keyMap = DefaultKeyMap();
    bool physicalHeld[HGEK_MAXKEY] = {};
    bool keyHeld[HGEK_MAXKEY] = {};
    bool keyPressed[HGEK_MAXKEY] = {};
    bool keyReleased[HGEK_MAXKEY] = {};
    int lastKeyPressed = 0;
    int wheel = 0;
    float mouseX = 0, mouseY = 0;
    size_t nextScriptEvent = 0;
    // The recording of a played run: kept in memory and written whole
    // (through a temporary file and a rename) every few seconds and at the end.
    bool recording = false;
    std::string recordPath, recordText;
    int recordWrittenFrame = 0;
    float lastRecordedMouseX = -1, lastRecordedMouseY = -1;
    bool focused = true;
    bool confineWanted = false, confined = false;
    void ClearFrameInput();
    void PressKey(int key);
    void ReleaseKey(int key);
    void PhysicalKey(int key, bool down);
    void RefreshGameKey(int key);
    void ReleaseAllKeys();
    void ApplyConfinement();
    void LoadKeySettings();
    void RecordPointer();
    bool PollWindowEvents();  // false when the window asked to close and may
    void ApplyScriptEvents(float* dt);
    void ApplyInputEvent(const InputEvent& e, float* dt);
    void OpenRecorder();
    void RecordInput(const InputEvent& e);
    void RecordFrameEnd(float dt);
    void WriteRecording();

    // --- gamepads (sdl_gamepad.cpp)
    struct PadDevice {
        SDL_GameController* controller;
        pad_struct state;
    };
    std::vector<PadDevice> padDevices;  // plugged in, read every frame
    std::vector<pad_struct> scriptPads; // a runner's script plays these
    bool padHeld[HGEK_MAXKEY] = {};
    bool padPlay = false;
    float padCentreX = 0, padCentreY = 0, padDistance = 0;
    bool padAiming = false;  // the right stick has set the aim and the mouse not moved since
    float padAimAngle = 0;
    void InitPads();
    void ShutdownPads();
    void PadPlugged(int deviceIndex);
    void PadUnplugged(int instanceId);
    void ApplyScriptPadEvent(const InputEvent& e);
    void UpdatePadInput(float dt);
};
