// quarvel-storeycheck: proves that storeys can be finished. Run it from the
// game's folder (it reads the catalogue from data/):
//
//   quarvel-storeycheck data/3.lvl              one storey
//   quarvel-storeycheck --campaign data/1.lvl ... data/10.lvl
//   quarvel-storeycheck --show data/3.lvl      and where the player got to
//
// Prints what each storey offers and every fault found; with --campaign the
// files are the campaign's storeys in order and their points must pay for
// the shop's needs. Exits with 1 when anything is wrong.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/catalogue.h"
#include "editor/storey_check.h"
#include "engine/sim.h"
#include "frame/program.h"
#include "world/level_file.h"

static std::string CardOrder(const storey_walk_struct& walk)
{
    std::string order;
    for (int k : walk.cardOrder)
        order += std::string(order.empty() ? "" : " -> ") + CardNames[k];
    return order.empty() ? "no cards" : order;
}

// The storey as the walk left it: '#' blocks, 'D' a door, '.' a cell the
// player reached, ' ' one he did not; start, lift and cards on top.
static void ShowWalk(const storey_walk_struct& walk)
{
    for (int y = 0; y < LevelHeight; y++) {
        std::string row;
        for (int x = 0; x < LevelWidth; x++) {
            int o = ObjectMap[CellIndex(x, y)];
            char c = walk.reached[CellIndex(x, y)] ? '.' : ' ';
            if (o >= 0 && Objects[o].is_door)
                c = 'D';
            else if (!IsCellWalkable(CellIndex(x, y)))
                c = '#';
            for (int k = 0; k < CARD_COUNT; k++)
                if (CardCell[k].x == x && CardCell[k].y == y)
                    c = "$RGB"[k];
            if (x == LiftX && y == LiftY)
                c = 'L';
            if (x == PlayerStartX && y == PlayerStartY)
                c = 'S';
            row += c;
        }
        printf("  %s\n", row.c_str());
    }
}

static void PrintFaults(const char* what, const std::vector<std::string>& faults)
{
    for (const std::string& f : faults)
        printf("  FAULT %s: %s\n", what, f.c_str());
}

// Checks one file; returns its points, or -1 when it cannot be read.
static int CheckFile(const char* file, bool show, bool* sound)
{
    if (!ReadLevelFile(file)) {
        printf("%s: cannot be read\n", file);
        *sound = false;
        return -1;
    }
    storey_walk_struct walk = WalkStorey();
    int points = StoreyBonusPoints(walk);
    printf("%s: %d x %d, %zu objects, %zu enemies, %s, %d points\n", file, LevelWidth, LevelHeight,
           Objects.size(), EnemyStarts.size(), CardOrder(walk).c_str(), points);
    if (show)
        ShowWalk(walk);
    std::vector<std::string> faults = FaultTexts(CheckStorey(walk));
    PrintFaults(file, faults);
    *sound = *sound && faults.empty();
    return points;
}

// What each storey offers, what a player has earned before it and what he
// must have bought by then.
static void PrintBudget(const std::vector<int>& points)
{
    std::vector<int> needs = NeedsByStorey((int)points.size());
    int offered = 0;
    printf("storey  offers  earned before  bought before\n");
    for (size_t k = 0; k < points.size(); k++) {
        printf("%6zu  %6d  %13d  %13d\n", k + 1, points[k], offered * ThoroughPercent / 100, needs[k + 1]);
        offered += points[k];
    }
}

static int Run(int argc, char** argv)
{
    bool campaign = false, show = false;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; first++) {
        if (strcmp(argv[first], "--campaign") == 0)
            campaign = true;
        else if (strcmp(argv[first], "--show") == 0)
            show = true;
        else
            break;
    }
    if (first >= argc || argv[first][0] == '-') {
        fprintf(stderr, "usage: quarvel-storeycheck [--campaign] [--show] LEVEL.lvl...\n");
        return 2;
    }
    LoadCatalogue();
    if (ObjectTypes.empty() || FloorTypes.empty()) {
        fprintf(stderr, "No catalogue in data/: run quarvel-storeycheck from the game's folder\n");
        return 2;
    }
    bool sound = true;
    std::vector<int> points;
    for (int i = first; i < argc; i++)
        points.push_back(CheckFile(argv[i], show, &sound));
    if (campaign && sound) {
        PrintBudget(points);
        std::vector<std::string> faults = CheckCampaignBudget(points);
        PrintFaults("campaign", faults);
        sound = faults.empty();
    }
    printf(sound ? "every storey can be finished\n" : "FAILED\n");
    return sound ? 0 : 1;
}

int main(int argc, char** argv)
{
    EngineRunHeadless(SimOptions());
    hge = hgeCreate(HGE_VERSION);
    if (!hge->System_Initiate()) {
        fprintf(stderr, "%s\n", hge->System_GetErrorMessage().c_str());
        return 1;
    }
    int code = Run(argc, argv);
    Objects.clear();
    ReleaseCatalogueAnimations();
    hge->System_Shutdown();
    hge->Release();
    return code;
}
