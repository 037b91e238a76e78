// The engine in a web page. The browser owns the thread: it calls one frame
// per animation frame and gets control back after each, so nothing here
// blocks or sleeps. (The desktop's blocking loop could run as it is if the
// whole program were compiled to be suspended and resumed, but that makes
// the program larger and every call slower, for one loop of a few lines.)
// The page (engine/web/) provides the functions called under Module.
#ifdef __EMSCRIPTEN__

#include "engine/browser.h"

#include <emscripten.h>

#include "engine/sdl_engine.h"

static SdlEngine* LoopEngine = nullptr;
static Uint64 LastFrameCounter = 0;

static void BrowserFrame()
{
    bool stop = LoopEngine->RunPlayerFrame(&LastFrameCounter);
    if (LoopEngine->frameIndex == 0)
        MAIN_THREAD_EM_ASM(Module.quarvelFirstFrameAt = performance.now());
    if (stop) {
        emscripten_cancel_main_loop();
        MAIN_THREAD_EM_ASM(Module.quarvelEnded());
    }
}

static int OnPageClosing(void* data, SDL_Event* ev)
{
    SdlEngine* e = (SdlEngine*)data;
    if (ev->type == SDL_APP_TERMINATING && e->exitFunc)
        e->exitFunc();
    return 0;
}

// Closing the page counts as closing the window: the game's exit callback
// runs (it writes the save file) while the page can still keep it.
static void WatchPageClosing(SdlEngine* e)
{
    SDL_AddEventWatch(OnPageClosing, e);
    MAIN_THREAD_EM_ASM(window.addEventListener("beforeunload", Module.quarvelWriteOut));
}

void RunBrowserLoop(SdlEngine* e)
{
    LoopEngine = e;
    WatchPageClosing(e);
    LastFrameCounter = SDL_GetPerformanceCounter();
    // The page's keys all belong to the game: without text input SDL keeps
    // the browser from acting on them (Space scrolling, Backspace going back).
    SDL_StopTextInput();
    emscripten_set_main_loop(BrowserFrame, 0, 1);
    __builtin_unreachable();
}

bool BrowserFullScreen()
{
    return MAIN_THREAD_EM_ASM_INT(return document.fullscreenElement ? 1 : 0;) != 0;
}

void BrowserSetFullScreen(bool on)
{
    MAIN_THREAD_EM_ASM(Module.quarvelSetFullScreen($0 != 0), on);
}

std::string BrowserLanguage()
{
    char language[64] = {};
    MAIN_THREAD_EM_ASM(stringToUTF8(navigator.language || "", $0, $1), language, (int)sizeof language);
    return language;
}

hgeFolderState BrowserFetchFolder(const char* folder)
{
    // The page numbers the states as hgeFolderState does.
    return (hgeFolderState)MAIN_THREAD_EM_ASM_INT(return Module.quarvelFetchFolder(UTF8ToString($0)), folder);
}

void KeepFileAcrossVisits(const std::string& path)
{
    MAIN_THREAD_EM_ASM(Module.quarvelKeepFile(UTF8ToString($0)), path.c_str());
}

#endif
