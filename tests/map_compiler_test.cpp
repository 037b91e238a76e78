// Storey maps compiled into the storey, and the errors a level designer sees.
#include <gtest/gtest.h>

#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_catalogue.h"
#include "tools/levelc/map_compiler.h"
#include "world/level_file.h"
#include "world/storey.h"

struct MapFixture : ::testing::Test {
    FakeEngineScope fake;
    std::string error;
    void SetUp() override { UseTestCatalogue(); }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        EnemyStarts.clear();
        ForgetTestCatalogue();
    }
};

static const char Room[] =
    "# a small room\n"
    "size 8 5\n"
    "legend\n"
    "  . floor Tile\n"
    "  , floor Parquet\n"
    "  # object Wall\n"
    "  D object Door\n"
    "  d object Door 1\n"
    "  T object Desk\n"
    "  # a comment inside the legend\n"
    "  S start\n"
    "  L lift\n"
    "  r card red\n"
    "  5 enemy preset 5 alarm 12\n"
    "  a enemy legs 1 hands 2 head 3 weapon 1 lives 7\n"
    "floors\n"
    "........\n"
    ".,,.....\n"
    ".,,.....\n"
    "........\n"
    "\n"
    "objects\n"
    "########\n"
    "D TTTT #\n"
    "D      #\n"
    "       #\n"
    "###dd###\n"
    "marks\n"
    "\n"
    " S   5 \n"
    "  r  a \n"
    "     L\n"
    "\n";

TEST_F(MapFixture, BuildsTheStoreyFromItsGrids)
{
    ASSERT_TRUE(CompileMap(Room, &error)) << error;
    EXPECT_EQ(LevelWidth, 8);
    EXPECT_EQ(LevelHeight, 5);
    EXPECT_EQ(FloorMap[CellIndex(1, 1)], F_PARQUET);
    EXPECT_EQ(FloorMap[CellIndex(2, 2)], -1);  // covered by the parquet's 2 x 2 picture
    EXPECT_EQ(FloorMap[CellIndex(0, 4)], -1);   // an empty row
    EXPECT_EQ(FloorMap[CellIndex(7, 3)], F_TILE);
    // 8 + 1 + 1 + 1 walls on the right + ... counted by type below
    int walls = 0, doors = 0, desks = 0;
    for (const object_struct& o : Objects) {
        walls += o.type == T_WALL;
        doors += o.is_door;
        desks += o.type == T_DESK;
    }
    EXPECT_EQ(walls, 8 + 3 + 6);
    EXPECT_EQ(doors, 2);
    EXPECT_EQ(desks, 2);  // TTTT is two 2 x 1 desks side by side
    EXPECT_EQ(Objects[ObjectMap[CellIndex(4, 4)]].rotation, 1);
    EXPECT_EQ(DoorList.size(), 2u);
    EXPECT_EQ(PlayerStartX, 1);
    EXPECT_EQ(PlayerStartY, 1);
    EXPECT_EQ(LiftX, 5);
    EXPECT_EQ(LiftY, 3);
    EXPECT_EQ(CardCell[CARD_RED].x, 2);
    EXPECT_EQ(CardCell[CARD_BLUE].x, -1);
    ASSERT_EQ(EnemyStarts.size(), 2u);
    const enemy_start_struct& trooper = EnemyStarts[0];
    EXPECT_EQ(trooper.legs_set, 2);
    EXPECT_EQ(trooper.hands_set, 3);
    EXPECT_EQ(trooper.head_set, 5);
    EXPECT_EQ(trooper.weapon, 4);
    EXPECT_EQ(trooper.alarm, 12);
    EXPECT_EQ(trooper.lives, 20);
    EXPECT_EQ(EnemyStarts[1].lives, 7);
    EXPECT_EQ(EnemyStarts[1].cell_y, 2);
}

TEST_F(MapFixture, CompiledSavedAndLoadedAgainIsTheSameStorey)
{
    TempDir dir;
    ASSERT_TRUE(CompileMap(Room, &error)) << error;
    std::vector<int> floors = FloorMap, objects = ObjectMap;
    size_t count = Objects.size();
    std::string path = dir.path + "/room.lvl";
    ASSERT_TRUE(WriteLevelFile(path));
    ResetStoreyGrid(2, 2);
    ASSERT_TRUE(ReadLevelFile(path));
    EXPECT_EQ(FloorMap, floors);
    EXPECT_EQ(ObjectMap, objects);
    EXPECT_EQ(Objects.size(), count);
    EXPECT_EQ(EnemyStarts.size(), 2u);
    EXPECT_EQ(CardCell[CARD_RED].y, 2);
}

static std::string WithObjects(const char* row1, const char* row2 = "")
{
    return std::string("size 4 2\nlegend\n. floor Tile\nT object Desk\nD object Door\n# object Wall\nS start\nL lift\n"
                       "floors\n....\n....\nobjects\n") +
           row1 + "\n" + row2 + "\nmarks\nSL\n\n";
}

TEST_F(MapFixture, ErrorsNameTheLineAndColumn)
{
    EXPECT_FALSE(CompileMap(WithObjects("   T"), &error));
    EXPECT_EQ(error, "line 13, column 4: the footprint of 'T' (2 x 1) leaves the storey");
    EXPECT_FALSE(CompileMap(WithObjects("D  ", "#"), &error));
    EXPECT_EQ(error, "line 14, column 1: 'D' placed at line 13, column 1 overlaps another item here");
    EXPECT_FALSE(CompileMap(WithObjects(" TTT"), &error));
    EXPECT_EQ(error, "line 13, column 4: the footprint of 'T' (2 x 1) leaves the storey");
    EXPECT_FALSE(CompileMap(WithObjects("  x"), &error));
    EXPECT_EQ(error, "line 13, column 3: 'x' is not an object in the legend");
    EXPECT_FALSE(CompileMap(WithObjects("     "), &error));
    EXPECT_EQ(error, "line 13, column 5: the row is wider than the storey");

    EXPECT_FALSE(CompileMap("size 2 1\nlegend\n. floor Carpet\n", &error));
    EXPECT_EQ(error, "line 3, column 1: no floor type named 'Carpet'");
    EXPECT_FALSE(CompileMap("size 2 1\nlegend\nT object Desk 5\n", &error));
    EXPECT_EQ(error, "line 3, column 1: a rotation is 0, 1, 2 or 3 quarter turns");
    EXPECT_FALSE(CompileMap("size 2 1\nlegend\nT object Desk\nT object Wall\n", &error));
    EXPECT_EQ(error, "line 4, column 1: 'T' is already in the legend (line 3)");
    EXPECT_FALSE(CompileMap("size 2 1\nfloors\n..\nobjects\n\nmarks\n\n", &error));
    EXPECT_EQ(error, "line 3, column 1: '.' is not a floor in the legend");
    EXPECT_FALSE(CompileMap("size 2 2\nlegend\nS start\nfloors\n\n\nobjects\n\n\nmarks\nS\n\n", &error));
    EXPECT_EQ(error, "the marks grid needs a lift");
    EXPECT_FALSE(CompileMap("size 2 2\nwalls\n", &error));
    EXPECT_EQ(error, "line 2, column 1: what is 'walls'?");
}

TEST_F(MapFixture, AnyLetterCanStandForAnItem)
{
    ASSERT_TRUE(CompileMap("size 3 1\nlegend\né object Desk\nЖ object Lamp\n· floor Tile\nS start\nL lift\n"
                           "floors\n···\nobjects\nééЖ\nmarks\nSL\n",
                           &error))
        << error;
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[1].type, T_LAMP);
    EXPECT_EQ(Objects[1].cell_x, 2);
    EXPECT_FALSE(CompileMap("size 3 1\nlegend\nЖ object Lamp\nfloors\n\nobjects\n ЖЖЖ\nmarks\n\n", &error));
    EXPECT_EQ(error, "line 7, column 4: the row is wider than the storey");
    EXPECT_FALSE(CompileMap("size 3 1\nlegend\nЖ object Lamp\nfloors\n\nobjects\n Ф\nmarks\n\n", &error));
    EXPECT_EQ(error, "line 7, column 2: 'Ф' is not an object in the legend");
}
