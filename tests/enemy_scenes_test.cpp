// Enemies in the real game: small storeys compiled from maps and played in
// developer mode by the headless runner with the shipped data. The player
// starts there with 0 health, so the first wound kills him.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

#ifdef QUARVEL_LEVELC

namespace fs = std::filesystem;

// A 16 x 12 room of grey carpet with the player at (3, 5) and one enemy,
// described by its legend entry, at (x, y).
static std::string RoomMap(const std::string& enemy, int x, int y)
{
    std::string map = "size 16 12\nlegend\n. floor CarpetGrey\n# object WallPlaster\nS start\nL lift\ne enemy " +
                      enemy + "\nfloors\n";
    for (int r = 0; r < 12; r++)
        map += std::string(16, '.') + "\n";
    map += "objects\n" + std::string(16, '#') + "\n";
    for (int r = 1; r < 11; r++)
        map += "#" + std::string(14, ' ') + "#\n";
    map += std::string(16, '#') + "\nmarks\n";
    for (int r = 0; r < 12; r++) {
        std::string row(16, ' ');
        if (r == 2)
            row[4] = 'L';
        if (r == 5)
            row[3] = 'S';
        if (r == y)
            row[x] = 'e';
        map += row + "\n";
    }
    return map;
}

struct EnemyScene : ::testing::Test {
    TempDir dir;
    // Links the shipped data and sounds, compiles the map into the scratch
    // storey and switches developer mode on.
    void Build(const std::string& map)
    {
        LinkGameData(dir.path);
        dir.Write("kresk", "");
        RunnerResult c = CompileStorey(dir, map, "data/temp.lvl");
        ASSERT_EQ(c.exitCode, 0) << c.output;
        dir.Write("aim.txt", "0 mouse 400 295\n");
    }
    RunnerResult Play(int frames)
    {
        return RunSim(dir.path, {"--frames", std::to_string(frames), "--input", dir.path + "/aim.txt",
                                 "--screenshot-at", std::to_string(frames / 2) + ":" + dir.path + "/middle.png",
                                 "--screenshot", dir.path + "/end.png"});
    }
};

// The frame at which a sound whose file name matches first started, or -1.
static int SoundFrame(const std::string& dump, const std::string& pattern)
{
    std::smatch m;
    std::regex event("\"frame\": (\\d+),\\s*\"file\": \"sound/" + pattern + "\"");
    return std::regex_search(dump, m, event) ? std::stoi(m[1]) : -1;
}

TEST_F(EnemyScene, AnAlertedGuardWhoSeesThePlayerTurnsAimsAndFiresWithinASecond)
{
    Build(RoomMap("preset 2 alarm 12", 10, 5));
    RunnerResult r = Play(60);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    int shot = SoundFrame(r.dump, "revolver-fire\\.mp3");
    EXPECT_GE(shot, 1) << r.output;
    EXPECT_NE(r.dump.find("\"state\": 6"), std::string::npos) << "the guard waits for its firing animation";
}

TEST_F(EnemyScene, AnAlertedClerkWalksUpToThePlayerAndStrikes)
{
    Build(RoomMap("preset 1 alarm 12", 10, 7));
    RunnerResult r = Play(150);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_GE(SoundFrame(r.dump, "hit-\\d\\.mp3"), 30) << r.output;
    EXPECT_NE(r.dump.find("\"Health\": 6,"), std::string::npos) << "two blows of 7 from a new game's 20";
}

#endif
