// The whole campaign played through the headless runner with nothing but a
// player's keys and mouse: splash, menu, every intro, dialogue and shop, ten
// small storeys each left by the lift with its card, the final picture and
// the menu again. The state is dumped after every one of the 41 steps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

// A walled room: the player starts at (1, 2) beside the lift card, and the
// lift at (4, 2) is used from columns 3 to 6, a short walk east.
static const char StandInMap[] =
    "size 8 5\n"
    "legend\n"
    ". floor CarpetGrey\n"
    "# object WallPlaster\n"
    "S start\n"
    "L lift\n"
    "c card lift\n"
    "floors\n"
    "........\n........\n........\n........\n........\n"
    "objects\n"
    "########\n#      #\n#      #\n#      #\n########\n"
    "marks\n"
    "\n\n Sc L\n\n\n";

static bool CompileStandInStoreys(const TempDir& dir)
{
    if (CompileStorey(dir, StandInMap, "data/1.lvl").exitCode != 0)
        return false;
    for (int k = 2; k <= 10; k++)
        fs::copy_file(dir.path + "/data/1.lvl", dir.path + "/data/" + std::to_string(k) + ".lvl");
    return true;
}

// What the dump must show once a step has been taken.
struct expected_step_struct {
    int step;   // the step taken
    int frame;  // the frame it was taken in
};

struct script_struct {
    std::string text;
    int frame = 0;
    std::vector<expected_step_struct> steps;

    void Event(const std::string& e) { text += std::to_string(frame) + " " + e + "\n"; }
    void Press(const std::string& key)
    {
        Event("down " + key);
        frame++;
        Event("up " + key);
        frame += 3;
    }
    void Click(int x, int y)
    {
        Event("mouse " + std::to_string(x) + " " + std::to_string(y));
        frame++;
        Press("LBUTTON");
    }
    // The step the last key or click took.
    void Took(int step) { steps.push_back({step, frame - 4}); }
    // Into the lift's area, facing east, and Space.
    void TakeTheLift(int step)
    {
        Event("mouse 700 295");
        frame += 2;
        Event("down D");
        frame += 60;
        Event("up D");
        frame += 4;
        Press("SPACE");
        Took(step);
    }
};

static script_struct PlayTheCampaign()
{
    script_struct s;
    s.frame = 2;
    s.Press("SPACE");  // leaves the splash
    s.frame += 2;
    s.Click(100, 380);  // New game
    s.Took(0);
    s.Press("ENTER");
    s.Took(1);
    s.Click(400, 300);
    s.Took(2);
    for (int k = 2; k <= 10; k++) {
        int intro = 4 * k - 5;
        s.TakeTheLift(intro);
        s.Press("SPACE");
        s.Took(intro + 1);
        s.Click(300, 200);
        s.Took(intro + 2);
        if (k % 2)
            s.Press("SPACE");
        else
            s.Click(700, 550);  // leave the lift
        s.Took(intro + 3);
    }
    s.TakeTheLift(39);
    s.Press("ESCAPE");  // any key on the final picture
    s.Took(40);
    s.frame += 4;
    s.Press("ESCAPE");  // and out of the menu
    return s;
}

static double DumpNumber(const std::string& dump, const std::string& key)
{
    size_t at = dump.find("\"" + key + "\": ");
    return at == std::string::npos ? -1e9 : atof(dump.c_str() + at + key.size() + 4);
}

// Stage, storey and checkpoint after step s, as the campaign defines them.
static void ExpectAfterStep(const std::string& dump, int s)
{
    static const int storeyStage[4] = {0, 1, 3, 2};  // intro, dialogue, shop, play
    int stage = s < 3 ? s : s <= 38 ? storeyStage[(s + 5) % 4] : s == 39 ? 4 : 0;
    int storey = s < 3 ? 1 : s <= 38 ? (s + 5) / 4 : 10;
    int checkpointStep = s < 3 ? 0 : s <= 38 ? 4 * ((s + 5) / 4) - 5 : 35;
    EXPECT_EQ(DumpNumber(dump, "GameMode"), s == 40 ? 0 : 2);
    EXPECT_EQ(DumpNumber(dump, "GameStage"), stage);
    EXPECT_EQ(DumpNumber(dump, "StoreyNumber"), storey);
    EXPECT_EQ(DumpNumber(dump, "CampaignStep"), s == 40 ? 0 : s + 1);
    EXPECT_EQ(DumpNumber(dump, "step"), checkpointStep);
    EXPECT_EQ(DumpNumber(dump, "CheckpointExists"), s >= 3 && s < 40 ? 1 : 0);
    if (s >= 3 && s <= 38) {
        EXPECT_EQ(DumpNumber(dump, "LevelWidth"), 8);
    }
}

TEST(CampaignFlow, TheWholeCampaignWithAPlayersKeysAndMouse)
{
    TempDir dir;
    LinkGameData(dir.path);
    ASSERT_TRUE(CompileStandInStoreys(dir));
    script_struct script = PlayTheCampaign();
    dir.Write("play.txt", script.text);
    std::vector<std::string> args = {"--input", dir.path + "/play.txt", "--frames", std::to_string(script.frame + 10)};
    for (const expected_step_struct& e : script.steps)
        args.insert(args.end(), {"--dump-at", std::to_string(e.frame + 1) + ":" + dir.path + "/step" +
                                                  std::to_string(e.step) + ".json"});
    RunnerResult r = RunSim(dir.path, args);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(script.steps.size(), 41u);
    for (const expected_step_struct& e : script.steps) {
        SCOPED_TRACE("step " + std::to_string(e.step) + " at frame " + std::to_string(e.frame));
        std::string dump = ReadWholeFile(dir.path + "/step" + std::to_string(e.step) + ".json");
        ASSERT_FALSE(dump.empty());
        ExpectAfterStep(dump, e.step);
        if (HasFatalFailure() || HasFailure())
            break;
    }
    // Escape in the menu ended the program before the frames ran out, and
    // a finished campaign leaves nothing to save.
    EXPECT_LT(DumpNumber(r.dump, "frames"), script.frame + 10);
    EXPECT_FALSE(fs::exists(dir.path + "/data/save"));
}
