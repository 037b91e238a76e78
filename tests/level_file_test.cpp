// The two-character number code and the level files.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/cp1251.h"
#include "foes/enemies.h"
#include "player/movement.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_catalogue.h"
#include "world/level_file.h"
#include "world/number_code.h"
#include "world/player_state.h"
#include "world/storey.h"

TEST(NumberCode, KnownCodesAndTheWholeRange)
{
    FakeEngineScope fake;
    EXPECT_EQ(EncodeNumber(-5), "#(");
    EXPECT_EQ(EncodeNumber(-1), "'(");
    EXPECT_EQ(EncodeNumber(0), "((");
    EXPECT_EQ(EncodeNumber(40), "P(");
    EXPECT_EQ(EncodeNumber(70), "()");
    EXPECT_EQ(EncodeNumber(4899), "mm");
    EXPECT_EQ(DecodeNumber('#', '('), -5);
    for (int n = NumberCodeMin; n <= NumberCodeMax; n++) {
        std::string code = EncodeNumber(n);
        ASSERT_GE(code[0], '#');
        ASSERT_LE(code[1], 'm');
        ASSERT_EQ(DecodeNumber(code[0], code[1]), n);
    }
    CheckNumberCode();
    EXPECT_TRUE(fake.engine.messages.empty());
}

TEST(NumberCode, OutOfRangeIsReportedAndClampedToPrintableBytes)
{
    FakeEngineScope fake;
    EXPECT_EQ(EncodeNumber(5000), "mm");
    EXPECT_EQ(EncodeNumber(-36), "#(");  // unclamped it would hold a line break
    ASSERT_EQ(fake.engine.messages.size(), 2u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Число5000невозможно сериализовать"_cp));
    EXPECT_EQ(fake.engine.messages[1], std::string("Число-36невозможно сериализовать"_cp));
}

struct LevelFixture : ::testing::Test {
    FakeEngineScope fake;
    TempDir dir;
    ChangeDir in{dir.path};
    void SetUp() override
    {
        UseTestCatalogue();
        ResetStoreyGrid(2, 2);
        EnemyStarts.clear();
        Enemies.clear();
        Corpses.clear();
        PlayerStartX = PlayerStartY = 1;
        LiftX = LiftY = 1;
    }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        Enemies.clear();
        ForgetTestCatalogue();
    }
    std::string Level(const std::string& text) { return dir.Write("data/t.lvl", text); }
};

TEST_F(LevelFixture, WorkedExampleByteForByte)
{
    ResetStoreyGrid(2, 1);
    FloorMap = {0, 3};
    PlayerStartX = 0, PlayerStartY = 0;
    LiftX = 1, LiftY = 0;
    for (cell_struct& c : CardCell)
        c = {-1, -1};
    std::filesystem::create_directories("data");
    ASSERT_TRUE(SaveLevel("t.lvl"));
    const std::string expected = "*()(\r\n((+(\r\n\r\n((((\r\n)(((\r\n'('('('('('('('(\r\n\r\n";
    EXPECT_EQ(ReadWholeFile("data/t.lvl"), expected);
    ResetStoreyGrid(5, 5);
    ASSERT_TRUE(LoadLevel("t.lvl"));
    EXPECT_EQ(LevelWidth, 2);
    EXPECT_EQ(LevelHeight, 1);
    EXPECT_EQ(FloorMap, (std::vector<int>{0, 3}));
    EXPECT_EQ(LiftX, 1);
    EXPECT_EQ(CardHeld[CARD_BLUE], 1);
}

TEST_F(LevelFixture, ObjectsEnemiesAndCardsRoundTrip)
{
    ResetStoreyGrid(12, 9);
    AddObject(MakeObject(T_DOOR, 1), 3, 4, false);
    AddObject(MakeObject(T_SOFA, 2), 6, 6, false);
    EnemyStarts = {{15, 3, 1, 2, 4, 5, 7, 1}, {20, 8, 4, 3, 5, 10, 2, 2}};
    CardCell[CARD_LIFT] = {1, 1};
    CardCell[CARD_RED] = {-1, -1};
    CardCell[CARD_GREEN] = {11, 8};
    CardCell[CARD_BLUE] = {-1, -1};
    PlayerStartX = 2, PlayerStartY = 3;
    std::filesystem::create_directories("DATA");
    ASSERT_TRUE(SaveLevel("x.lvl"));  // "Data/" finds the folder whatever its case

    ResetStoreyGrid(1, 1);
    ASSERT_TRUE(LoadLevel("X.LVL"));
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[0].rotation, 1);
    EXPECT_EQ(DoorList, std::vector<int>{0});
    EXPECT_EQ(ObjectMap[CellIndex(8, 7)], 1);
    ASSERT_EQ(EnemyStarts.size(), 2u);
    EXPECT_EQ(EnemyStarts[1].lives, 20);
    EXPECT_EQ(EnemyStarts[1].legs_set, 10);
    EXPECT_EQ(EnemyStarts[1].weapon, 4);
    EXPECT_EQ(EnemyStarts[0].cell_x, 7);
    ASSERT_EQ(Enemies.size(), 2u);
    EXPECT_FLOAT_EQ(Enemies[0].x, 7.5f * 40);
    EXPECT_EQ(CardHeld[CARD_LIFT], 0);
    EXPECT_EQ(CardHeld[CARD_RED], 1);
    EXPECT_EQ(CardCell[CARD_GREEN].y, 8);
    EXPECT_FLOAT_EQ(PlayerX, 80);
    EXPECT_FLOAT_EQ(PlayerY, 120);
}

TEST_F(LevelFixture, ShortLinesKeepWhatTheyDoNotSupply)
{
    PlayerStartX = 3, PlayerStartY = 2;
    LiftX = 4, LiftY = 5;
    // A 3 x 1 storey, a floor line one pair short, an empty start line, a
    // card line of 15 characters and a lone CR at each line end.
    Level("+()(\r\n((()(\r\n\r\n\r\n\r\n)()()()()()()()\r\n");
    ASSERT_TRUE(LoadLevel("t.lvl"));
    EXPECT_EQ(FloorMap, (std::vector<int>{0, 70, -1}));
    EXPECT_EQ(PlayerStartX, 3);
    EXPECT_FLOAT_EQ(PlayerX, 120);
    EXPECT_EQ(LiftY, 5);
    for (int k = 0; k < CARD_COUNT; k++) {
        EXPECT_EQ(CardCell[k].x, -1);
        EXPECT_EQ(CardHeld[k], 1);
    }
}

TEST_F(LevelFixture, UnusableFilesLeaveTheStoreyAsItWas)
{
    ResetStoreyGrid(4, 3);
    AddObject(MakeObject(T_WALL, 0), 1, 1, false);
    EXPECT_FALSE(LoadLevel("missing.lvl"));
    Level("*(\n");
    EXPECT_FALSE(LoadLevel("t.lvl"));
    Level("((*(\n");  // width 0
    EXPECT_FALSE(LoadLevel("t.lvl"));
    std::filesystem::resize_file(Level("*(*(\n"), 3ull << 30);  // beyond the largest storey there can be
    EXPECT_FALSE(LoadLevel("t.lvl"));
    std::filesystem::remove(dir.path + "/data/t.lvl");
    std::filesystem::create_symlink("/dev/zero", dir.path + "/data/t.lvl");
    EXPECT_FALSE(LoadLevel("t.lvl"));
    EXPECT_EQ(LevelWidth, 4);
    EXPECT_EQ(Objects.size(), 1u);
    EXPECT_EQ(fake.engine.logs.size(), 5u);
}

TEST_F(LevelFixture, OutOfRangeValuesAreSkipped)
{
    // 2 x 2: five floor pairs (one too many); objects of type 99, type 99
    // again, a wall outside the grid and a wall inside; an enemy outside.
    auto codes = [](std::initializer_list<int> numbers) {
        std::string s;
        for (int n : numbers)
            s += EncodeNumber(n);
        return s;
    };
    std::string objects = codes({99, 0, 0, 0, 99, 1, 1, 0, T_WALL, 5, 0, 0, T_WALL, 1, 0, 0});
    std::string enemy = codes({0, 10, 0, 0, 0, 9, 0, 0});
    Level("*(*(\n((((((((((\n" + objects + "\n\n\n\n" + enemy + "\n");
    ASSERT_TRUE(LoadLevel("t.lvl"));
    EXPECT_EQ(FloorMap.size(), 4u);
    ASSERT_EQ(Objects.size(), 1u);
    EXPECT_EQ(Objects[0].cell_x, 1);
    EXPECT_TRUE(EnemyStarts.empty());
    EXPECT_EQ(fake.engine.logs.size(), 1u);  // one line for the unknown types
}

// A damaged temp.lvl once raised one error box per cell when the editor
// saved it again.
TEST_F(LevelFixture, NumbersBeyondTheCodeAreClampedWhenReadAndNamedOnceWhenWritten)
{
    Level("*(*(\n\x7f\x7f((((((\n");  // the first floor decodes to 6177
    ASSERT_TRUE(LoadLevel("t.lvl"));
    EXPECT_EQ(FloorMap[0], NumberCodeMax);
    EXPECT_EQ(fake.engine.logs.size(), 1u);
    for (int& f : FloorMap)
        f = 6000;
    EXPECT_TRUE(SaveLevel("t.lvl"));
    ASSERT_EQ(fake.engine.messages.size(), 1u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Число6000невозможно сериализовать"_cp));
}

TEST_F(LevelFixture, ALoadEndsTheEnemiesOfThePreviousStorey)
{
    Level("*(*(\n\n\n\n\n\n");
    Enemies.resize(3);
    Corpses.resize(2);
    Enemies[1].dead = 1;
    ASSERT_TRUE(LoadLevel("t.lvl"));
    EXPECT_TRUE(Enemies.empty());
    EXPECT_TRUE(Corpses.empty());
}
