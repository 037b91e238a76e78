#include "frame/play_frame.h"

#include "assets/music.h"
#include "editor/editor.h"
#include "editor/palette.h"
#include "editor/storey_files.h"
#include "editor/test_run.h"
#include "foes/effects.h"
#include "foes/enemy_ai.h"
#include "foes/grenades.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "frame/settings.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "player/sight.h"
#include "player/weapons.h"
#include "screens/hurt_flash.h"
#include "screens/status_strip.h"
#include "screens/world_draw.h"
#include "world/player_state.h"
#include "world/storey.h"

void PlayPrologue(float dt, float mx, float my)
{
    if (ZoomOn) {
        mx /= 2;
        my /= 2;
    }
    AimX = WorldX(mx);
    AimY = WorldY(my);
    AimCellX = CellOfCoordinate(AimX, CellWidth);
    AimCellY = CellOfCoordinate(AimY, CellHeight);
    // A name typed into an editor dialog may hold a Q.
    bool typing = WorldMode == WORLD_EDIT && FileDialog != DIALOG_NONE;
    if (DeveloperMode && hge->Input_KeyDown('Q') && !typing) {
        SetZoom(!ZoomOn);
        BuildPalettePages();
    }
    if (WorldMode == WORLD_EDIT)
        EditorFrame(dt, mx, my);
    else if (WorldMode == WORLD_PLAY)
        ActionFrame(dt);
}


// Escape opens the editor in developer mode (ending a test run there);
// otherwise it leaves for the menu (not while dying). False when the rest of
// the frame is skipped.
static bool HandleEscape()
{
    if (!hge->Input_KeyDown(HGEK_ESCAPE))
        return true;
    if (TestRunActive()) {
        EndTestRun(TEST_RUN_ESCAPE);
        return false;
    }
    if (DeveloperMode) {
        WorldMode = WORLD_EDIT;
        return true;
    }
    if (Dead)
        return true;
    hge->Channel_StopAll();
    GameMode = MODE_MENU;
    return false;
}

// The status strip is shown or hidden for good: the choice is kept.
static void ToggleStatusStrip()
{
    if (!hge->Input_KeyDown('H'))
        return;
    StatusStripOn = !StatusStripOn;
    WriteSettings();
}

void ActionFrame(float dt)
{
    if (!DeveloperMode)
        KeepMusicPlaying(Sounds[SND_GAME_MUSIC]);
    if (!HandleEscape())
        return;
    ToggleStatusStrip();
    CheckPlayerDeath();
    if (!Dead) {
        MovePlayer(dt);
        HandsFrame();
        TakeStance();
    } else {
        dt = DeathFrame(dt);
    }
    // A test run that took the lift or saw the player die goes back to the
    // editor before anything else moves.
    int how;
    if (TestRunOver(&how)) {
        EndTestRun(how);
        return;
    }
    UpdateLightMap();
    AnimateObjectTypes(dt);
    PlayerHoldsDoor();
    UpdateEnemies(dt);
    UpdateDoors(dt);
    PickUpCards();
    UpdateGrenades(dt);
    if (!Dead)
        ChoosePlayerAnimations();
    UpdatePlayerBody(dt);
    UpdateEffects(dt);
    UpdateHurtFlash(dt);
}
