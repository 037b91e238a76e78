// quarvel-sim: the game without a player. Runs the real program frame on
// SDL's dummy drivers with a fixed frame time and random seed, replays
// scripted input, writes screenshots and a JSON dump of the game state, and
// reports frame timings.
#include <unistd.h>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/sim.h"
#include "frame/program.h"
#include "frame/settings.h"
#include "tools/sim/dump.h"
#include "tools/sim/soak.h"

static const char Usage[] =
    "usage: quarvel-sim [options]\n"
    "  --workdir DIR          run in DIR (where data/, sound/ and kresk are looked for)\n"
    "  --lang CODE            show the game in that language (ru, en); without it the\n"
    "                         language of DIR's settings.cfg, else Russian\n"
    "  --frames N             frames to run (default: 60, or one past the script's last event)\n"
    "  --dt SECONDS           frame time (default 1/60)\n"
    "  --seed N               random seed (default 1; a recorded script brings its own)\n"
    "  --input FILE           scripted input, one event a line:\n"
    "                           N down KEY | N up KEY | N mouse X Y | N wheel NOTCHES\n"
    "                           N pad connect | N pad disconnect | N pad down BUTTON\n"
    "                           N pad up BUTTON | N pad axis AXIS VALUE\n"
    "  --screenshot FILE      PNG of the screen after the last frame\n"
    "  --screenshot-at N:FILE PNG after frame N (may repeat)\n"
    "  --dump FILE            JSON of the game state after the last frame\n"
    "  --dump-at N:FILE       JSON of the game state after frame N (may repeat)\n"
    "  --no-draw              draw only the frames screenshots are taken of\n"
    "  --bench                print the timing report\n"
    "  --soak N               N frames of seeded random input, checking after every\n"
    "                         frame that every position is a finite number (exit 3 if not)\n";

struct runner_options_struct {
    std::string workdir, input, dump;
    std::vector<SimScreenshot> dumpsAt;
    int frames = -1;
    int soak = 0;
    bool bench = false;
    bool seedGiven = false;
    SimOptions sim;
};

static std::string DumpFile;
static bool Dumped = false;
static bool SoakFailed = false;
static bool Soaking = false;
static std::vector<SimScreenshot> DumpsAt;

static std::string Absolute(const std::string& path)
{
    return std::filesystem::absolute(path).string();
}

static bool ReadFile(const std::string& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream ss;
    ss << in.rdbuf();
    *text = ss.str();
    return true;
}

static void WriteDumpTo(const std::string& file, const std::string& text)
{
    if (file.empty())
        return;
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out)
        fprintf(stderr, "Can't write the dump %s\n", file.c_str());
}

static void WriteDump(const std::string& text)
{
    WriteDumpTo(DumpFile, text);
}


static void DumpBeforeCleanup()
{
    WriteDump(DumpGameState());
    Dumped = true;
}

static bool ParseFrameAndFile(const std::string& arg, SimScreenshot* shot)
{
    size_t colon = arg.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    shot->frame = atoi(arg.substr(0, colon).c_str());
    shot->file = Absolute(arg.substr(colon + 1));
    return shot->frame >= 0;
}

static bool ParseArguments(int argc, char** argv, runner_options_struct* o)
{
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--bench") {
            o->bench = true;
        } else if (a == "--no-draw") {
            o->sim.skipDrawing = true;
        } else if (!hasValue) {
            return false;
        } else if (a == "--workdir") {
            o->workdir = argv[++i];
        } else if (a == "--lang") {
            LanguageAsked = argv[++i];
        } else if (a == "--soak") {
            o->soak = atoi(argv[++i]);
        } else if (a == "--frames") {
            o->frames = atoi(argv[++i]);
        } else if (a == "--dt") {
            o->sim.dt = (float)atof(argv[++i]);
        } else if (a == "--seed") {
            o->sim.seed = (uint32_t)strtoul(argv[++i], nullptr, 10);
            o->seedGiven = true;
        } else if (a == "--input") {
            o->input = Absolute(argv[++i]);
        } else if (a == "--screenshot") {
            o->sim.screenshots.push_back({-1, Absolute(argv[++i])});
        } else if (a == "--screenshot-at") {
            SimScreenshot shot;
            if (!ParseFrameAndFile(argv[++i], &shot))
                return false;
            o->sim.screenshots.push_back(shot);
        } else if (a == "--dump-at") {
            SimScreenshot dump;
            if (!ParseFrameAndFile(argv[++i], &dump))
                return false;
            o->dumpsAt.push_back(dump);
        } else if (a == "--dump") {
            o->dump = Absolute(argv[++i]);
        } else {
            return false;
        }
    }
    return o->sim.dt > 0;
}

static bool LoadScript(runner_options_struct* o)
{
    if (o->input.empty())
        return true;
    std::string text, error;
    if (!ReadFile(o->input, &text)) {
        fprintf(stderr, "Can't read %s\n", o->input.c_str());
        return false;
    }
    if (!ParseInputScript(text, &o->sim.events, &error)) {
        fprintf(stderr, "%s: %s\n", o->input.c_str(), error.c_str());
        return false;
    }
    int last = -1;
    for (const InputEvent& e : o->sim.events) {
        last = std::max(last, e.frame);
        if (e.kind == INPUT_SEED && !o->seedGiven)
            o->sim.seed = e.seed;
    }
    if (o->frames < 0)
        o->frames = std::max(60, last + 1);
    return true;
}

// The value below which the given share of the times lie.
static double Percentile(std::vector<double> times, double share)
{
    if (times.empty())
        return 0;
    auto at = times.begin() + (size_t)(share * (double)(times.size() - 1) + 0.5);
    std::nth_element(times.begin(), at, times.end());
    return *at;
}

static void PrintTimingReport()
{
    FrameTimes t = EngineFrameTimes();
    printf("frames %d\nseconds %.3f\nfps %.1f\n", t.frames, t.seconds, t.seconds > 0 ? t.frames / t.seconds : 0.0);
    printf("first picture %.3f s after the start\n", t.firstPicture);
    printf("update mean %.3f ms, worst %.3f ms\n", t.updateMean * 1000, t.updateWorst * 1000);
    // On a busy machine a few frames that lost the processor weigh on the
    // mean; the median shows the typical frame, the 99th percentile the
    // slow ones a player would notice.
    printf("update median %.3f ms, 99th percentile %.3f ms\n", Percentile(t.updates, 0.5) * 1000,
           Percentile(t.updates, 0.99) * 1000);
    printf("render mean %.3f ms, worst %.3f ms\n", t.renderMean * 1000, t.renderWorst * 1000);
    printf("render median %.3f ms, 99th percentile %.3f ms\n", Percentile(t.renders, 0.5) * 1000,
           Percentile(t.renders, 0.99) * 1000);
    std::vector<double> whole(t.updates.size());
    for (size_t i = 0; i < whole.size() && i < t.renders.size(); i++)
        whole[i] = t.updates[i] + t.renders[i];
    printf("frame 99th percentile %.3f ms, in processor time %.3f ms\n", Percentile(whole, 0.99) * 1000,
           Percentile(t.processor, 0.99) * 1000);
    printf("decoded between frames %.3f ms, worst %.3f ms\n", t.decodeAhead * 1000, t.decodeAheadWorst * 1000);
}

static bool CheckSoakFrame(int frame)
{
    std::string what;
    if (GameStateIsFinite(&what))
        return false;
    fprintf(stderr, "frame %d: %s is not a finite number\n", frame, what.c_str());
    SoakFailed = true;
    return true;
}

static void PrepareSoak(runner_options_struct* o)
{
    if (o->soak <= 0)
        return;
    o->sim.events = MakeSoakInput(o->soak, o->sim.seed);
    o->frames = o->soak;
    Soaking = true;
}

// After every frame: the dumps asked for that frame, then the soak's check.
// True stops the run.
static bool AfterFrame(int frame)
{
    for (const SimScreenshot& d : DumpsAt)
        if (d.frame == frame)
            WriteDumpTo(d.file, DumpGameState());
    return Soaking && CheckSoakFrame(frame);
}

int main(int argc, char** argv)
{
    runner_options_struct o;
    if (!ParseArguments(argc, argv, &o)) {
        fputs(Usage, stderr);
        return 2;
    }
    if (!LoadScript(&o))
        return 2;
    PrepareSoak(&o);
    o.sim.frames = o.frames < 0 ? 60 : o.frames;
    if (!o.workdir.empty() && chdir(o.workdir.c_str()) != 0) {
        fprintf(stderr, "Can't enter %s\n", o.workdir.c_str());
        return 2;
    }
    DumpFile = o.dump;
    DumpsAt = o.dumpsAt;
    o.sim.afterFrame = AfterFrame;
    EngineRunHeadless(o.sim);
    ProgramEndHook = DumpBeforeCleanup;
    int code = RunProgram();
    if (!Dumped)
        WriteDump(DumpEventsOnly());
    if (o.bench)
        PrintTimingReport();
    return SoakFailed ? 3 : code;
}
