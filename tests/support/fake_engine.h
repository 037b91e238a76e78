// A recording stand-in for the engine: no window, no SDL. Tests put it in
// place of the real engine to see what the game draws, plays and shows, and
// to feed it input, time and random numbers.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/hge.h"

struct FakeLine {
    float x1, y1, x2, y2;
    uint32_t color;
};

class FakeEngine : public HGE {
public:
    // --- what the game did
    std::vector<hgeQuad> quads;
    std::vector<FakeLine> lines;
    std::vector<std::string> logs;
    std::vector<std::string> messages;   // text as given (Windows-1251)
    std::vector<std::string> sounds;     // file names, in the order played
    std::vector<std::string> loadedTextures;
    std::vector<uint32_t> clears;
    std::vector<HTARGET> scenes;          // target of every Gfx_BeginScene
    int freedTextures = 0;
    std::vector<HTEXTURE> prefetched;
    bool mouseConfined = false;
    bool padPlay = false;
    float padX = 0, padY = 0, padDistance = 0;
    std::vector<std::string> snapshots;   // folders asked for

    // --- what the game sees
    std::map<std::string, std::pair<int, int>> textureSizes;  // file -> size; PNG headers otherwise
    std::set<std::string> missingFiles;                       // Texture_Load fails for these
    std::deque<int> randomInts;      // consumed by Random_Int; min when empty
    std::deque<float> randomFloats;  // consumed by Random_Float; min when empty
    float delta = 1.0f / 60.0f;
    float mouseX = 0, mouseY = 0;
    int wheel = 0;
    bool held[HGEK_MAXKEY] = {}, pressed[HGEK_MAXKEY] = {}, released[HGEK_MAXKEY] = {};
    std::set<HCHANNEL> playingChannels;
    int screenWidth = 800, screenHeight = 590;
    bool windowed = true;
    std::string systemLanguage;  // what System_GetLanguage answers
    std::map<std::string, hgeFolderState> folderStates;  // what Resource_FetchFolder answers; ready when absent
    std::vector<std::string> foldersAsked;

    void Press(int key) { pressed[key] = held[key] = true; }
    void Release(int key) { released[key] = true, held[key] = false; }
    void ClearPresses();
    HTEXTURE AddTexture(int w, int h);  // a texture that needs no file
    std::string textureName(HTEXTURE tex) const;

    void Release() override {}
    bool System_Initiate() override { return true; }
    void System_Shutdown() override {}
    bool System_Start() override { return true; }
    std::string System_GetErrorMessage() override { return "fake"; }
    void System_Log(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    int System_MessageBox(const char* text, const char*, unsigned) override;
    std::string System_GetLanguage() override { return systemLanguage; }
    void System_SetStateBool(hgeBoolState s, bool v) override;
    void System_SetStateFunc(hgeFuncState, hgeCallback) override {}
    void System_SetStateInt(hgeIntState s, int v) override;
    void System_SetStateString(hgeStringState s, const char* v) override;
    bool System_GetStateBool(hgeBoolState s) override { return s == HGE_WINDOWED ? windowed : false; }
    int System_GetStateInt(hgeIntState s) override;

    void* Resource_Load(const char* filename, uint32_t* size) override;
    void Resource_Free(void* resource) override;
    hgeFolderState Resource_FetchFolder(const char* folder) override;
    int Ini_GetInt(const char* section, const char* name, int def) override;
    float Ini_GetFloat(const char* section, const char* name, float def) override;
    std::string Ini_GetString(const char* section, const char* name, const char* def) override;

    void Random_Seed(int) override {}
    int Random_Int(int min, int max) override;
    float Random_Float(float min, float max) override;
    float Timer_GetTime() override { return 0; }
    float Timer_GetDelta() override { return delta; }
    int Timer_GetFPS() override { return 60; }

    HEFFECT Effect_Load(const char* filename, uint32_t) override;
    void Effect_Free(HEFFECT) override {}
    HCHANNEL Effect_Play(HEFFECT eff) override { return Effect_PlayEx(eff, 100, 0, 1.0f, false); }
    HCHANNEL Effect_PlayEx(HEFFECT eff, int, int, float, bool) override;
    void Channel_Stop(HCHANNEL chn) override { playingChannels.erase(chn); }
    void Channel_StopAll() override { playingChannels.clear(); }
    bool Channel_IsPlaying(HCHANNEL chn) override { return playingChannels.count(chn) > 0; }

    void Input_GetMousePos(float* x, float* y) override { *x = mouseX, *y = mouseY; }
    int Input_GetMouseWheel() override { return wheel; }
    bool Input_KeyDown(int key) override { return key > 0 && key < HGEK_MAXKEY && pressed[key]; }
    bool Input_KeyUp(int key) override { return key > 0 && key < HGEK_MAXKEY && released[key]; }
    bool Input_GetKeyState(int key) override { return key > 0 && key < HGEK_MAXKEY && held[key]; }
    int Input_GetKey() override;
    void Input_ConfineMouse(bool on) override { mouseConfined = on; }
    void Input_SetPadPlay(bool on, float x, float y, float distance) override
    {
        padPlay = on, padX = x, padY = y, padDistance = distance;
    }
    void System_Snapshot(const char* folder) override { snapshots.push_back(folder); }

    bool Gfx_BeginScene(HTARGET target) override { scenes.push_back(target); return true; }
    void Gfx_EndScene() override {}
    void Gfx_Clear(uint32_t color) override { clears.push_back(color); }
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t color, float) override
    {
        lines.push_back({x1, y1, x2, y2, color});
    }
    void Gfx_RenderQuad(const hgeQuad* quad) override { quads.push_back(*quad); }

    HTARGET Target_Create(int w, int h, bool) override;
    void Target_Free(HTARGET) override {}
    HTEXTURE Target_GetTexture(HTARGET target) override { return target; }

    HTEXTURE Texture_Load(const char* filename, uint32_t, bool) override;
    void Texture_Free(HTEXTURE tex) override;
    void Texture_Prefetch(HTEXTURE tex) override { prefetched.push_back(tex); }
    int Texture_GetWidth(HTEXTURE tex, bool) override;
    int Texture_GetHeight(HTEXTURE tex, bool) override;

private:
    std::string iniFile;
    std::vector<std::pair<int, int>> textures;  // handle h is textures[h - 1]
    std::vector<std::string> textureNames;
    std::vector<std::string> effects;
    HCHANNEL nextChannel = 1;
};

// Puts a fake engine in place of the game's engine for the life of a test.
struct FakeEngineScope {
    FakeEngine engine;
    HGE* saved;
    FakeEngineScope();
    ~FakeEngineScope();
};
