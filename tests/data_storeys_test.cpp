// The campaign's ten storeys as shipped, walked through with the game's own
// movement, doors and cards along the storey checker's route: from the start,
// taking every card, into the lift area.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "editor/storey_check.h"
#include "player/doors.h"
#include "player/movement.h"
#include "player/sight.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey.h"

namespace {

struct ShippedStoreys : ::testing::TestWithParam<int> {
    FakeEngineScope fake;
    ChangeDir in{QUARVEL_SOURCE_DIR};

    void SetUp() override
    {
        ClearAtlasProject();
        TextureRegistry.clear();
        ObjectTypes.clear();
        FloorTypes.clear();
        LoadCatalogue();
        SetZoom(false);
        Crouching = 0;
    }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        EnemyStarts.clear();
        ReleaseCatalogueAnimations();
        TextureRegistry.clear();
        ObjectTypes.clear();
        FloorTypes.clear();
    }

    // Holds the keys of the axes on which the corner is still more than two
    // pixels away and aims far ahead along the way, so that he walks forwards.
    void SteerTo(float x, float y)
    {
        float dx = x - PlayerX, dy = y - PlayerY;
        bool* held = fake.engine.held;
        held['D'] = dx > 2, held['A'] = dx < -2, held['S'] = dy > 2, held['W'] = dy < -2;
        float length = std::hypot(dx, dy);
        if (length > 1) {
            AimX = PlayerX + dx / length * 200;
            AimY = PlayerY + dy / length * 200;
        }
    }
    // The player's part of a play frame that walking needs.
    void PlayFrame(float dt)
    {
        MovePlayer(dt);
        UpdateLightMap();
        PlayerHoldsDoor();
        UpdateDoors(dt);
        PickUpCards();
    }
};

}  // namespace

TEST_P(ShippedStoreys, WalkFromTheStartPastEveryCardIntoTheLift)
{
    const std::string file = "data/" + std::to_string(GetParam()) + ".lvl";
    ASSERT_TRUE(ReadLevelFile(file)) << file;
    std::vector<cell_struct> route = StoreyRoute(WalkStorey());
    ASSERT_FALSE(route.empty()) << file << " cannot be finished";

    PlayerX = (float)(PlayerStartX * CellWidth);
    PlayerY = (float)(PlayerStartY * CellHeight);
    AimX = PlayerX + 200, AimY = PlayerY;
    const float dt = 1.0f / 60;
    const int limit = 60 * 300;
    auto reached = [&](size_t n) {
        return std::fabs(PlayerX - route[n].x * CellWidth) <= 3 && std::fabs(PlayerY - route[n].y * CellHeight) <= 3;
    };
    size_t next = 1;
    int frame = 0;
    for (; frame < limit && next < route.size(); frame++) {
        SteerTo((float)(route[next].x * CellWidth), (float)(route[next].y * CellHeight));
        PlayFrame(dt);
        while (next < route.size() && reached(next))
            next++;
    }
    EXPECT_EQ(next, route.size()) << file << ": stuck near corner " << route[next].x << ", " << route[next].y
                                  << " at " << PlayerX << ", " << PlayerY;
    for (int k = 0; k < CARD_COUNT; k++)
        EXPECT_TRUE(CardHeld[k]) << file << ": the " << CardNames[k] << " card was not taken";
    int cx = (int)PlayerX / CellWidth, cy = (int)PlayerY / CellHeight;
    EXPECT_TRUE(cx >= LiftX - 1 && cx <= LiftX + 2 && cy >= LiftY - 1 && cy <= LiftY + 2) << file;
    RecordProperty("walk_seconds", std::to_string(frame * dt));
}

INSTANTIATE_TEST_SUITE_P(Campaign, ShippedStoreys, ::testing::Range(1, 11));
