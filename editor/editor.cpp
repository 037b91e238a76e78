#include "editor/editor.h"

#include "assets/catalogue.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"

const float EditorCameraSpeed = 600.0f;  // pixels per second

static void LeaveForPlay()
{
    for (object_type_struct& t : ObjectTypes)
        SetSpriteColor(t.animation, 0xFFFFFFFF);
    WorldMode = WORLD_PLAY;
}

static void MoveEditorCamera(float dt)
{
    float speed = dt * EditorCameraSpeed;
    if (hge->Input_GetKeyState('W'))
        CameraY -= speed;
    if (hge->Input_GetKeyState('S'))
        CameraY += speed;
    if (hge->Input_GetKeyState('A'))
        CameraX -= speed;
    if (hge->Input_GetKeyState('D'))
        CameraX += speed;
}

void EditorFrame(float dt)
{
    if (hge->Input_KeyDown(HGEK_ESCAPE))
        LeaveForPlay();
    // Scratch save and load, the tool keys and the palettes come here.
    MoveEditorCamera(dt);
    // The tools act here.
}

void BuildPalettePages() {}
