#include "frame/resources.h"

#include "frame/program.h"

HTARGET WorldTarget = 0;
hgeSprite* WorldTargetSprite = nullptr;

bool LoadResources()
{
    int w = hge->System_GetState(HGE_SCREENWIDTH), h = hge->System_GetState(HGE_SCREENHEIGHT);
    WorldTarget = hge->Target_Create(w, h, false);
    WorldTargetSprite = new hgeSprite(hge->Target_GetTexture(WorldTarget), 0, 0, (float)w, (float)h);
    return true;
}

void FreeResources()
{
    delete WorldTargetSprite;
    WorldTargetSprite = nullptr;
    if (WorldTarget)
        hge->Target_Free(WorldTarget);
    WorldTarget = 0;
}
