// The storey checker's rules on small made-up storeys: walking to the cards
// and the lift, sound doors, cards and enemy starts, floors underfoot,
// uniforms, and the points a campaign offers against what its shop sells.
#include <gtest/gtest.h>

#include "editor/storey_check.h"
#include "tests/support/fake_engine.h"
#include "tests/support/test_catalogue.h"
#include "tools/levelc/map_compiler.h"
#include "world/storey.h"

namespace {

struct StoreyCheck : ::testing::Test {
    FakeEngineScope fake;
    void SetUp() override { UseTestCatalogue(); }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        EnemyStarts.clear();
        ForgetTestCatalogue();
    }
    void Compile(const std::string& map)
    {
        std::string error;
        ASSERT_TRUE(CompileMap(map, &error)) << error;
    }
    static bool Mentions(const std::string& fault, const std::string& what)
    {
        return fault.find(what) != std::string::npos;
    }
    static bool Mentions(const std::vector<std::string>& faults, const std::string& what)
    {
        for (const std::string& f : faults)
            if (Mentions(f, what))
                return true;
        return false;
    }
    static bool Mentions(const std::vector<storey_fault_struct>& faults, const std::string& what)
    {
        return Mentions(FaultTexts(faults), what);
    }
};

const char Legend[] =
    "legend\n"
    "  . floor Tile\n"
    "  , floor Parquet\n"
    "  # object Wall\n"
    "  D object Door\n"
    "  d object Door 1\n"
    "  R object RedDoor\n"
    "  T object Desk\n"
    "  s object Sofa\n"
    "  b object Broken\n"
    "  o object Lamp\n"
    "  S start\n"
    "  L lift\n"
    "  l card lift\n"
    "  r card red\n"
    "  e enemy preset 1\n";

// Two rooms with a red door between them; the lift and its card lie in the
// right-hand room.
std::string TwoRooms(const std::string& marks)
{
    return std::string("size 13 7\n") + Legend +
           "floors\n"
           ".............\n.............\n.............\n.............\n"
           ".............\n.............\n.............\n"
           "objects\n"
           "#############\n"
           "#     #     #\n"
           "#     R     #\n"
           "#     R     #\n"
           "#     #     #\n"
           "#     #     #\n"
           "#############\n"
           "marks\n" +
           marks;
}

}  // namespace

TEST_F(StoreyCheck, TheRedCardOpensTheWayToTheLift)
{
    Compile(TwoRooms("\n"
                     "          l\n"
                     "  S\n"
                     "         L\n"
                     "\n"
                     "    r\n"
                     "\n"));
    CardHeld[CARD_RED] = 0;
    storey_walk_struct walk = WalkStorey();
    EXPECT_TRUE(walk.startFree);
    EXPECT_EQ(walk.cardOrder, (std::vector<int>{CARD_RED, CARD_LIFT}));
    EXPECT_TRUE(walk.liftReached);
    EXPECT_TRUE(CheckFinish(walk).empty());
    EXPECT_TRUE(CheckDoors().empty());
    EXPECT_TRUE(CheckCardsAndLift().empty());
    // The walk leaves the storey's own state as the game loaded it.
    EXPECT_EQ(CardHeld[CARD_RED], 0);
    EXPECT_GE(CardCell[CARD_RED].x, 0);
}

TEST_F(StoreyCheck, ACardBehindItsOwnDoorIsNeverFound)
{
    Compile(TwoRooms("\n"
                     "          l\n"
                     "  S\n"
                     "         L\n"
                     "\n"
                     "          r\n"
                     "\n"));
    storey_walk_struct walk = WalkStorey();
    EXPECT_TRUE(walk.cardOrder.empty());
    EXPECT_FALSE(walk.liftReached);
    std::vector<storey_fault_struct> faults = CheckFinish(walk);
    EXPECT_TRUE(Mentions(faults, "red card"));
    EXPECT_TRUE(Mentions(faults, "lift card"));
    // Nothing behind the red door was reached.
    EXPECT_FALSE(walk.reached[CellIndex(9, 3)]);
}

TEST_F(StoreyCheck, ThePlayerNeedsTwoCellsToPassAndRoomAtTheStart)
{
    // A one-cell gap in the wall at row 3 is narrower than the player.
    std::string map = std::string("size 12 7\n") + Legend +
                      "floors\n"
                      "............\n............\n............\n............\n"
                      "............\n............\n............\n"
                      "objects\n"
                      "############\n"
                      "#    #     #\n"
                      "#    #     #\n"
                      "#          #\n"
                      "#    #     #\n"
                      "#    #     #\n"
                      "############\n"
                      "marks\n"
                      "\n\n  S      L\n\n\n\n\n";
    Compile(map);
    storey_walk_struct walk = WalkStorey();
    EXPECT_TRUE(walk.reached[CellIndex(4, 3)]);
    EXPECT_FALSE(walk.reached[CellIndex(7, 3)]);
    EXPECT_TRUE(Mentions(CheckFinish(walk), "the lift"));

    // A start in a corner of the room leaves half the player in the wall.
    PlayerStartX = 1;
    PlayerStartY = 1;
    walk = WalkStorey();
    EXPECT_FALSE(walk.startFree);
    EXPECT_TRUE(Mentions(CheckFinish(walk), "no room for the player"));
}

TEST_F(StoreyCheck, DoorsNeedFreeSidesAndADoorwayOfTheirOwn)
{
    ResetStoreyGrid(12, 8);
    AddObject(MakeObject(T_WALL, 0), 1, 5, false);
    AddObject(MakeObject(T_DOOR, 0), 2, 5, false);  // the wall on its left
    AddObject(MakeObject(T_DOOR, 0), 6, 1, false);  // sound until the next one
    AddObject(MakeObject(T_DOOR, 1), 7, 4, false);  // its zone takes over cells beside the one above
    std::vector<storey_fault_struct> faults = CheckDoors();
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_TRUE(Mentions(faults, "Door at 2, 5 is blocked on one side at 1, 5"));
    EXPECT_TRUE(Mentions(faults, "Door at 6, 1 shares its doorway"));

    // A door type the player never opens.
    ResetStoreyGrid(12, 8);
    ObjectTypes[T_DOOR].name = "SteelDoor";
    AddObject(MakeObject(T_DOOR, 0), 6, 1, false);
    EXPECT_TRUE(Mentions(CheckDoors(), "never opens for the player"));
    ObjectTypes[T_DOOR].name = "Door";
}

TEST_F(StoreyCheck, CardsLieFreeAndMatchTheDoorsAndTheLift)
{
    Compile(TwoRooms("\n"
                     "          l\n"
                     "  S\n"
                     "         L\n"
                     "\n"
                     "    r\n"
                     "\n"));
    CardCell[CARD_RED] = {-1, -1};
    CardCell[CARD_LIFT] = {0, 0};  // inside the wall
    std::vector<storey_fault_struct> faults = CheckCardsAndLift();
    EXPECT_TRUE(Mentions(faults, "RedDoor doors open for anyone"));
    EXPECT_TRUE(Mentions(faults, "lift card at 0, 0 lies off the storey or under something"));

    CardCell[CARD_LIFT] = {-1, -1};
    LiftX = LevelWidth - 1;
    faults = CheckCardsAndLift();
    EXPECT_TRUE(Mentions(faults, "no lift card"));
    EXPECT_TRUE(Mentions(faults, "lift at 12, 3 is off the storey"));

    // A card with no door of its colour.
    ResetStoreyGrid(12, 8);
    LiftX = 5;
    CardCell[CARD_LIFT] = {3, 3};
    CardCell[CARD_RED] = {4, 4};
    faults = CheckCardsAndLift();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults, "red card opens nothing"));
}

TEST_F(StoreyCheck, EnemiesStartOnFreeCellsInsideTheFrameAwayFromThePlayer)
{
    ResetStoreyGrid(12, 12);
    AddObject(MakeObject(T_WALL, 0), 5, 5, false);
    PlayerStartX = 2;
    PlayerStartY = 2;
    auto enemyAt = [](int x, int y) { return enemy_start_struct{10, 0, 0, 0, 0, 0, x, y}; };
    EnemyStarts = {enemyAt(8, 8), enemyAt(5, 5), enemyAt(0, 6), enemyAt(9, 6), enemyAt(10, 6),
                   enemyAt(6, 10),  enemyAt(4, 4), enemyAt(12, 3)};
    std::vector<storey_fault_struct> faults = CheckEnemyStarts();
    EXPECT_EQ(faults.size(), 6u);
    EXPECT_FALSE(Mentions(faults, "8, 8"));
    EXPECT_FALSE(Mentions(faults, "9, 6"));  // the last column an enemy may walk in
    EXPECT_TRUE(Mentions(faults, "5, 5 stands inside Wall"));
    EXPECT_TRUE(Mentions(faults, "0, 6 stands in the storey's outer frame"));
    EXPECT_TRUE(Mentions(faults, "10, 6 stands in the storey's outer frame"));
    EXPECT_TRUE(Mentions(faults, "6, 10 stands in the storey's outer frame"));
    EXPECT_TRUE(Mentions(faults, "4, 4 stands next to the player's start"));
    EXPECT_TRUE(Mentions(faults, "12, 3 is off the storey"));
}

TEST_F(StoreyCheck, EveryReachedCellShowsAFloor)
{
    // The parquet covers 2 x 2 cells from its top-left one; one tile is missing.
    std::string map = std::string("size 8 6\n") + Legend +
                      "floors\n"
                      "........\n"
                      ".,,,,...\n"
                      ".,,,,...\n"
                      "..... ..\n"
                      "........\n"
                      "........\n"
                      "objects\n"
                      "########\n#      #\n#      #\n#      #\n#      #\n########\n"
                      "marks\n"
                      "\n\n  S  L\n\n\n\n";
    Compile(map);
    std::vector<storey_fault_struct> faults = CheckFloorsUnderfoot(WalkStorey());
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Mentions(faults, "reached cells without a floor: 1,"));
    EXPECT_TRUE(Mentions(faults, "at 5, 3"));
}

TEST_F(StoreyCheck, UniformsStandOutFromTheirFloors)
{
    FloorTypes.push_back({"CarpetGreen", nullptr, 1, 1});
    ResetStoreyGrid(10, 10);
    EnemyStarts = {{20, 8, 4, 3, 5, 2, 5, 5}};  // the assault team's outfit
    EXPECT_TRUE(CheckUniformsStandOut().empty());
    FloorMap[CellIndex(7, 7)] = (int)FloorTypes.size() - 1;
    EXPECT_TRUE(Mentions(CheckUniformsStandOut(), "CarpetGreen"));
    EnemyStarts[0].hands_set = 1;  // police
    EXPECT_TRUE(CheckUniformsStandOut().empty());
}

TEST_F(StoreyCheck, PointsCountWhatThePlayerCanGetAt)
{
    // The room on the left: a desk (3), a sofa (2; its rug is not furniture),
    // a lamp (2), an object whose remains the catalogue lacks (1) and an
    // enemy (1). The sealed room on the right offers nothing.
    std::string map = std::string("size 16 8\n") + Legend +
                      "floors\n"
                      "................\n................\n................\n................\n"
                      "................\n................\n................\n................\n"
                      "objects\n"
                      "################\n"
                      "#TT    o #     #\n"
                      "#        #  TT #\n"
                      "#  sss   #     #\n"
                      "#  sss  b#     #\n"
                      "#        #     #\n"
                      "#        #     #\n"
                      "################\n"
                      "marks\n"
                      "\n\n\n\n\n  S  e L\n             e\n\n";
    Compile(map);
    EXPECT_EQ(StoreyBonusPoints(WalkStorey()), 3 + 2 + 2 + 1 + 1);
}

TEST_F(StoreyCheck, TheCampaignPaysForItsShopStoreyByStorey)
{
    std::vector<int> needs = NeedsByStorey(10);
    ASSERT_EQ(needs.size(), 11u);
    EXPECT_EQ(needs[1], 0);
    // The rifle and its magazine are bought before storey 7.
    EXPECT_GE(needs[7] - needs[6], 240);

    // Storey 1 alone pays for everything up to storey 6, nothing after it
    // adds a point: the shortfall shows first before storey 7.
    std::vector<int> points(10, 0);
    points[0] = (needs[6] * 100 + ThoroughPercent - 1) / ThoroughPercent;
    std::vector<std::string> faults = CheckCampaignBudget(points);
    ASSERT_FALSE(faults.empty());
    EXPECT_TRUE(Mentions(faults[0], "storey 7 needs"));
    EXPECT_TRUE(Mentions(faults[0], "storeys 1 to 6"));

    // Enough on storey 6 mends it up to storey 7.
    points[5] = (needs[7] * 100 + ThoroughPercent - 1) / ThoroughPercent;
    faults = CheckCampaignBudget(points);
    ASSERT_FALSE(faults.empty());
    EXPECT_FALSE(Mentions(faults, "storey 7 needs"));

    std::fill(points.begin(), points.end(), 200);
    EXPECT_TRUE(CheckCampaignBudget(points).empty());
}
