#include "frame/play_frame.h"

#include "editor/editor.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"
#include "world/storey.h"

void PlayPrologue(float dt, float mx, float my)
{
    if (ZoomOn) {
        mx /= 2;
        my /= 2;
    }
    AimX = mx - ViewCentre.x + CameraX;
    AimY = my - ViewCentre.y + CameraY;
    AimCellX = (int)(AimX / CellWidth);
    AimCellY = (int)(AimY / CellHeight);
    if (DeveloperMode && hge->Input_KeyDown('Q')) {
        SetZoom(!ZoomOn);
        BuildPalettePages();
    }
    if (WorldMode == WORLD_EDIT)
        EditorFrame(dt);
    else if (WorldMode == WORLD_PLAY)
        ActionFrame(dt);
}

void ActionFrame(float dt)
{
    (void)dt;
    if (hge->Input_KeyDown(HGEK_ESCAPE)) {
        if (DeveloperMode) {
            WorldMode = WORLD_EDIT;
        } else {
            hge->Channel_StopAll();
            GameMode = MODE_MENU;
            return;
        }
    }
}
