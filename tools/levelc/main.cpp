// quarvel-levelc: compiles storey maps (data-src/levels/*.map) into level
// files. Run it from the game's folder: it reads the catalogue from data/.
//
//   quarvel-levelc MAP OUTPUT.lvl
#include <cstdio>
#include <fstream>
#include <sstream>

#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "engine/sim.h"
#include "frame/program.h"
#include "tools/levelc/map_compiler.h"
#include "world/level_file.h"
#include "world/storey.h"

// Set indices past the catalogue still work in the game (they fall back to
// set 0), but a map naming one is most likely a mistake.
static void WarnAboutSets()
{
    for (const enemy_start_struct& s : EnemyStarts) {
        bool ok = s.legs_set >= 0 && s.legs_set < (int)LegsSets.size() && s.hands_set >= 0 &&
                  s.hands_set < (int)HandsSets.size() && s.head_set >= 0 && s.head_set < (int)HeadSets.size();
        if (!ok)
            fprintf(stderr, "warning: the enemy at cell %d, %d names a set the catalogue lacks\n", s.cell_x, s.cell_y);
    }
}

static int Compile(const char* mapFile, const char* outFile)
{
    std::ifstream in(mapFile, std::ios::binary);
    if (!in) {
        fprintf(stderr, "Can't read %s\n", mapFile);
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    LoadCatalogue();
    LoadCharacterSets();
    if (ObjectTypes.empty() || FloorTypes.empty()) {
        fprintf(stderr, "No catalogue in data/: run quarvel-levelc from the game's folder\n");
        return 1;
    }
    std::string error;
    if (!CompileMap(text.str(), &error)) {
        fprintf(stderr, "%s: %s\n", mapFile, error.c_str());
        return 1;
    }
    WarnAboutSets();
    if (!WriteLevelFile(outFile))
        return 1;
    printf("%s: %d x %d, %zu objects, %zu enemies -> %s\n", mapFile, LevelWidth, LevelHeight, Objects.size(),
           EnemyStarts.size(), outFile);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: quarvel-levelc MAP OUTPUT.lvl\n");
        return 2;
    }
    EngineRunHeadless(SimOptions());
    hge = hgeCreate(HGE_VERSION);
    if (!hge->System_Initiate()) {
        fprintf(stderr, "%s\n", hge->System_GetErrorMessage().c_str());
        return 1;
    }
    int code = Compile(argv[1], argv[2]);
    Objects.clear();
    ReleaseCatalogueAnimations();
    CharacterTemplates.clear();
    hge->System_Shutdown();
    hge->Release();
    return code;
}
