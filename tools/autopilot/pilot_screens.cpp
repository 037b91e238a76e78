// The screens around play: the splash, the menu, the controls, the intro
// and dialogue pages, passed with a key or a click after a short look.
#include "engine/hge.h"
#include "frame/modes.h"
#include "tools/autopilot/pilot_input.h"
#include "tools/autopilot/pilot_parts.h"

static int NextMove = ScreenPause * 3;  // the splash is looked at first

// The mouse goes to the button first; the click follows a moment later.
static void Click(int frame, float x, float y)
{
    if (!MouseAt(x, y)) {
        MoveMouse(x, y);
        NextMove = frame + ScreenPause / 2;
        return;
    }
    TapKey(HGEK_LBUTTON);
    NextMove = frame + ScreenPause;
}

static void Press(int frame, int key)
{
    TapKey(key);
    NextMove = frame + ScreenPause;
}

static bool Leaving()
{
    return PlayOver() && PilotSettings.quitAfterLift;
}

static void MenuFrame(int frame)
{
    if (Leaving())
        Press(frame, HGEK_ESCAPE);  // saves and quits
    else if (PilotSettings.newGame)
        Click(frame, 116, 383);     // New game
    else
        Click(frame, 116, 463);     // Continue
}

static void CampaignScreenFrame(int frame)
{
    switch (GameStage) {
    case STAGE_LEVEL_INTRO:
    case STAGE_DIALOG:
        Press(frame, Leaving() ? HGEK_ESCAPE : HGEK_SPACE);
        break;
    case STAGE_UPGRADE:
        ShopFrame(frame);
        NextMove = frame + ScreenPause / 2;
        break;
    case STAGE_GAME_OVER:
        Press(frame, HGEK_ESCAPE);
        break;
    }
}

void ScreensFrame(int frame)
{
    if (frame < NextMove)
        return;
    ReleaseAllKeys();
    switch (GameMode) {
    case MODE_SPLASH: Press(frame, HGEK_SPACE); break;
    case MODE_MENU: MenuFrame(frame); break;
    case MODE_CONTROLS: Press(frame, HGEK_SPACE); break;
    case MODE_GAME: CampaignScreenFrame(frame); break;
    }
}
