// What the browser tests read of the running game: its modes, the campaign's
// place and checkpoint, the language and the file the menu picture shows, and
// the frame times the engine measures. Built into the browser version only,
// as the runner's dump is into quarvel-sim.
#include <cstring>
#include <string>

#include "assets/translation.h"
#include "engine/sim.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "world/campaign.h"
#include "world/player_state.h"
#include "tools/sim/json.h"

static const std::string& MenuPictureFile()
{
    static const std::string none;
    for (int i = 0; i < REGISTRY_PICTURE_COUNT; i++)
        if (strcmp(RegistryPictures[i], "Menu.png") == 0)
            return RegistryPictureFiles[i];
    return none;
}

extern "C" const char* QuarvelProbe()
{
    static std::string text;
    json_writer_struct w;
    FrameTimes t = EngineFrameTimes();
    JsonBeginObject(w);
    JsonInt(w, "GameMode", GameMode);
    JsonInt(w, "GameStage", GameStage);
    JsonInt(w, "WorldMode", WorldMode);
    JsonInt(w, "CampaignStep", CampaignStep);
    JsonInt(w, "StoreyNumber", StoreyNumber);
    JsonInt(w, "CheckpointHealth", Checkpoint.Health);
    JsonInt(w, "CheckpointStep", Checkpoint.step);
    JsonString(w, "Language", LanguageCode());
    JsonString(w, "MenuPicture", MenuPictureFile());
    float mx = 0, my = 0;
    hge->Input_GetMousePos(&mx, &my);
    JsonBeginArray(w, "mouse");
    JsonFloat(w, nullptr, mx);
    JsonFloat(w, nullptr, my);
    JsonEndArray(w);
    JsonBeginArray(w, "held");
    for (int key = 1; key < HGEK_MAXKEY; key++)
        if (hge->Input_GetKeyState(key))
            JsonInt(w, nullptr, key);
    JsonEndArray(w);
    JsonInt(w, "frames", t.frames);
    JsonFloat(w, "updateMean", t.updateMean);
    JsonFloat(w, "renderMean", t.renderMean);
    JsonFloat(w, "updateWorst", t.updateWorst);
    JsonFloat(w, "renderWorst", t.renderWorst);
    JsonEndObject(w);
    text = w.text;
    return text.c_str();
}
