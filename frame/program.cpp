#include "frame/program.h"

#include "editor/test_run.h"
#include "engine/cp1251.h"
#include "frame/dispatch.h"
#include "frame/modes.h"
#include "frame/resources.h"
#include "screens/menu.h"

HGE* hge = nullptr;
void (*ProgramEndHook)() = nullptr;

void InitEngine()
{
    hge = hgeCreate(HGE_VERSION);
    hge->System_SetState(HGE_INIFILE, "data/Settings.ini");
    hge->System_SetState(HGE_FRAMEFUNC, FrameFunc);
    hge->System_SetState(HGE_RENDERFUNC, RenderFunc);
    hge->System_SetState(HGE_FOCUSLOSTFUNC, FocusLostFunc);
    hge->System_SetState(HGE_EXITFUNC, ExitFunc);
    hge->System_SetState(HGE_GFXRESTOREFUNC, GfxRestoreFunc);
    hge->System_SetState(HGE_TITLE, "Quarvel v1.02");
    hge->System_SetState(HGE_SHOWSPLASH, false);
    hge->System_SetState(HGE_WINDOWED, true);
    hge->System_SetState(HGE_SCREENWIDTH, 800);
    hge->System_SetState(HGE_SCREENHEIGHT, 590);
    hge->System_SetState(HGE_SCREENBPP, 32);
    hge->System_SetState(HGE_HIDEMOUSE, true);
}

int RunProgram()
{
    InitEngine();
    if (!hge->System_Initiate()) {
        hge->System_MessageBox(hge->System_GetErrorMessage().c_str(), "Error",
                               MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
    } else {
        if (!LoadResources())
            return 0;
        hge->System_Start();
        if (ProgramEndHook)
            ProgramEndHook();
    }
    Cleanup();
    return 0;
}

void Cleanup()
{
    FreeResources();
    hge->System_Shutdown();
    hge->Release();
    hge = nullptr;
}

bool FocusLostFunc()
{
    // The menu is no place for a test run: the editor waits there instead.
    if (TestRunActive())
        EndTestRun(TEST_RUN_ESCAPE);
    hge->Channel_StopAll();
    if (GameMode == MODE_GAME && GameStage == STAGE_PLAY)
        GameMode = MODE_MENU;
    return false;
}

bool GfxRestoreFunc()
{
    return false;
}

bool ExitFunc()
{
    return LeaveAfterSaving();
}
