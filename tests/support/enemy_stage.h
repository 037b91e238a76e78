// A bare storey for the enemies' tests: the test catalogue, an empty grid,
// one set of looping person animations (4 frames at 10 per second), the
// player standing unarmed in a given cell and nothing lit.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/fake_engine.h"

struct EnemyStage : ::testing::Test {
    FakeEngineScope fake;
    void SetUp() override;
    void TearDown() override;

    // Sizes the grid (everything empty and dark) and puts the player at
    // the centre of cell (x, y).
    void Storey(int width, int height, int playerX, int playerY);
    void PlacePlayer(int x, int y);
    void Wall(int x, int y);
    // Walls down column x from row y0 to row y1.
    void WallColumn(int x, int y0, int y1);
    // A door (1 x 2, upright) with its anchor at (x, y), in the given state.
    int Door(int x, int y, int state);
    void Light(int x, int y);
    // A new enemy at the centre of cell (x, y); returns its index.
    int Enemy(int x, int y, int weapon, int alarm, int health = 10);
    // Plays n frames of the enemies' pass.
    void Frames(int n, float dt = 1.0f / 60);
};
