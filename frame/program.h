// The program's spine: the engine interface, start-up, the engine callbacks
// that are not mode dispatch, and shutdown.
#pragma once

#include "engine/hge.h"

extern HGE* hge;  // created by InitEngine, released by Cleanup

// Runs the whole program: engine set-up, resources, the frame loop, shutdown.
// The exit code is always 0.
int RunProgram();

// Creates the engine interface and sets every engine state the game needs.
void InitEngine();
// Frees the resources, shuts the engine down and releases it.
void Cleanup();

bool FocusLostFunc();
bool GfxRestoreFunc();
// The window is being closed: the save file is written, and the engine may
// close; when it cannot be written the menu says so first (LeaveAfterSaving).
bool ExitFunc();

// Called after the frame loop ends and before Cleanup; the headless runner
// dumps the game state from here.
extern void (*ProgramEndHook)();
