// Where the game finds its data and where it writes: the search order of
// the working folder, the program's folder and an installed copy, the
// player's own folder of an installed game, and screenshot names.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "engine/folders.h"
#include "engine/paths.h"
#include "tests/support/temp_dir.h"

// Every test leaves the file folders as the program starts: the working
// folder for reading and writing.
struct FoldersFixture : ::testing::Test {
    TempDir dir;
    folder_search_struct search;
    void SetUp() override
    {
        search.workingFolder = dir.path + "/work";
        search.programFolder = dir.path + "/opt/bin";
        search.sharedFolders = {dir.path + "/opt/share/quarvel", dir.path + "/usr/share/quarvel"};
        search.home = dir.path + "/home";
        std::filesystem::create_directories(search.workingFolder);
    }
    void TearDown() override { SetFileFolders({""}, ""); }
    void GameDataIn(const std::string& folder) const { dir.Write(folder + "/data/tex.png", "png"); }
};

TEST_F(FoldersFixture, DataAreLookedForInTheWorkingFolderThenBesideTheProgramThenInstalled)
{
    GameDataIn("usr/share/quarvel");
    game_folders_struct f = FindGameFolders(search);
    EXPECT_EQ(f.data, dir.path + "/usr/share/quarvel");
    EXPECT_TRUE(f.installed);

    GameDataIn("opt/share/quarvel");
    EXPECT_EQ(FindGameFolders(search).data, dir.path + "/opt/share/quarvel");

    GameDataIn("opt/bin");
    f = FindGameFolders(search);
    EXPECT_EQ(f.data, dir.path + "/opt/bin");
    EXPECT_EQ(f.user, f.data);  // a copy unpacked anywhere keeps its save with it
    EXPECT_FALSE(f.installed);

    dir.Write("work/DATA/Tex.PNG", "png");  // letter case does not matter
    f = FindGameFolders(search);
    EXPECT_EQ(f.data, search.workingFolder);
    EXPECT_EQ(f.user, search.workingFolder);
    EXPECT_FALSE(f.installed);
}

TEST_F(FoldersFixture, WithNoDataAnywhereTheWorkingFolderIsUsed)
{
    dir.Write("opt/bin/data/other.png", "png");  // a data folder without the game's picture
    game_folders_struct f = FindGameFolders(search);
    EXPECT_EQ(f.data, search.workingFolder);
    EXPECT_FALSE(f.installed);
}

TEST_F(FoldersFixture, AnInstalledGameKeepsThePlayersFilesInTheXdgDataFolder)
{
    GameDataIn("usr/share/quarvel");
    EXPECT_EQ(FindGameFolders(search).user, dir.path + "/home/.local/share/quarvel");
    search.xdgDataHome = dir.path + "/xdg";
    EXPECT_EQ(FindGameFolders(search).user, dir.path + "/xdg/quarvel");
    search.xdgDataHome = "relative/xdg";  // not to be used
    EXPECT_EQ(FindGameFolders(search).user, dir.path + "/home/.local/share/quarvel");
}

// The installed data are read-only to the game: the save and the editor's
// storey go to the player's folder, and are read back from there first.
TEST_F(FoldersFixture, AnInstalledGameReadsThePlayersFolderFirstAndWritesOnlyThere)
{
    GameDataIn("usr/share/quarvel");
    dir.Write("usr/share/quarvel/data/temp.lvl", "shipped");
    game_folders_struct f = FindGameFolders(search);
    ASSERT_TRUE(UseGameFolders(f));
    ASSERT_TRUE(std::filesystem::is_directory(f.user + "/data"));

    EXPECT_EQ(ResolvePath("data/TEX.png"), f.data + "/data/tex.png");
    EXPECT_EQ(ResolvePath("Data/temp.lvl"), f.data + "/data/temp.lvl");
    EXPECT_EQ(ResolvePath("Data/save"), f.user + "/data/save");  // missing: where it would be written
    EXPECT_TRUE(WriteWholeFile("Data/temp.lvl", "edited"));
    EXPECT_EQ(ReadWholeFile(f.user + "/data/temp.lvl"), "edited");
    EXPECT_EQ(ReadWholeFile(f.data + "/data/temp.lvl"), "shipped");
    EXPECT_EQ(ResolvePath("data/temp.lvl"), f.user + "/data/temp.lvl");

    // Not even a path that names the installed copy outright.
    EXPECT_FALSE(WriteWholeFile(f.data + "/data/temp.lvl", "overwritten"));
    EXPECT_EQ(ReadWholeFile(f.data + "/data/temp.lvl"), "shipped");
}

// Started from inside its installation, the game once took it for a copy of
// its own and wrote its screenshots there.
TEST_F(FoldersFixture, AnInstallationCountsAsInstalledHoweverItIsFound)
{
    GameDataIn("usr/share/quarvel");
    {
        ChangeDir in(dir.path + "/usr/share/quarvel");
        search.workingFolder = "";
        game_folders_struct f = FindGameFolders(search);
        EXPECT_TRUE(f.installed);
        EXPECT_EQ(f.user, dir.path + "/home/.local/share/quarvel");
    }
    search.workingFolder = dir.path + "/work";
    std::filesystem::create_directories(dir.path + "/opt");
    std::filesystem::create_directory_symlink(dir.path + "/usr/share/quarvel", search.programFolder);
    EXPECT_TRUE(FindGameFolders(search).installed);
}

TEST_F(FoldersFixture, AGameInTheWorkingFolderWritesWhereItReads)
{
    dir.Write("work/data/tex.png", "png");
    ChangeDir in(search.workingFolder);
    search.workingFolder = "";
    ASSERT_TRUE(UseGameFolders(FindGameFolders(search)));
    EXPECT_EQ(ResolvePath("Data/tex.png"), "data/tex.png");
    EXPECT_TRUE(WriteWholeFile("Data/save", "x"));
    EXPECT_EQ(ReadWholeFile("data/save"), "x");
    EXPECT_FALSE(std::filesystem::exists(dir.path + "/home"));
}

TEST(ScreenshotNames, NeverRepeatWithinTheSameSecond)
{
    TempDir dir;
    std::tm when{};
    when.tm_year = 124;
    when.tm_mon = 4;
    when.tm_mday = 1;
    when.tm_hour = 18;
    when.tm_min = 30;
    when.tm_sec = 5;
    std::string first = UnusedScreenshotName(dir.path, when);
    EXPECT_EQ(first, dir.path + "/quarvel-2024-05-01-18-30-05.png");
    std::set<std::string> names;
    for (int i = 0; i < 4; i++) {
        std::string name = UnusedScreenshotName(dir.path, when);
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
        ASSERT_TRUE(WriteWholeFile(name, "png"));
    }
    EXPECT_TRUE(names.count(dir.path + "/quarvel-2024-05-01-18-30-05-4.png"));
    // A gap left by a deleted screenshot is used again, never a taken name.
    std::filesystem::remove(dir.path + "/quarvel-2024-05-01-18-30-05-2.png");
    EXPECT_EQ(UnusedScreenshotName(dir.path, when), dir.path + "/quarvel-2024-05-01-18-30-05-2.png");
}
