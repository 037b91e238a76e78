// The headless runner end to end: the real program frame on SDL's dummy
// drivers, scripted input, screenshots and the state dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/png_file.h"
#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

struct RunnerFixture : ::testing::Test {
    TempDir dir;
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path + "/data");
        ASSERT_TRUE(WritePng(dir.path + "/data/tex.png", 64, 64, 0xFF808080));
    }
};

TEST_F(RunnerFixture, WritesAScreenshotAndTheModeVariables)
{
    std::string shot = dir.path + "/shot.png";
    RunnerResult r = RunSim(dir.path, {"--frames", "10", "--screenshot", shot});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    Picture pic = ReadPng(shot);
    EXPECT_EQ(pic.width, 800);
    EXPECT_EQ(pic.height, 590);
    EXPECT_NE(r.dump.find("\"GameMode\": -1"), std::string::npos) << r.dump;
    EXPECT_NE(r.dump.find("\"GameStage\": 0"), std::string::npos);
    EXPECT_NE(r.dump.find("\"WorldMode\": 1"), std::string::npos);
    EXPECT_NE(r.dump.find("\"frames\": 10"), std::string::npos);
}

TEST_F(RunnerFixture, DumpsTheStateAfterTheFramesAsked)
{
    RunnerResult r = RunSim(dir.path, {"--frames", "10", "--dump-at", "3:" + dir.path + "/at3.json", "--dump-at",
                                       "6:" + dir.path + "/at6.json"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(ReadWholeFile(dir.path + "/at3.json").find("\"frames\": 4"), std::string::npos);
    EXPECT_NE(ReadWholeFile(dir.path + "/at6.json").find("\"frames\": 7"), std::string::npos);
    EXPECT_NE(r.dump.find("\"frames\": 10"), std::string::npos);
}

TEST_F(RunnerFixture, RejectsABadScriptNamingItsLine)
{
    std::string script = dir.Write("in.txt", "0 mouse 1 2\n1 press A\n");
    RunnerResult r = RunSim(dir.path, {"--input", script});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("line 2: unknown event 'PRESS'"), std::string::npos) << r.output;
}

TEST_F(RunnerFixture, BenchPrintsTheTimingReport)
{
    RunnerResult r = RunSim(dir.path, {"--frames", "5", "--bench"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("frames 5"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("update mean"), std::string::npos);
    EXPECT_NE(r.output.find("render mean"), std::string::npos);
    EXPECT_NE(r.output.find("frame 99th percentile"), std::string::npos);
}

// A run is the same on any machine: the system's language counts only for
// the game itself; the runner follows --lang, else the folder's settings.
TEST_F(RunnerFixture, ShowsRussianWhateverTheMachinesLanguageUnlessAskedOtherwise)
{
    dir.Write("data/lang/LINGUAS", "en\n");
    dir.Write("data/lang/en.po", "msgid \"Выход\"\nmsgstr \"Exit\"\n");
    const char* saved = getenv("LANG");
    setenv("LANG", "en_US.UTF-8", 1);
    RunnerResult plain = RunSim(dir.path, {"--frames", "2"});
    RunnerResult asked = RunSim(dir.path, {"--frames", "2", "--lang", "en"});
    dir.Write("settings.cfg", "language = en\n");
    RunnerResult kept = RunSim(dir.path, {"--frames", "2"});
    saved ? setenv("LANG", saved, 1) : unsetenv("LANG");
    EXPECT_NE(plain.dump.find("\"Language\": \"ru\""), std::string::npos) << plain.dump;
    EXPECT_NE(asked.dump.find("\"Language\": \"en\""), std::string::npos) << asked.output;
    EXPECT_NE(kept.dump.find("\"Language\": \"en\""), std::string::npos) << kept.output;
}

TEST(RunnerStartUp, WithoutTheMainTextureOnlyTheMessageIsShown)
{
    TempDir dir;
    RunnerResult r = RunSim(dir.path, {"--frames", "10"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.dump.find("\"started\": false"), std::string::npos) << r.dump;
    EXPECT_NE(r.dump.find("\"frames\": 0"), std::string::npos);
    size_t first = r.dump.find("\"text\": \"Не хватает игровых ресурсов\"");
    EXPECT_NE(first, std::string::npos) << r.dump;
    EXPECT_EQ(r.dump.find("\"text\"", first + 1), std::string::npos);  // nothing else
}

// A data folder with a three-animation atlas, two object types, a floor and
// one legs set.
static void WriteSmallDataFolder(const TempDir& dir)
{
    ASSERT_TRUE(WritePng(dir.path + "/data/atlas.png", 128, 64, 0xFF406080));
    dir.Write("data/qvl.apg",
              "[System]\napg_project_name=small\napg_project_size=1\n"
              "[0]\ntex_name=data/atlas.png\ntex_size=3\npr_size=2\n0=Type\n1=Size\n"
              "[0_0]\nname=black\nw=40\nh=40\n"
              "[0_1]\nname=Wall\nx=40\nw=40\nh=40\n0=1\n1=200\n"
              "[0_2]\nname=Tiles\nx=80\nw=40\nh=40\n");
    dir.Write("data/Objects.ini", "[Floors]\n1=Tiles\n[Objects]\n1=Wall\n2=Nowhere\n");
    ASSERT_TRUE(WritePng(dir.path + "/data/man.png", 64, 64, 0xFF203040));
    dir.Write("data/Man.ini", "[Texture_1]\nName=man.png\n[Legs_1_Stoit]\nX=0\nW=32\nH=32\nTexture=man.png\n");
}

TEST_F(RunnerFixture, StartUpWithASmallDataFolderListsTheCatalogue)
{
    WriteSmallDataFolder(dir);
    RunnerResult r = RunSim(dir.path, {"--frames", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.dump.find("\"frames\": 3"), std::string::npos);
    EXPECT_NE(r.dump.find("\"name\": \"Tiles\""), std::string::npos) << r.dump;
    EXPECT_NE(r.dump.find("\"name\": \"Wall\",\n      \"animation\": true,\n      \"kind\": 1"),
              std::string::npos);
    EXPECT_NE(r.dump.find("\"name\": \"Nowhere\",\n      \"animation\": false"), std::string::npos);
    EXPECT_NE(r.dump.find("\"LegsSets\": 1"), std::string::npos);
    // "black" is the darkness square (entry 0); "cursor" (11) is missing.
    size_t nulls = r.dump.find("\"NullSprites\": [");
    ASSERT_NE(nulls, std::string::npos);
    std::string list = r.dump.substr(nulls, r.dump.find(']', nulls) - nulls);
    EXPECT_EQ(list.find(" 0,"), std::string::npos) << list;
    EXPECT_NE(list.find(" 11,"), std::string::npos) << list;
}

TEST_F(RunnerFixture, DeveloperModeStartsInTheScratchStorey)
{
    WriteSmallDataFolder(dir);
    dir.Write("kresk", "");
    // 3 x 2, tiles everywhere, a wall at (2, 1), the player starting at (0, 1).
    dir.Write("data/Temp.LVL", "+(*(\r\n((((((((((((\r\n((*()(((\r\n(()(\r\n)(((\r\n'('('('('('('('(\r\n\r\n");
    RunnerResult r = RunSim(dir.path, {"--frames", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.dump.find("\"GameMode\": 2"), std::string::npos) << r.dump;
    EXPECT_NE(r.dump.find("\"GameStage\": 2"), std::string::npos);
    EXPECT_NE(r.dump.find("\"DeveloperMode\": true"), std::string::npos);
    EXPECT_NE(r.dump.find("\"LevelWidth\": 3"), std::string::npos);
    EXPECT_NE(r.dump.find("\"LevelHeight\": 2"), std::string::npos);
    EXPECT_NE(r.dump.find("\"name\": \"Wall\",\n      \"cell_x\": 2,\n      \"cell_y\": 1"), std::string::npos);
}

// Reads a number that follows "key": in the dump.
static double DumpNumber(const std::string& dump, const std::string& key)
{
    size_t at = dump.find("\"" + key + "\": ");
    return at == std::string::npos ? -1e9 : atof(dump.c_str() + at + key.size() + 4);
}

TEST_F(RunnerFixture, OnlyWhatThePlayerSeesIsLit)
{
    ASSERT_TRUE(WritePng(dir.path + "/data/floor.png", 40, 40, 0xFF406080));
    ASSERT_TRUE(WritePng(dir.path + "/data/black.png", 40, 40, 0xFF000000));
    dir.Write("data/qvl.apg",
              "[System]\napg_project_size=2\n"
              "[0]\ntex_name=data/black.png\ntex_size=1\n[0_0]\nname=black\nw=40\nh=40\n"
              "[1]\ntex_name=data/floor.png\ntex_size=2\npr_size=1\n0=Type\n"
              "[1_0]\nname=Tiles\nw=40\nh=40\n[1_1]\nname=Wall\nw=40\nh=40\n0=1\n");
    dir.Write("data/Objects.ini", "[Floors]\n1=Tiles\n[Objects]\n1=Wall\n");
    dir.Write("kresk", "");
    // 30 x 20 cells of tiles; a wall down column 15; the player at (5, 10).
    std::string walls;
    for (int y = 0; y < 20; y++)
        walls += std::string("((") + "7(" + char('(' + y) + "(" + "((";
    dir.Write("data/temp.lvl", "F(<(\r\n" + std::string(1200, '(') + "\r\n" + walls + "\r\n-(2(\r\n((((\r\n\r\n\r\n");
    std::string shot = dir.path + "/shot.png";
    dir.Write("in.txt", "0 mouse 400 295\n");
    RunnerResult r = RunSim(dir.path, {"--frames", "30", "--input", dir.path + "/in.txt", "--screenshot", shot});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_EQ(DumpNumber(r.dump, "LevelWidth"), 30) << r.dump.substr(0, 400);
    double cameraX = DumpNumber(r.dump, "CameraX"), cameraY = DumpNumber(r.dump, "CameraY");
    Picture pic = ReadPng(shot);
    ASSERT_EQ(pic.width, 800);
    auto pixelOfCell = [&](int cx, int cy) {
        int x = (int)(cx * 40 + 20 + 400 - cameraX), y = (int)(cy * 40 + 20 + 295 - cameraY);
        EXPECT_TRUE(x >= 0 && x < 800 && y >= 0 && y < 590) << "cell " << cx << ", " << cy << " off screen";
        return pic.At(std::clamp(x, 0, 799), std::clamp(y, 0, 589)) & 0xFFFFFF;
    };
    EXPECT_EQ(pixelOfCell(7, 10), 0x406080u);   // lit floor near the player
    EXPECT_EQ(pixelOfCell(3, 12), 0x406080u);
    EXPECT_EQ(pixelOfCell(15, 10), 0x406080u);  // the wall itself is seen
    EXPECT_EQ(pixelOfCell(17, 10), 0x000000u);  // behind the wall: darkness
    EXPECT_EQ(pixelOfCell(16, 5), 0x000000u);
}

TEST_F(RunnerFixture, DeveloperModeWithoutAScratchStoreyPlaysAnEmptyOne)
{
    dir.Write("kresk", "");
    RunnerResult r = RunSim(dir.path, {"--frames", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.dump.find("\"LevelWidth\": 40"), std::string::npos);
    EXPECT_NE(r.dump.find("\"frames\": 5"), std::string::npos);
}

// F12 twice within a second: two screenshots beside the save, neither
// written over the other.
TEST_F(RunnerFixture, F12KeepsEveryScreenshotBesideTheSave)
{
    dir.Write("in.txt", "3 down F12\n4 up F12\n5 down F12\n6 up F12\n");
    RunnerResult r = RunSim(dir.path, {"--frames", "8", "--input", dir.path + "/in.txt"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::string> shots;
    for (const auto& e : std::filesystem::directory_iterator(dir.path + "/data/screenshots"))
        shots.push_back(e.path().string());
    ASSERT_EQ(shots.size(), 2u) << r.output;
    EXPECT_NE(shots[0], shots[1]);
    for (const std::string& shot : shots) {
        EXPECT_EQ(ReadPng(shot).width, 800) << shot;
        EXPECT_NE(r.output.find("Screenshot saved as " + shot), std::string::npos) << r.output;
    }
}

// A PNG whose chunks are whole but whose pixel data is no compressed stream:
// it passes the check at loading and fails only when decoded.
static std::string PngThatFailsToDecode(const std::string& file)
{
    std::string png = ReadWholeFile(file);
    size_t idat = png.find("IDAT");
    uint32_t length = (uint8_t)png[idat - 4] << 24 | (uint8_t)png[idat - 3] << 16 | (uint8_t)png[idat - 2] << 8 |
                      (uint8_t)png[idat - 1];
    png[idat + 4] = png[idat + 5] = 0;
    uint32_t crc = Crc32(0, (const uint8_t*)png.data() + idat, length + 4);
    for (int k = 0; k < 4; k++)
        png[idat + 4 + length + k] = (char)(crc >> (24 - 8 * k));
    return png;
}

TEST_F(RunnerFixture, APictureOrSoundThatFailsToDecodeWhenFirstUsedShowsAsAMissingOne)
{
    std::string missingShot = dir.path + "/missing.png", brokenShot = dir.path + "/broken.png";
    RunnerResult missing = RunSim(dir.path, {"--frames", "60", "--screenshot", missingShot});
    ASSERT_EQ(missing.exitCode, 0) << missing.output;
    ASSERT_TRUE(WritePng(dir.path + "/data/Gamin.png", 800, 590, 0xFF3060A0));
    dir.Write("data/Gamin.png", PngThatFailsToDecode(dir.path + "/data/Gamin.png"));
    dir.Write("sound/menu_music.mp3", "ID3" + std::string(300000, '\x55'));  // long enough to be streamed
    RunnerResult broken = RunSim(dir.path, {"--frames", "60", "--screenshot", brokenShot});
    ASSERT_EQ(broken.exitCode, 0) << broken.output;
    EXPECT_NE(broken.output.find("Can't load texture data/Gamin.png"), std::string::npos) << broken.output;
    EXPECT_EQ(ReadPng(brokenShot).pixels, ReadPng(missingShot).pixels) << "the splash";
    EXPECT_EQ(broken.dump.find("menu_music"), std::string::npos) << "a sound that cannot play is not played";
}
