#include "frame/desktop.h"

#include "engine/paths.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"
#include "screens/world_draw.h"
#include "world/campaign.h"

bool PlayingStorey()
{
    return GameMode == MODE_GAME && GameStage == STAGE_PLAY && WorldMode == WORLD_PLAY;
}

void TellEngineAboutPlay()
{
    bool playing = PlayingStorey();
    hge->Input_ConfineMouse(playing && hge->System_GetState(HGE_WINDOWED));
    // The world is drawn at half size and shown doubled while zoomed.
    float scale = ZoomOn ? 2.0f : 1.0f;
    hge->Input_SetPadPlay(playing, ScreenX(PlayerX) * scale, ScreenY(PlayerY) * scale, PadAimDistance * scale);
}

std::string ScreenshotFolder()
{
    std::string save = ResolveWritePath(SaveFileName);
    size_t slash = save.find_last_of('/');
    return slash == std::string::npos ? "screenshots" : save.substr(0, slash + 1) + "screenshots";
}

void TakeScreenshotOnKey()
{
    if (hge->Input_KeyDown(HGEK_F12))
        hge->System_Snapshot(ScreenshotFolder().c_str());
}
