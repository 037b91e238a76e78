// The first storeys open calmly: a newcomer who stands still where storey
// 1, 2 or 3 begins, after New game or after Continue from the save the
// storey before left, is alive ten seconds later, whatever the dice.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

static const int PressGap = 15;  // frames between two presses of Space

// Space passes the splash, the menu (New game, or Continue from the save),
// the intro and the dialogue page, and from storey 2 on the lift's shop;
// the last press starts play. The frame of that press in *playFrame.
static std::string SpaceIntoPlay(int storey, int* playFrame)
{
    int presses = storey == 1 ? 4 : 5;
    std::string script;
    for (int i = 1; i <= presses; i++) {
        int frame = i * PressGap - 10;
        script += std::to_string(frame) + " down SPACE\n" + std::to_string(frame + 1) + " up SPACE\n";
        *playFrame = frame;
    }
    return script;
}

TEST(FirstStoreys, StandingStillAtTheStartLivesTenSeconds)
{
    for (int storey = 1; storey <= 3; storey++) {
        for (int seed : {1, 2, 3}) {
            SCOPED_TRACE("storey " + std::to_string(storey) + ", seed " + std::to_string(seed));
            TempDir dir;
            LinkGameData(dir.path, true);
            if (storey > 1) {
                std::string save = QUARVEL_SOURCE_DIR "/tests/replays/" + std::to_string(storey) + ".save";
                dir.Write("data/save", ReadWholeFile(save));
            }
            int play = 0;
            std::string script = dir.Write("stand.txt", SpaceIntoPlay(storey, &play));
            std::string atStart = dir.path + "/start.json";
            RunnerResult r = RunSim(dir.path, {"--input", script, "--seed", std::to_string(seed), "--no-draw", "--frames",
                                               std::to_string(play + 10 * 60 + 1), "--dump-at",
                                               std::to_string(play) + ":" + atStart});
            ASSERT_EQ(r.exitCode, 0) << r.output;
            EXPECT_NE(ReadWholeFile(atStart).find("\"GameStage\": 2"), std::string::npos) << "not in play yet";
            EXPECT_NE(r.dump.find("\"StoreyNumber\": " + std::to_string(storey)), std::string::npos);
            EXPECT_NE(r.dump.find("\"Dead\": 0"), std::string::npos) << "killed where the storey begins";
        }
    }
}
