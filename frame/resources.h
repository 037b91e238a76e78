// Every picture, sprite, font and sound of the game: loaded once at start-up,
// released at the end.
#pragma once

#include "assets/animation.h"
#include "engine/hge.h"

extern HTARGET WorldTarget;            // the play stage is drawn here, screen sized
extern hgeSprite* WorldTargetSprite;   // covers WorldTarget's texture

// True when the game can start; false after it has already run Cleanup.
bool LoadResources();
void FreeResources();
