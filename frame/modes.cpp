#include "frame/modes.h"

int GameMode = MODE_SPLASH;
int GameStage = STAGE_LEVEL_INTRO;
int WorldMode = WORLD_PLAY;
bool DeveloperMode = false;
bool ZoomOn = false;
point_struct ViewCentre = {400.0f, 295.0f};

void SetZoom(bool on)
{
    ZoomOn = on;
    ViewCentre = on ? point_struct{200.0f, 147.5f} : point_struct{400.0f, 295.0f};
}
