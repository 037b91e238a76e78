// The recorded runs through the campaign (tests/replays/): each storey's run,
// replayed from the save it started from, leaves the storey by the lift, and
// the runs chain: the save one run leaves is the save the next starts from.
// A change to the game's rules or to a storey that breaks a run shows here.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

static const std::string ReplayFolder = QUARVEL_SOURCE_DIR "/tests/replays/";

static std::string ReplayOf(int storey)
{
    return ReplayFolder + std::to_string(storey) + ".txt";
}

// The save a storey's run starts from; storey 1 starts from the menu's New game.
static std::string SaveBefore(int storey)
{
    return ReplayFolder + std::to_string(storey) + ".save";
}

static int DumpedInt(const std::string& dump, const std::string& name)
{
    std::smatch m;
    return std::regex_search(dump, m, std::regex("\"" + name + "\": (-?\\d+)")) ? std::stoi(m[1]) : -1;
}

class CampaignReplay : public ::testing::TestWithParam<int> {};

// Storey k is played at campaign step 4k - 1; the lift performs that step,
// which leaves CampaignStep at 4k (after storey 10: the final picture).
TEST_P(CampaignReplay, ReachesTheLiftAndLeavesTheNextSave)
{
    int storey = GetParam();
    ASSERT_TRUE(std::filesystem::exists(ReplayOf(storey))) << ReplayOf(storey);
    TempDir dir;
    LinkGameData(dir.path, true);
    if (storey > 1)
        dir.Write("data/save", ReadWholeFile(SaveBefore(storey)));
    RunnerResult r = RunSim(dir.path, {"--input", ReplayOf(storey), "--no-draw"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(DumpedInt(r.dump, "CampaignStep"), 4 * storey) << "storey " << storey << " not left by the lift";
    if (std::filesystem::exists(SaveBefore(storey + 1))) {
        EXPECT_EQ(ReadWholeFile(dir.path + "/data/save"), ReadWholeFile(SaveBefore(storey + 1)))
            << "the run of storey " << storey << " no longer ends where storey " << storey + 1 << "'s begins";
    }
}

INSTANTIATE_TEST_SUITE_P(Replays, CampaignReplay, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& p) { return "Storey" + std::to_string(p.param); });

// The autopilot gives its input inside the running program; the replay it
// writes must play back the very same run, or the recorded runs could not
// be made with it.
TEST(Autopilot, ItsReplayPlaysTheSameRunBack)
{
    TempDir played, replayed;
    LinkGameData(played.path, true);
    LinkGameData(replayed.path, true);
    std::string run = played.path + "/run.txt";
    RunnerResult pilot = RunCommand(QUARVEL_AUTOPILOT, {"--workdir", played.path, "--out", run, "--quit"});
    ASSERT_EQ(pilot.exitCode, 0) << pilot.output;
    EXPECT_NE(pilot.output.find("storey 1, seed 1: up the lift"), std::string::npos) << pilot.output;
    RunnerResult r = RunSim(replayed.path, {"--input", run, "--no-draw"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(DumpedInt(r.dump, "CampaignStep"), 4);
    EXPECT_EQ(ReadWholeFile(replayed.path + "/data/save"), ReadWholeFile(played.path + "/data/save"));
}
