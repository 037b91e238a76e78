// The screens outside the campaign: the start-up splash, the main menu with
// its language, music and sound switches, and the controls picture.
#pragma once

#include "assets/sprite.h"

extern float SplashTime;  // seconds spent on the splash

// The menu buttons, in the order their hover flags are computed.
enum {
    MENU_NEW_GAME,
    MENU_CONTROLS,
    MENU_CONTINUE,
    MENU_EXIT,
    MENU_RESTART,
    MENU_BUTTON_COUNT
};

extern bool MenuHover[MENU_BUTTON_COUNT];  // recomputed every menu frame
extern float SaveFailedNoticeTime;         // seconds the menu still says the save failed
extern const char* const SaveFailedNotice; // what it says

// Writes the save on the way out; true when the program may end. When the
// save cannot be written the menu says so for a few seconds and the program
// stays; once told, the player leaves without a save.
bool LeaveAfterSaving();

// Start-up values: the splash timer at 0, no button hovered.
void StartFrontScreens();

// Whether (x, y) lies on a sprite drawn with its top-left corner at (left,
// top): the left and top edges count, the right and bottom ones do not.
bool InsideSprite(const hgeSprite* sprite, float left, float top, float x, float y);

// Continue is offered while a campaign runs, when a saved game exists, and
// in developer mode while the scratch storey waits behind the menu.
bool ContinueOffered();

// Any key, or 3.5 s, leads to the menu.
void SplashFrame(float dt, float mx, float my);
// True when the player chose to leave the program (the save is written).
bool MenuFrame(float dt, float mx, float my);
// Any key leads back to the menu.
void ControlsFrame(float dt, float mx, float my);

void RenderSplash(float mx, float my);
void RenderMenu(float mx, float my);
void RenderControls(float mx, float my);
