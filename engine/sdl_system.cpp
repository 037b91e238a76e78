// Life, states, frame loop, log, message boxes, files, INI, random numbers and
// time of the SDL engine.
#include <SDL2/SDL_image.h>

#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "engine/browser.h"
#include "engine/cp1251.h"
#include "engine/folders.h"
#include "engine/ini.h"
#include "engine/paths.h"
#include "engine/sdl_engine.h"

#ifdef __EMSCRIPTEN__
const bool PageReportsFirstPicture = true;  // as Module.quarvelFirstFrameAt
#else
const bool PageReportsFirstPicture = false;
#endif

static SdlEngine* Instance = nullptr;
static bool PendingHeadless = false;
static SimOptions PendingSim;
static std::vector<EngineEvent> EventRecord;
static FrameTimes TimesOfReleasedEngine;

HGE* hgeCreate(int version)
{
    if (version != HGE_VERSION)
        return nullptr;
    if (Instance)
        Instance->refs++;
    else
        Instance = new SdlEngine();
    return Instance;
}

void EngineRunHeadless(const SimOptions& options)
{
    PendingHeadless = true;
    PendingSim = options;
    std::stable_sort(PendingSim.events.begin(), PendingSim.events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    if (Instance) {
        Instance->headless = true;
        Instance->sim = PendingSim;
    }
}

const std::vector<EngineEvent>& EngineEventRecord()
{
    return EventRecord;
}

void RecordEngineEvent(const std::string& kind, const std::string& text)
{
    int frame = Instance ? Instance->frameIndex : -1;
    EventRecord.push_back({frame, kind, text});
    if (Instance && Instance->headless)
        fprintf(stderr, "[frame %d] %s %s\n", frame, kind.c_str(), text.c_str());
}

FrameTimes EngineFrameTimes()
{
    return Instance ? Instance->times : TimesOfReleasedEngine;
}

SdlEngine::SdlEngine() : headless(PendingHeadless), sim(PendingSim) {}

SdlEngine::~SdlEngine()
{
    if (initiated)
        System_Shutdown();
}

void SdlEngine::Release()
{
    if (--refs > 0)
        return;
    TimesOfReleasedEngine = times;
    Instance = nullptr;
    delete this;
}

#ifndef __EMSCRIPTEN__
// The game's data in the working folder, beside the program, or installed
// under share/quarvel next to the program's bin/ folder or where the build
// meant to install it.
static folder_search_struct FolderSearch()
{
    folder_search_struct search;
    if (char* base = SDL_GetBasePath()) {
        search.programFolder = base;
        SDL_free(base);
        while (search.programFolder.size() > 1 && search.programFolder.back() == '/')
            search.programFolder.pop_back();
        std::filesystem::path shared = std::filesystem::path(search.programFolder) / "../share/quarvel";
        search.sharedFolders.push_back(shared.lexically_normal().string());
    }
    search.sharedFolders.push_back(QUARVEL_DATADIR);
    const char* xdg = getenv("XDG_DATA_HOME");
    const char* home = getenv("HOME");
    search.xdgDataHome = xdg ? xdg : "";
    search.home = home ? home : "";
    return search;
}

static std::string Shown(const std::string& folder)
{
    std::error_code ec;
    return folder.empty() ? std::filesystem::current_path(ec).string() : folder;
}
#endif

// A web page has its files in its working folder.
static void FindFiles(SdlEngine* e)
{
#ifndef __EMSCRIPTEN__
    game_folders_struct folders = FindGameFolders(FolderSearch());
    if (!UseGameFolders(folders))
        e->System_Log("Can't make the folder %s", folders.user.c_str());
    e->System_Log("Game data from %s; the save, settings and screenshots go to %s", Shown(folders.data).c_str(),
                  Shown(folders.user).c_str());
#else
    (void)e;
#endif
}

bool SdlEngine::System_Initiate()
{
    if (headless) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        errorMessage = std::string("Can't start SDL: ") + SDL_GetError();
        return false;
    }
    IMG_Init(IMG_INIT_PNG);
    if (!InitGraphics()) {
        IMG_Quit();
        SDL_Quit();
        return false;
    }
    InitAudio();
    SDL_ShowCursor(hideMouse ? SDL_DISABLE : SDL_ENABLE);
    startTicks = (double)SDL_GetTicks64();
    initiated = true;
    // A headless run reads and writes only its working folder and takes
    // nothing from the player's settings, so it replays the same anywhere.
    if (!headless) {
        FindFiles(this);
        LoadKeySettings();
        InitPads();
        OpenRecorder();
    }
    return true;
}

void SdlEngine::System_Shutdown()
{
    if (!initiated)
        return;
    if (recording) {
        WriteRecording();
        recording = false;
    }
    ShutdownPads();
    ShutdownAudio();
    ShutdownGraphics();
    IMG_Quit();
    SDL_Quit();
    initiated = false;
}

// Seconds since the process started, loading its libraries included: the
// kernel keeps the start in clock ticks (a hundredth of a second). Elsewhere,
// since the engine started.
static double SecondsSinceProcessStart()
{
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    char stat[1024] = "";
    FILE* f = fopen("/proc/self/stat", "r");
    size_t n = f ? fread(stat, 1, sizeof stat - 1, f) : 0;
    if (f)
        fclose(f);
    stat[n] = 0;
    // The start is the 22nd field; the 2nd, the name, may hold spaces.
    const char* p = strrchr(stat, ')');
    unsigned long long ticks = 0;
    timespec now;
    if (p && sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                    &ticks) == 1 && clock_gettime(CLOCK_BOOTTIME, &now) == 0)
        return now.tv_sec + now.tv_nsec / 1e9 - (double)ticks / sysconf(_SC_CLK_TCK);
#endif
    return SDL_GetTicks64() / 1000.0;
}

// Processor time of this thread: unlike the wall clock, not lengthened by
// other programs taking the processor.
static double ProcessorSeconds()
{
    timespec t;
    return clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) == 0 ? t.tv_sec + t.tv_nsec / 1e9 : 0;
}

bool SdlEngine::RunOneFrame(float dt, bool draw)
{
    frameDelta = dt;
    ClearPicture();
    double p0 = ProcessorSeconds();
    Uint64 freq = SDL_GetPerformanceFrequency();
    Uint64 t0 = SDL_GetPerformanceCounter();
    bool stop = frameFunc ? frameFunc() : false;
    Uint64 t1 = SDL_GetPerformanceCounter();
    if (!stop && renderFunc && draw)
        renderFunc();
    Uint64 t2 = SDL_GetPerformanceCounter();
    times.processor.push_back(ProcessorSeconds() - p0);
    if (snapshotWanted && !stop)
        TakeSnapshot();
    double update = (double)(t1 - t0) / freq, render = (double)(t2 - t1) / freq;
    int n = ++times.frames;
    times.updateMean += (update - times.updateMean) / n;
    times.renderMean += (render - times.renderMean) / n;
    times.updateWorst = std::max(times.updateWorst, update);
    times.updates.push_back(update);
    times.renders.push_back(render);
    times.renderWorst = std::max(times.renderWorst, render);
    if (n == 1)
        times.firstPicture = SecondsSinceProcessStart();
    return stop;
}

void SdlEngine::DecodeAhead(Uint64* lastCounter)
{
    Uint64 start = SDL_GetPerformanceCounter();
    if (!DecodeWantedTexture() && !DecodeOneSound())
        return;
    Uint64 spent = SDL_GetPerformanceCounter() - start;
    double seconds = (double)spent / SDL_GetPerformanceFrequency();
    times.decodeAhead += seconds;
    times.decodeAheadWorst = std::max(times.decodeAheadWorst, seconds);
    if (lastCounter)
        *lastCounter += spent;
}

static void TakeScreenshots(SdlEngine* e, int frame)
{
    for (const SimScreenshot& s : e->sim.screenshots)
        if (s.frame == frame && !e->SaveScreenshot(s.file))
            fprintf(stderr, "Can't write screenshot %s: %s\n", s.file.c_str(), SDL_GetError());
}

static bool ScreenshotDue(SdlEngine* e, int frame)
{
    for (const SimScreenshot& s : e->sim.screenshots)
        if (s.frame == frame || (s.frame < 0 && frame == e->sim.frames - 1))
            return true;
    return false;
}

static void RunHeadlessLoop(SdlEngine* e)
{
    for (int frame = 0; frame < e->sim.frames; frame++) {
        e->frameIndex = frame;
        e->ClearFrameInput();
        SDL_PumpEvents();
        float dt = e->sim.dt;
        e->ApplyScriptEvents(&dt);
        e->UpdatePadInput(dt);
        bool stop = e->RunOneFrame(dt, !e->sim.skipDrawing || ScreenshotDue(e, frame));
        TakeScreenshots(e, frame);
        if (frame > 0)
            e->DecodeAhead(nullptr);
        if (e->sim.afterFrame && e->sim.afterFrame(frame))
            stop = true;
        if (stop)
            break;
    }
    TakeScreenshots(e, -1);
}

bool SdlEngine::RunPlayerFrame(Uint64* lastCounter)
{
    frameIndex++;
    ClearFrameInput();
    if (!PollWindowEvents())
        return true;
    Uint64 now = SDL_GetPerformanceCounter();
    float dt = (float)((double)(now - *lastCounter) / SDL_GetPerformanceFrequency());
    *lastCounter = now;
    UpdatePadInput(dt);
    RecordPointer();
    bool stop = RunOneFrame(dt);
    RecordFrameEnd(dt);
    // A web page shows the first picture only once this call returns.
    if (!stop && frameIndex > 0)
        DecodeAhead(lastCounter);
    if (frameIndex == 0 && !PageReportsFirstPicture)
        System_Log("First picture %.3f s after the start", times.firstPicture);
    return stop;
}

static void RunWindowLoop(SdlEngine* e)
{
#ifdef __EMSCRIPTEN__
    RunBrowserLoop(e);
#endif
    const double period = 1.0 / 60.0;
    Uint64 freq = SDL_GetPerformanceFrequency();
    Uint64 last = SDL_GetPerformanceCounter();
    while (!e->RunPlayerFrame(&last)) {
        if (!e->vsync) {
            double spent = (double)(SDL_GetPerformanceCounter() - last) / freq;
            if (spent < period)
                SDL_Delay((Uint32)((period - spent) * 1000.0));
        }
    }
}

bool SdlEngine::System_Start()
{
    if (!initiated) {
        errorMessage = "System_Start: the system is not initiated";
        return false;
    }
    times = FrameTimes();
    Uint64 begin = SDL_GetPerformanceCounter();
    if (headless)
        RunHeadlessLoop(this);
    else
        RunWindowLoop(this);
    times.seconds = (double)(SDL_GetPerformanceCounter() - begin) / SDL_GetPerformanceFrequency();
    return true;
}

std::string SdlEngine::System_GetErrorMessage()
{
    return errorMessage;
}

void SdlEngine::System_Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
}

int SdlEngine::System_MessageBox(const char* text, const char* caption, unsigned style)
{
    std::string utf8 = Utf8FromCp1251(text);
    RecordEngineEvent("message", utf8);
    if (headless)
        return 1;
    Uint32 flags = (style & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, Utf8FromCp1251(caption).c_str(), utf8.c_str(), window);
    return 1;
}

std::string SdlEngine::System_GetLanguage()
{
    if (headless)
        return "";
#ifdef __EMSCRIPTEN__
    return BrowserLanguage();
#else
    // The order in which the C library itself picks the language of messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(name);
        if (value && *value)
            return value;
    }
    return "";
#endif
}

// In a web page the player also leaves full screen with the browser's own
// keys, so the page's state is the one that counts.
static bool CurrentlyWindowed(SdlEngine* e)
{
#ifdef __EMSCRIPTEN__
    e->windowed = !BrowserFullScreen();
#endif
    return e->windowed;
}

void SdlEngine::System_SetStateBool(hgeBoolState state, bool value)
{
    switch (state) {
    case HGE_WINDOWED:
        if (CurrentlyWindowed(this) != value) {
            windowed = value;
            ApplyWindowedState();
        }
        break;
    case HGE_HIDEMOUSE:
        hideMouse = value;
        if (initiated)
            SDL_ShowCursor(hideMouse ? SDL_DISABLE : SDL_ENABLE);
        break;
    case HGE_SHOWSPLASH: showSplash = value; break;
    }
}

void SdlEngine::System_SetStateFunc(hgeFuncState state, hgeCallback value)
{
    switch (state) {
    case HGE_FRAMEFUNC: frameFunc = value; break;
    case HGE_RENDERFUNC: renderFunc = value; break;
    case HGE_FOCUSLOSTFUNC: focusLostFunc = value; break;
    case HGE_GFXRESTOREFUNC: gfxRestoreFunc = value; break;
    case HGE_EXITFUNC: exitFunc = value; break;
    }
}

void SdlEngine::System_SetStateInt(hgeIntState state, int value)
{
    if (initiated)
        return;  // the picture size is fixed once the window exists
    switch (state) {
    case HGE_SCREENWIDTH: screenWidth = value; break;
    case HGE_SCREENHEIGHT: screenHeight = value; break;
    case HGE_SCREENBPP: screenBpp = value; break;
    }
}

void SdlEngine::System_SetStateString(hgeStringState state, const char* value)
{
    switch (state) {
    case HGE_TITLE:
        title = value ? value : "";
        if (window)
            SDL_SetWindowTitle(window, Utf8FromCp1251(title).c_str());
        break;
    case HGE_INIFILE:
        iniFile = value ? value : "";
        ForgetCachedIni(iniFile);
        break;
    }
}

bool SdlEngine::System_GetStateBool(hgeBoolState state)
{
    switch (state) {
    case HGE_WINDOWED: return CurrentlyWindowed(this);
    case HGE_HIDEMOUSE: return hideMouse;
    case HGE_SHOWSPLASH: return showSplash;
    }
    return false;
}

int SdlEngine::System_GetStateInt(hgeIntState state)
{
    switch (state) {
    case HGE_SCREENWIDTH: return screenWidth;
    case HGE_SCREENHEIGHT: return screenHeight;
    case HGE_SCREENBPP: return screenBpp;
    }
    return 0;
}

void* SdlEngine::Resource_Load(const char* filename, uint32_t* size)
{
    return LoadWholeFile(filename, ResourceFileLimit, size);
}

void SdlEngine::Resource_Free(void* resource)
{
    free(resource);
}

hgeFolderState SdlEngine::Resource_FetchFolder(const char* folder)
{
#ifdef __EMSCRIPTEN__
    return BrowserFetchFolder(folder);
#else
    (void)folder;
    return HGE_FOLDER_READY;
#endif
}

std::string SdlEngine::Ini_GetString(const char* section, const char* name, const char* def)
{
    return IniFileString(iniFile, section, name, def);
}

int SdlEngine::Ini_GetInt(const char* section, const char* name, int def)
{
    return IniFileInt(iniFile, section, name, def);
}

float SdlEngine::Ini_GetFloat(const char* section, const char* name, float def)
{
    return IniFileFloat(iniFile, section, name, def);
}

// xorshift32: small, fast and the same on every platform, so a run with a
// fixed seed replays exactly.
static uint32_t NextRandom(uint32_t* state)
{
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

void SdlEngine::Random_Seed(int seed)
{
    uint32_t s = (uint32_t)seed;
    if (seed == 0) {
        s = headless ? sim.seed : (uint32_t)time(nullptr) ^ (uint32_t)SDL_GetPerformanceCounter();
        RecordInput({.frame = 0, .kind = INPUT_SEED, .seed = s});
    }
    randomState = s * 2654435761u + 0x9E3779B9u;
    if (randomState == 0)
        randomState = 0x9E3779B9u;
}

int SdlEngine::Random_Int(int min, int max)
{
    if (max <= min)
        return min;
    uint64_t range = (uint64_t)((int64_t)max - (int64_t)min + 1);
    return (int)((int64_t)min + (int64_t)(NextRandom(&randomState) % range));
}

float SdlEngine::Random_Float(float min, float max)
{
    double u = NextRandom(&randomState) / 4294967295.0;
    return (float)(min + u * (max - min));
}

float SdlEngine::Timer_GetTime()
{
    return (float)((SDL_GetTicks64() - startTicks) / 1000.0);
}

float SdlEngine::Timer_GetDelta()
{
    return frameDelta;
}

int SdlEngine::Timer_GetFPS()
{
    return frameDelta > 0 ? (int)(1.0f / frameDelta + 0.5f) : 0;
}
