// A small storey played through the runner in developer mode: a plaster
// wall with a red door in it and the red card behind. However long a frame
// takes, walking into the wall or the door never carries the player to the
// other side; pushing the door he may not open sounds the error once a push.
#include <gtest/gtest.h>

#include <regex>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

// The wall runs down column 6; the door fills rows 2 and 3 of it. The
// player starts at column 2 in the row given.
static std::string WalledRoom(int startRow)
{
    std::string marks[6] = {"", "", "", "", "", ""};
    marks[startRow] = "  S";
    marks[2] += std::string(10 - marks[2].size(), ' ') + "(";
    marks[4] += "        !";
    std::string map = "size 12 6\nlegend\n. floor CarpetGrey\n# object WallPlaster\nr object RedDoor\nS start\n"
                      "! lift\n( card red\nfloors\n";
    for (int y = 0; y < 6; y++)
        map += "............\n";
    map += "objects\n############\n#     #    #\n#     r    #\n#     r    #\n#     #    #\n############\nmarks\n";
    for (const std::string& m : marks)
        map += m + "\n";
    return map;
}

struct LockedDoorFixture : ::testing::Test {
    TempDir dir;

    void SetUp() override
    {
        LinkGameData(dir.path);
        dir.Write("kresk", "");
    }

    void Storey(int startRow)
    {
        RunnerResult c = CompileStorey(dir, WalledRoom(startRow), "data/temp.lvl");
        ASSERT_EQ(c.exitCode, 0) << c.output;
    }

    // Holds D from frame 5 to 64 with every frame lasting dt.
    RunnerResult WalkRight(float dt)
    {
        std::string script = "0 mouse 700 295\n5 down D\n64 up D\n";
        for (int f = 5; f < 65; f++)
            script += std::to_string(f) + " dt " + std::to_string(dt) + "\n";
        return RunSim(dir.path, {"--input", dir.Write("in.txt", script), "--frames", "66"});
    }
};

static double Number(const std::string& dump, const std::string& key)
{
    std::smatch m;
    return std::regex_search(dump, m, std::regex("\"" + key + "\": (-?[0-9.e+-]+)")) ? std::stod(m[1]) : -1;
}

TEST_F(LockedDoorFixture, SlowFramesNeverCarryThePlayerThroughAWallOrALockedDoor)
{
    for (int row : {1, 2}) {
        Storey(row);
        for (float dt : {0.12f, 0.25f, 1.0f}) {
            RunnerResult r = WalkRight(dt);
            ASSERT_EQ(r.exitCode, 0) << r.output;
            EXPECT_LT(Number(r.dump, "PlayerX"), 6 * 40) << (row == 1 ? "wall" : "door") << ", frames of " << dt << " s";
            EXPECT_GT(Number(r.dump, "PlayerX"), 4 * 40) << "the player walked up to it";
        }
    }
}

TEST_F(LockedDoorFixture, PushingTheLockedDoorSoundsTheErrorOncePerPush)
{
    Storey(2);
    std::string script = "0 mouse 700 295\n5 down D\n90 up D\n100 down D\n140 up D\n";
    RunnerResult r = RunSim(dir.path, {"--input", dir.Write("in.txt", script), "--frames", "150"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Occurrences(r.dump, "sound/error.mp3"), 2) << r.dump;
}
