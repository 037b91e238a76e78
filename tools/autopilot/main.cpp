// quarvel-autopilot: plays one storey of the campaign through the headless
// runner with a player's keys and mouse, from the program's start to the
// lift, and writes the run as a replay that quarvel-sim plays back exactly.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/sim.h"
#include "frame/program.h"
#include "tools/autopilot/pilot.h"
#include "tools/autopilot/pilot_input.h"
#include "engine/paths.h"

static const char Usage[] =
    "usage: quarvel-autopilot [options]\n"
    "  --workdir DIR   run in DIR (where data/ and sound/ are looked for)\n"
    "  --out FILE      the replay (default: replay.txt)\n"
    "  --seed N        random seed (default 1)\n"
    "  --continue      Continue the saved game in the menu instead of a New game\n"
    "  --quit          once up the lift, back to the menu and out: the save is written\n"
    "  --novice        play as a newcomer: slower to react, an unsteady aim, a slow mouse,\n"
    "                  and no knowledge of enemies not seen\n"
    "  --frames N      give up after N frames (default 90000)\n"
    "Exit status 0 when the storey was left by the lift.\n";

struct autopilot_options_struct {
    std::string workdir, out = "replay.txt";
    uint32_t seed = 1;
    int frames = 90000;
    pilot_settings_struct pilot;
};

static bool ParseArguments(int argc, char** argv, autopilot_options_struct* o)
{
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--continue")
            o->pilot.newGame = false;
        else if (a == "--quit")
            o->pilot.quitAfterLift = true;
        else if (a == "--novice")
            o->pilot.novice = true;
        else if (!hasValue)
            return false;
        else if (a == "--workdir")
            o->workdir = argv[++i];
        else if (a == "--out")
            o->out = std::filesystem::absolute(argv[++i]).string();
        else if (a == "--seed")
            o->seed = (uint32_t)strtoul(argv[++i], nullptr, 10);
        else if (a == "--frames")
            o->frames = atoi(argv[++i]);
        else
            return false;
    }
    return o->frames > 0;
}

static bool StopWhenDone(int)
{
    return PilotDone();
}

static void PrintReport(uint32_t seed, bool novice)
{
    const pilot_report_struct& r = PilotReport;
    int frames = (r.finished ? r.liftFrame : r.lastPlayFrame) - r.playStartFrame;
    printf("storey %d, seed %u%s: %s after %.1f s of play\n", r.storey, seed, novice ? ", novice" : "",
           r.finished ? "up the lift" : r.died ? "died" : "gave up", frames / 60.0);
    printf("  health %d -> %d (lowest %d), hits taken %d%s%s\n", r.healthAtStart,
           r.finished ? r.healthAtLift : r.lowestHealth, r.lowestHealth, r.hitsTaken, r.hits.empty() ? "" : ": ",
           r.hits.c_str());
    printf("  enemies killed %d of %d, shots %d, blows %d (furniture %d)\n", r.kills, r.enemies, r.shots, r.blows,
           r.smashed);
    printf("  points %d -> %d, bought: %s\n", r.pointsAtStart, r.finished ? r.pointsAtLift : -1,
           r.bought.empty() ? "nothing" : r.bought.c_str());
}

int main(int argc, char** argv)
{
    autopilot_options_struct o;
    if (!ParseArguments(argc, argv, &o)) {
        fputs(Usage, stderr);
        return 2;
    }
    if (!o.workdir.empty() && chdir(o.workdir.c_str()) != 0) {
        fprintf(stderr, "Can't enter %s\n", o.workdir.c_str());
        return 2;
    }
    o.pilot.seed = o.seed;
    StartPilot(o.pilot);
    SimOptions sim;
    sim.frames = o.frames;
    sim.seed = o.seed;
    sim.skipDrawing = true;
    sim.beforeFrame = PilotFrame;
    sim.afterFrame = StopWhenDone;
    EngineRunHeadless(sim);
    RunProgram();
    std::string header = "# A run played by quarvel-autopilot; replay it with quarvel-sim --input\n";
    if (!WriteWholeFile(o.out, PilotReplay(o.seed, header))) {
        fprintf(stderr, "Can't write %s\n", o.out.c_str());
        return 2;
    }
    PrintReport(o.seed, o.pilot.novice);
    return PilotReport.finished ? 0 : 1;
}
