// The engine interface: window, frame loop, input, textures, render targets,
// quads, sound, INI access, timer and random numbers. The game reaches the
// platform only through this header; engine/ implements it on SDL2.
#pragma once

#include <cstdint>
#include <string>

typedef uint32_t HTEXTURE;   // 0 is "no texture"
typedef uint32_t HTARGET;    // 0 is "no target" (the screen)
typedef uint32_t HEFFECT;    // 0 is "no sound"
typedef uint32_t HCHANNEL;   // 0 is "no channel"
typedef bool (*hgeCallback)();

const int HGE_VERSION = 0x180;

enum hgeBoolState { HGE_WINDOWED = 1, HGE_HIDEMOUSE = 6, HGE_SHOWSPLASH = 7 };
enum hgeFuncState {
    HGE_FRAMEFUNC = 8,
    HGE_RENDERFUNC = 9,
    HGE_FOCUSLOSTFUNC = 10,
    HGE_GFXRESTOREFUNC = 12,
    HGE_EXITFUNC = 13
};
enum hgeIntState { HGE_SCREENWIDTH = 17, HGE_SCREENHEIGHT = 18, HGE_SCREENBPP = 19 };
enum hgeStringState { HGE_TITLE = 27, HGE_INIFILE = 28 };
// How a folder of the data that may come after the start stands.
enum hgeFolderState { HGE_FOLDER_READY, HGE_FOLDER_COMING, HGE_FOLDER_FAILED };

// Blend bits of a quad. The game draws everything with BLEND_DEFAULT:
// vertex colour multiplies the texture, alpha blending, no depth writes.
const int BLEND_COLORADD = 1;
const int BLEND_ALPHABLEND = 2;
const int BLEND_ZWRITE = 4;
const int BLEND_DEFAULT = BLEND_ALPHABLEND;

// Message box style bits.
const unsigned MB_OK = 0x0;
const unsigned MB_ICONERROR = 0x10;
const unsigned MB_SYSTEMMODAL = 0x1000;

// Key codes are the Windows virtual-key codes; mouse buttons are 1, 2 and 4.
enum {
    HGEK_LBUTTON = 1,
    HGEK_RBUTTON = 2,
    HGEK_MBUTTON = 4,
    HGEK_BACKSPACE = 8,
    HGEK_TAB = 9,
    HGEK_ENTER = 13,
    HGEK_SHIFT = 16,
    HGEK_CTRL = 17,
    HGEK_ALT = 18,
    HGEK_PAUSE = 19,
    HGEK_CAPSLOCK = 20,
    HGEK_ESCAPE = 27,
    HGEK_SPACE = 32,
    HGEK_PGUP = 33,
    HGEK_PGDN = 34,
    HGEK_END = 35,
    HGEK_HOME = 36,
    HGEK_LEFT = 37,
    HGEK_UP = 38,
    HGEK_RIGHT = 39,
    HGEK_DOWN = 40,
    HGEK_INSERT = 45,
    HGEK_DELETE = 46,
    HGEK_0 = 48,  // '0'..'9' are 48..57
    HGEK_A = 65,  // 'A'..'Z' are 65..90
    HGEK_NUMPAD0 = 96,
    HGEK_F1 = 112,  // F1..F12 are 112..123
    HGEK_F12 = 123,
    HGEK_MAXKEY = 256
};

struct hgeVertex {
    float x, y;   // screen position
    float z;      // depth, 0..1 (kept for the record; drawing order decides)
    uint32_t col; // ARGB colour, multiplies the texture
    float tx, ty; // texture coordinates, 0..1
};

struct hgeQuad {
    hgeVertex v[4];  // top-left, top-right, bottom-right, bottom-left
    HTEXTURE tex;
    int blend;
};

class HGE {
public:
    virtual ~HGE() {}
    virtual void Release() = 0;

    virtual bool System_Initiate() = 0;
    virtual void System_Shutdown() = 0;
    virtual bool System_Start() = 0;
    virtual std::string System_GetErrorMessage() = 0;
    virtual void System_Log(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    // Shows a message box (Windows-1251 text). Headless runs only log it.
    virtual int System_MessageBox(const char* text, const char* caption, unsigned style) = 0;
    // The language the player's system is set to, as the system names it
    // ("en_US.UTF-8" on the desktop, "en-US" in a web page); empty when it
    // is not known, and always in a headless run, so runs do not depend on
    // the machine.
    virtual std::string System_GetLanguage() = 0;

    virtual void System_SetStateBool(hgeBoolState state, bool value) = 0;
    virtual void System_SetStateFunc(hgeFuncState state, hgeCallback value) = 0;
    virtual void System_SetStateInt(hgeIntState state, int value) = 0;
    virtual void System_SetStateString(hgeStringState state, const char* value) = 0;
    virtual bool System_GetStateBool(hgeBoolState state) = 0;
    virtual int System_GetStateInt(hgeIntState state) = 0;

    void System_SetState(hgeBoolState s, bool v) { System_SetStateBool(s, v); }
    void System_SetState(hgeFuncState s, hgeCallback v) { System_SetStateFunc(s, v); }
    void System_SetState(hgeIntState s, int v) { System_SetStateInt(s, v); }
    void System_SetState(hgeStringState s, const char* v) { System_SetStateString(s, v); }
    bool System_GetState(hgeBoolState s) { return System_GetStateBool(s); }
    int System_GetState(hgeIntState s) { return System_GetStateInt(s); }

    // Whole file in memory (null when it cannot be read); free with Resource_Free.
    virtual void* Resource_Load(const char* filename, uint32_t* size = nullptr) = 0;
    virtual void Resource_Free(void* resource) = 0;
    // A folder of the data may come later than the rest: a web page fetches
    // a language's pictures only when that language is shown. Asks for the
    // folder (asking again only reports) and says how it stands. Its files
    // appear all at once, between two frames; one that failed to come is
    // logged once and stays failed. On the desktop every folder is ready.
    virtual hgeFolderState Resource_FetchFolder(const char* folder) = 0;

    // Read the file last set as HGE_INIFILE; the default when file or key is missing.
    virtual int Ini_GetInt(const char* section, const char* name, int def) = 0;
    virtual float Ini_GetFloat(const char* section, const char* name, float def) = 0;
    virtual std::string Ini_GetString(const char* section, const char* name, const char* def) = 0;

    virtual void Random_Seed(int seed = 0) = 0;
    virtual int Random_Int(int min, int max) = 0;
    virtual float Random_Float(float min, float max) = 0;

    virtual float Timer_GetTime() = 0;
    virtual float Timer_GetDelta() = 0;
    virtual int Timer_GetFPS() = 0;

    virtual HEFFECT Effect_Load(const char* filename, uint32_t size = 0) = 0;
    virtual void Effect_Free(HEFFECT eff) = 0;
    virtual HCHANNEL Effect_Play(HEFFECT eff) = 0;
    virtual HCHANNEL Effect_PlayEx(HEFFECT eff, int volume = 100, int pan = 0, float pitch = 1.0f,
                                   bool loop = false) = 0;
    virtual void Channel_Stop(HCHANNEL chn) = 0;
    virtual void Channel_StopAll() = 0;
    virtual bool Channel_IsPlaying(HCHANNEL chn) = 0;

    virtual void Input_GetMousePos(float* x, float* y) = 0;
    virtual int Input_GetMouseWheel() = 0;
    virtual bool Input_KeyDown(int key) = 0;
    virtual bool Input_KeyUp(int key) = 0;
    virtual bool Input_GetKeyState(int key) = 0;
    virtual int Input_GetKey() = 0;

    // Desktop conveniences the game asks for by its own state.
    // Keeps the mouse inside the window while on; whenever the window loses
    // the focus the mouse goes free all the same.
    virtual void Input_ConfineMouse(bool on) = 0;
    // How a gamepad drives the frames that follow. In play (on) its right
    // stick puts the mouse at distance from (x, y), the player's place in
    // the picture, in the direction the stick was last pushed; otherwise its
    // sticks move the mouse like a pointer.
    virtual void Input_SetPadPlay(bool on, float x, float y, float distance) = 0;
    // Saves the picture of this frame, once it is drawn, as a new PNG named
    // after the date and time in folder (made when missing), never over an
    // existing file, and logs its name.
    virtual void System_Snapshot(const char* folder) = 0;

    virtual bool Gfx_BeginScene(HTARGET target = 0) = 0;
    virtual void Gfx_EndScene() = 0;
    virtual void Gfx_Clear(uint32_t color) = 0;
    virtual void Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t color = 0xFFFFFFFF,
                                float z = 0.5f) = 0;
    virtual void Gfx_RenderQuad(const hgeQuad* quad) = 0;

    virtual HTARGET Target_Create(int width, int height, bool zbuffer) = 0;
    virtual void Target_Free(HTARGET target) = 0;
    virtual HTEXTURE Target_GetTexture(HTARGET target) = 0;

    virtual HTEXTURE Texture_Load(const char* filename, uint32_t size = 0, bool mipmap = false) = 0;
    virtual void Texture_Free(HTEXTURE tex) = 0;
    // Pictures are decoded when first drawn. This asks for the texture's to
    // be decoded ahead, between frames, so that its first drawing (in play,
    // say) does not wait for it.
    virtual void Texture_Prefetch(HTEXTURE tex) = 0;
    // The stored size, or with original set the image's own size.
    virtual int Texture_GetWidth(HTEXTURE tex, bool original = false) = 0;
    virtual int Texture_GetHeight(HTEXTURE tex, bool original = false) = 0;
};

// Creates (once) and returns the engine; every call must be matched by Release.
HGE* hgeCreate(int version);
