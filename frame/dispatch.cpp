#include "frame/dispatch.h"

#include <algorithm>
#include <cmath>

#include "editor/overlay.h"
#include "frame/desktop.h"
#include "frame/modes.h"
#include "frame/play_frame.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "screens/menu.h"
#include "screens/story.h"
#include "screens/upgrade.h"
#include "screens/world_draw.h"

// Alt+Enter flips between a window and the full screen once per press of the
// combination, not in every frame the keys stay down.
static void ToggleFullScreenOnAltEnter()
{
    bool enterNow = hge->Input_KeyDown(HGEK_ENTER) && hge->Input_GetKeyState(HGEK_ALT);
    bool altNow = hge->Input_KeyDown(HGEK_ALT) && hge->Input_GetKeyState(HGEK_ENTER);
    if (enterNow || altNow)
        hge->System_SetState(HGE_WINDOWED, !hge->System_GetState(HGE_WINDOWED));
}

static void GameStageFrame(float dt, float mx, float my)
{
    switch (GameStage) {
    case STAGE_LEVEL_INTRO: IntroFrame(dt, mx, my); break;
    case STAGE_DIALOG: DialogFrame(dt, mx, my); break;
    case STAGE_PLAY: PlayPrologue(dt, mx, my); break;
    case STAGE_UPGRADE: UpgradeFrame(dt, mx, my); break;
    case STAGE_GAME_OVER: FinalFrame(dt, mx, my); break;
    }
}

static bool ModeFrame(float dt, float mx, float my)
{
    switch (GameMode) {
    case MODE_SPLASH: SplashFrame(dt, mx, my); break;
    case MODE_MENU: return MenuFrame(dt, mx, my);
    case MODE_CONTROLS: ControlsFrame(dt, mx, my); break;
    case MODE_GAME: GameStageFrame(dt, mx, my); break;
    }
    return false;
}

float GameFrameTime(float engineDelta)
{
    if (!(engineDelta > 0))
        return 0;
    return std::min(engineDelta, MaxFrameTime);
}

bool FrameFunc()
{
    float dt = GameFrameTime(hge->Timer_GetDelta());
    float mx, my;
    hge->Input_GetMousePos(&mx, &my);
    ToggleFullScreenOnAltEnter();
    TakeScreenshotOnKey();
    ShowArrivedPictures();
    bool stop = ModeFrame(dt, mx, my);
    TellEngineAboutPlay();
    return stop;
}

static void DrawOnScreen(void (*draw)(float, float), bool clear, float mx, float my)
{
    hge->Gfx_BeginScene();
    if (clear)
        hge->Gfx_Clear(0x00000000);
    draw(mx, my);
    hge->Gfx_EndScene();
}

// The storey is drawn into the world target, which is then copied to the
// screen, doubled when zoomed.
static void DrawPlayStage(float mx, float my)
{
    hge->Gfx_BeginScene(WorldTarget);
    hge->Gfx_Clear(0x00000000);
    if (ZoomOn) {
        mx /= 2;
        my /= 2;
    }
    if (WorldMode == WORLD_EDIT)
        RenderEditor(mx, my);
    else if (WorldMode == WORLD_PLAY)
        DrawWorld(mx, my);
    hge->Gfx_EndScene();
    hge->Gfx_BeginScene();
    RenderSpriteEx(WorldTargetSprite, 0, 0, 0, ZoomOn ? 2.0f : 1.0f);
    if (WorldMode == WORLD_EDIT)
        RenderEditorOnScreen();
    hge->Gfx_EndScene();
}

static void GameStageRender(float mx, float my)
{
    switch (GameStage) {
    case STAGE_LEVEL_INTRO: DrawOnScreen(RenderIntro, false, mx, my); break;
    case STAGE_DIALOG: DrawOnScreen(RenderDialog, false, mx, my); break;
    case STAGE_PLAY: DrawPlayStage(mx, my); break;
    case STAGE_UPGRADE: DrawOnScreen(RenderUpgrade, false, mx, my); break;
    case STAGE_GAME_OVER: DrawOnScreen(RenderFinal, false, mx, my); break;
    }
}

bool RenderFunc()
{
    float mx, my;
    hge->Input_GetMousePos(&mx, &my);
    switch (GameMode) {
    case MODE_SPLASH: DrawOnScreen(RenderSplash, true, mx, my); break;
    case MODE_MENU: DrawOnScreen(RenderMenu, true, mx, my); break;
    case MODE_CONTROLS: DrawOnScreen(RenderControls, true, mx, my); break;
    case MODE_GAME: GameStageRender(mx, my); break;
    }
    return false;
}
