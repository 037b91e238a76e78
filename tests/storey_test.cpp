// The storey's objects: placing, removing and breaking them, their
// footprints, door zones and walkability.
#include <gtest/gtest.h>

#include "engine/cp1251.h"
#include "tests/support/fake_engine.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

struct StoreyFixture : ::testing::Test {
    FakeEngineScope fake;
    void SetUp() override
    {
        UseTestCatalogue();
        ResetStoreyGrid(10, 8);
        StruckObject = -1;
        BonusPoints = 0;
    }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    int At(const std::vector<int>& map, int x, int y) { return map[CellIndex(x, y)]; }
};

TEST_F(StoreyFixture, MakeObjectSetsOffsetsForEveryRotation)
{
    const int expected[5][2] = {{0, 0}, {2, 0}, {3, 2}, {0, 3}, {0, 0}};
    for (int r = 0; r < 5; r++) {
        object_struct o = MakeObject(T_SOFA, r);
        EXPECT_EQ(o.rotation, r % 4);
        EXPECT_EQ(o.offset_x, expected[r][0]) << "rotation " << r;
        EXPECT_EQ(o.offset_y, expected[r][1]) << "rotation " << r;
        EXPECT_EQ(o.hp, 30);
        EXPECT_EQ(o.is_door, 0);
        EXPECT_EQ(o.anim, nullptr);
    }
    EXPECT_EQ(MakeObject(T_SOFA, -1).rotation, 3);
    object_struct door = MakeObject(T_DOOR, 0);
    EXPECT_EQ(door.is_door, 1);
    EXPECT_EQ(door.door_state, DOOR_CLOSED);
    ASSERT_NE(door.anim, nullptr);
    EXPECT_EQ(door.anim->GetFrame(), 0);
    EXPECT_EQ(door.anim->GetMode(), HGEANIM_FWD);
}

TEST_F(StoreyFixture, AddObjectFillsTheTurnedFootprintAndTheDoorZone)
{
    AddObject(MakeObject(T_SOFA, 1), 1, 1, false);  // 3 x 2 turned: 2 wide, 3 high
    EXPECT_EQ(At(ObjectMap, 1, 1), 0);
    EXPECT_EQ(At(ObjectMap, 2, 3), 0);
    EXPECT_EQ(At(ObjectMap, 3, 1), -1);
    EXPECT_EQ(At(ObjectMap, 1, 4), -1);
    AddObject(MakeObject(T_DOOR, 0), 1, 6, false);  // upright door on the last two rows
    EXPECT_EQ(DoorList, std::vector<int>{1});
    for (int x = 0; x <= 3; x++) {
        EXPECT_EQ(At(DoorZoneMap, x, 6), 1);
        EXPECT_EQ(At(DoorZoneMap, x, 7), 1);
    }
    EXPECT_EQ(At(DoorZoneMap, 4, 6), -1);
    AddObject(MakeObject(T_DOOR, 1), 5, 7, false);  // lying door on the bottom row
    EXPECT_EQ(At(DoorZoneMap, 5, 5), 2);
    EXPECT_EQ(At(DoorZoneMap, 6, 7), 2);
    EXPECT_EQ(At(ObjectMap, 6, 7), 2);
    EXPECT_EQ(At(DoorZoneMap, 7, 7), -1);
    // Footprints are clipped at the grid's edge.
    AddObject(MakeObject(T_DESK, 0), 9, 0, false);
    EXPECT_EQ(At(ObjectMap, 9, 0), 3);
}

TEST_F(StoreyFixture, MarkedObjectsAreRemovedBeforeANewOneGoesIn)
{
    AddObject(MakeObject(T_WALL, 0), 0, 0, false);
    AddObject(MakeObject(T_WALL, 0), 1, 0, false);
    AddObject(MakeObject(T_WALL, 0), 2, 0, false);
    Objects[0].marked = Objects[1].marked = 1;
    AddObject(MakeObject(T_DESK, 0), 0, 0, true);
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[0].cell_x, 2);
    EXPECT_EQ(At(ObjectMap, 0, 0), 1);
    EXPECT_EQ(At(ObjectMap, 1, 0), 1);
    EXPECT_EQ(At(ObjectMap, 2, 0), 0);
    object_struct refused = MakeObject(T_WALL, 0);
    refused.marked = 1;
    AddObject(std::move(refused), 5, 5, false);
    EXPECT_EQ(Objects.size(), 2u);
}

TEST_F(StoreyFixture, RemovingRenumbersEveryStoredIndex)
{
    AddObject(MakeObject(T_DOOR, 0), 2, 0, false);   // 0
    AddObject(MakeObject(T_DESK, 0), 5, 4, false);   // 1
    AddObject(MakeObject(T_DOOR, 0), 8, 4, false);   // 2
    StruckObject = 1;
    RemoveObject(0);
    EXPECT_EQ(DoorList, std::vector<int>{1});
    EXPECT_EQ(At(ObjectMap, 2, 0), -1);
    EXPECT_EQ(At(DoorZoneMap, 0, 0), -1);
    EXPECT_EQ(At(ObjectMap, 5, 4), 0);
    EXPECT_EQ(At(ObjectMap, 8, 5), 1);
    EXPECT_EQ(At(DoorZoneMap, 6, 4), 1);
    EXPECT_EQ(StruckObject, 0);
    EXPECT_EQ(Objects[1].type, T_DOOR);
    RemoveObject(0);
    EXPECT_EQ(StruckObject, -1);
    RemoveObject(0);
    EXPECT_TRUE(DoorList.empty());
    EXPECT_EQ(At(DoorZoneMap, 6, 4), -1);
    RemoveObject(5);  // no such object: nothing happens
}

TEST_F(StoreyFixture, BreakingEarnsTheBonusAndLeavesRemains)
{
    AddObject(MakeObject(T_LAMP, 0), 0, 0, false);
    AddObject(MakeObject(T_SOFA, 0), 3, 3, false);   // 3 x 2 at 3..5 x 3..4
    AddObject(MakeObject(T_WALL, 0), 9, 9 - 2, false);
    BreakObject(0);
    EXPECT_EQ(BonusPoints, 2);
    EXPECT_EQ(At(ObjectMap, 0, 0), -1);
    BreakObject(0);  // the sofa turns into a 2 x 2 rug from the same corner
    EXPECT_EQ(BonusPoints, 4);
    ASSERT_EQ(Objects.size(), 2u);
    EXPECT_EQ(Objects[1].type, T_RUG);
    EXPECT_EQ(Objects[1].cell_x, 3);
    EXPECT_EQ(At(ObjectMap, 4, 4), 1);
    EXPECT_EQ(At(ObjectMap, 5, 3), -1);
    EXPECT_EQ(At(ObjectMap, 5, 4), -1);
    EXPECT_EQ(At(ObjectMap, 9, 7), 0);
}

TEST_F(StoreyFixture, BreakingIntoAMissingTypeComplainsAndChangesNothing)
{
    AddObject(MakeObject(T_BROKEN, 0), 1, 1, false);
    BreakObject(0);
    BreakObject(0);
    ASSERT_EQ(fake.engine.messages.size(), 2u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Нет объекта Nothing"_cp));
    EXPECT_EQ(Objects.size(), 1u);
    EXPECT_EQ(BonusPoints, 0);
}

TEST_F(StoreyFixture, WalkabilityByKindAndDoorState)
{
    int types[] = {T_WALL, T_DESK, T_DESK_WRECK, T_SAFE, T_BROKEN};
    bool walkable[] = {false, false, true, false, false};
    for (int i = 0; i < 5; i++)
        AddObject(MakeObject(types[i], 0), i * 2, 0, false);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(IsCellWalkable(CellIndex(i * 2, 0)), walkable[i]) << "type " << types[i];
    EXPECT_TRUE(IsCellWalkable(CellIndex(0, 5)));
    AddObject(MakeObject(T_DOOR, 0), 0, 3, false);
    object_struct& door = Objects.back();
    for (int state = DOOR_CLOSED; state <= DOOR_HELD; state++) {
        door.door_state = state;
        EXPECT_EQ(IsCellWalkable(CellIndex(0, 4)), state >= DOOR_OPEN) << "state " << state;
    }
    EXPECT_FALSE(IsCellWalkable(-1));
    EXPECT_FALSE(IsCellWalkable(10 * 8));
}

TEST_F(StoreyFixture, OnlyFurnitureCanBeStruck)
{
    AddObject(MakeObject(T_DESK, 0), 0, 0, false);
    AddObject(MakeObject(T_BROKEN, 0), 3, 0, false);
    AddObject(MakeObject(T_SAFE, 0), 4, 0, false);
    AddObject(MakeObject(T_WALL, 0), 5, 0, false);
    EXPECT_EQ(StruckObjectAt(1, 0), 0);
    EXPECT_EQ(StruckObjectAt(3, 0), 1);
    EXPECT_EQ(StruckObjectAt(4, 0), -1);
    EXPECT_EQ(StruckObjectAt(5, 0), -1);
    EXPECT_EQ(StruckObjectAt(6, 0), -1);
    EXPECT_EQ(StruckObjectAt(-1, 0), -1);
}
