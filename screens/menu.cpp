#include "screens/menu.h"

// The splash, menu and controls screens arrive with the campaign screens.

void SplashFrame(float, float, float) {}

bool MenuFrame(float, float, float)
{
    return false;
}

void ControlsFrame(float, float, float) {}
void RenderSplash(float, float) {}
void RenderMenu(float, float) {}
void RenderControls(float, float) {}
