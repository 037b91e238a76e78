// The mode variables that route every frame and drawing pass, and the view
// settings shared by the play stage.
#pragma once

enum {
    MODE_SPLASH = -1,
    MODE_MENU = 0,
    MODE_CONTROLS = 1,
    MODE_GAME = 2
};

enum {
    STAGE_LEVEL_INTRO = 0,
    STAGE_DIALOG = 1,
    STAGE_PLAY = 2,
    STAGE_UPGRADE = 3,
    STAGE_GAME_OVER = 4
};

enum {
    WORLD_EDIT = 0,
    WORLD_PLAY = 1
};

struct point_struct {
    float x, y;
};

extern int GameMode;
extern int GameStage;   // consulted only in MODE_GAME
extern int WorldMode;   // consulted only in STAGE_PLAY
extern bool DeveloperMode;  // a "kresk" file in the working folder; fixed at start-up
extern bool ZoomOn;         // world drawn at half size and shown doubled
extern point_struct ViewCentre;  // screen point of the camera: (400, 295), or (200, 147.5) zoomed

// Turns the zoom on or off and moves the view centre with it.
void SetZoom(bool on);
