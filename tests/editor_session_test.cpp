// A scripted editing session on the shipped data, replayed by the headless
// runner: a small storey built with every tool, saved, changed, loaded back
// and played.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

static const std::string Source = QUARVEL_SOURCE_DIR;

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
    EXPECT_EQ(Occurrences(r.dump, "\"health\": 25"), 1);
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

// A top-level entry of a dump, as its text.
static std::string Entry(const std::string& dump, const std::string& key)
{
    size_t at = dump.find("\n  \"" + key + "\": ");
    if (at == std::string::npos)
        return "";
    return dump.substr(at, dump.find("\n  \"", at + 1) - at);
}

static std::string DumpAt(const TempDir& dir, int frame)
{
    return ReadWholeFile(dir.path + "/at" + std::to_string(frame) + ".json");
}

// The runner in a folder of its own with the shipped storeys, in developer
// mode, dumping the state after each of the frames given.
static RunnerResult RunEditorScript(const TempDir& dir, const std::string& script, int frames,
                                    const std::vector<int>& dumpFrames)
{
    LinkGameData(dir.path, true);
    dir.Write("kresk", "");
    std::vector<std::string> args = {"--input", script, "--frames", std::to_string(frames), "--no-draw"};
    for (int f : dumpFrames)
        args.insert(args.end(), {"--dump-at", std::to_string(f) + ":" + dir.path + "/at" + std::to_string(f) + ".json"});
    return RunSim(dir.path, args);
}

TEST(EditorSession, BuildsTwoRoomsWithGridAndUndoChecksTriesAndSavesThem)
{
    TempDir dir;
    // The frames after the two checks, after the save, and during the test run.
    RunnerResult r = RunEditorScript(dir, Source + "/tests/data/editor-rooms-session.txt", 667, {562, 575, 613, 649});
    ASSERT_EQ(r.exitCode, 0) << r.output;

    // Left room grey, right room blue (the blue stroke across the left room
    // was taken back), walls, the red door, desk and sofa, three enemies (the
    // guard moved, the fourth removed), start, lift and the two cards.
    EXPECT_EQ(ReadWholeFile(dir.path + "/data/rooms.lvl"), ReadWholeFile(Source + "/tests/data/editor-rooms-saved.lvl"));

    std::string walled = Entry(DumpAt(dir, 562), "Editor");
    EXPECT_NE(walled.find("\"Проверка: этаж нельзя пройти\",\n      \"Карта для лифта: 20:10 - до неё не дойти\""),
              std::string::npos)
        << walled;
    std::string finished = Entry(DumpAt(dir, 575), "Editor");
    EXPECT_NE(finished.find("\"Verdict\": [\n      \"Проверка: этаж можно пройти\"\n    ]"), std::string::npos)
        << finished;
    std::string saved = DumpAt(dir, 613);
    EXPECT_NE(Entry(saved, "Editor").find("\"Message\": \"Сохранено: rooms.lvl\""), std::string::npos);
    EXPECT_NE(Entry(DumpAt(dir, 649), "Editor").find("\"TestRun\": true"), std::string::npos);

    // Back from the test run, everything stands where it stood before it.
    EXPECT_NE(Entry(r.dump, "Editor").find("\"Message\": \"Проба окончена\""), std::string::npos);
    for (const char* key : {"FloorMap", "Objects", "DoorList", "EnemyStarts", "CardCell", "CardHeld", "Lift",
                            "PlayerStart", "Health", "PlayerX", "PlayerY", "CameraX", "Enemies", "Corpses"})
        EXPECT_EQ(Entry(r.dump, key), Entry(saved, key)) << key;
}

TEST(EditorSession, OpensMakesAndSavesStoreysByNameAndSaysSo)
{
    TempDir dir;
    RunnerResult r = RunEditorScript(dir, Source + "/tests/data/editor-storeys-by-name.txt", 84, {27, 51, 63, 77});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string opened = DumpAt(dir, 27);
    EXPECT_NE(Entry(opened, "Editor").find("\"Message\": \"Загружено: 3.lvl\""), std::string::npos);
    EXPECT_EQ(Entry(opened, "LevelWidth"), "\n  \"LevelWidth\": 48,");
    std::string refused = Entry(DumpAt(dir, 51), "Editor");
    EXPECT_NE(refused.find("\"Message\": \"Размер этажа - от 8 до 4899 клеток\""), std::string::npos);
    EXPECT_NE(refused.find("\"FileDialog\": 3"), std::string::npos);  // still open, to be mended
    std::string made = DumpAt(dir, 63);
    EXPECT_NE(Entry(made, "Editor").find("\"Message\": \"Новый этаж 12:9\""), std::string::npos);
    EXPECT_EQ(Entry(made, "LevelHeight"), "\n  \"LevelHeight\": 9,");
    EXPECT_NE(Entry(DumpAt(dir, 77), "Editor").find("\"Message\": \"Сохранено: mine.lvl\""), std::string::npos);
    EXPECT_EQ(ReadWholeFile(dir.path + "/data/mine.lvl").substr(0, 4), "4(1(");  // 12 x 9

    // Taking the new storey back brings storey 3 back, enemies and all.
    EXPECT_EQ(Entry(r.dump, "LevelWidth"), Entry(opened, "LevelWidth"));
    EXPECT_EQ(Entry(r.dump, "Objects"), Entry(opened, "Objects"));
    EXPECT_EQ(Entry(r.dump, "EnemyStarts"), Entry(opened, "EnemyStarts"));
    EXPECT_EQ(Occurrences(Entry(r.dump, "Enemies"), "\"health\""), Occurrences(Entry(opened, "Enemies"), "\"health\""));
    EXPECT_GT(Occurrences(Entry(opened, "Enemies"), "\"health\""), 0);
}
