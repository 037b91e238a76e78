// A scripted editing session on the shipped data, replayed by the headless
// runner: a small storey built with every tool, saved, changed, loaded back
// and played.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

static const std::string Source = QUARVEL_SOURCE_DIR;

static size_t Occurrences(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

TEST(EditorSession, BuildsSavesLoadsAndPlaysASmallStorey)
{
    namespace fs = std::filesystem;
    TempDir dir;
    fs::copy(Source + "/data", dir.path + "/data", fs::copy_options::recursive);
    fs::copy(Source + "/sound", dir.path + "/sound", fs::copy_options::recursive);
    dir.Write("kresk", "");
    fs::copy_file(Source + "/tests/data/storey-20x14-carpet-wall-desk-guard.lvl", dir.path + "/data/temp.lvl",
                  fs::copy_options::overwrite_existing);
    std::string palette = dir.path + "/enemy-palette.png", refused = dir.path + "/refused.png";
    RunnerResult r = RunSim(dir.path, {"--input", Source + "/tests/data/editor-session.txt", "--frames", "358",
                                       "--screenshot-at", "200:" + palette, "--screenshot-at", "177:" + refused});
    ASSERT_EQ(r.exitCode, 0) << r.output;

    // The saved storey: the carpeted room with its checkerboard row, the
    // ring of walls with a gap and a door, the turned desk, the rifleman,
    // start, lift and two cards. The start moved after saving comes back.
    EXPECT_EQ(ReadWholeFile(dir.path + "/data/temp.lvl"),
              ReadWholeFile(Source + "/tests/data/editor-session-saved.lvl"));
    EXPECT_NE(r.dump.find("\"PlayerStart\": {\n    \"x\": 3,\n    \"y\": 3"), std::string::npos);
    EXPECT_NE(r.dump.find("\"messages\": []"), std::string::npos) << r.dump.substr(r.dump.find("\"messages\""));

    // Played: the enemy made from the loaded start stands in the room, and
    // the player walked over the lift card and holds it.
    EXPECT_NE(r.dump.find("\"WorldMode\": 1"), std::string::npos);
    EXPECT_EQ(Occurrences(r.dump, "\"health\": 25"), 1u);
    EXPECT_NE(r.dump.find("\"CardHeld\": [\n    1,\n    0,\n    1,\n    1\n  ]"), std::string::npos);

    Picture pic = ReadPng(palette);
    ASSERT_EQ(pic.width, 800);
    EXPECT_EQ(pic.At(700, 500), 0xFFCCCCCCu);  // the enemy palette's background
    pic = ReadPng(refused);
    ASSERT_EQ(pic.width, 800);
    // The desk that would leave the storey at (12, 13) is shown pink over black.
    uint32_t p = pic.At(12 * 40 + 20, 13 * 40 + 30 + 20);
    EXPECT_GT((p >> 16) & 0xFF, (p >> 8) & 0xFF) << std::hex << p;
}
