// The screens outside the campaign: the start-up splash, the main menu and
// the controls picture.
#pragma once

void SplashFrame(float dt, float mx, float my);
// True when the player chose to leave the program.
bool MenuFrame(float dt, float mx, float my);
void ControlsFrame(float dt, float mx, float my);

void RenderSplash(float mx, float my);
void RenderMenu(float mx, float my);
void RenderControls(float mx, float my);
