// Enemy records: creation from a start and the passage from dying to corpse.
#include <gtest/gtest.h>

#include <cmath>

#include "foes/enemies.h"
#include "tests/support/fake_engine.h"
#include "world/storey.h"

TEST(Enemies, CreatedStandingAtTheCellCentreFacingAtRandom)
{
    FakeEngineScope fake;
    Enemies.clear();
    fake.engine.randomFloats = {1.25f};
    CreateEnemy(3, 7, 15, 4, 2, 1, 2, 6);
    ASSERT_EQ(Enemies.size(), 1u);
    const enemy_struct& e = Enemies[0];
    EXPECT_FLOAT_EQ(e.x, 140);
    EXPECT_FLOAT_EQ(e.y, 300);
    EXPECT_FLOAT_EQ(e.angle, 1.25f);
    EXPECT_FLOAT_EQ(e.target_angle, 1.25f);
    EXPECT_EQ(e.cell_x, 3);
    EXPECT_EQ(e.target_y, 7);
    EXPECT_EQ(e.health, 15);
    EXPECT_EQ(e.alarm, 4);
    EXPECT_EQ(e.weapon, 2);
    EXPECT_EQ(e.legs_set, 1);
    EXPECT_EQ(e.hands_set, 2);
    EXPECT_EQ(e.head_set, 6);
    EXPECT_EQ(e.state, ES_IDLE);
    EXPECT_EQ(e.timer, 0);
    EXPECT_EQ(e.contact, 0);
    EXPECT_EQ(e.dead, 0);
    Enemies.clear();
}

TEST(Enemies, ABodyLeavesTheListAndTheNextTakesItsPlace)
{
    FakeEngineScope fake;
    Enemies.clear();
    Corpses.clear();
    for (int i = 0; i < 4; i++)
        CreateEnemy(i, 0, 10 + i, 0, 0, 0, 0, 0);
    HTEXTURE tex = fake.engine.AddTexture(64, 64);
    Enemies[2].legs_anim.reset(new hgeAnimation(tex, 2, 10, 0, 0, 32, 32));
    Enemies[2].legs_anim->SetMode(HGEANIM_FWD);
    Enemies[2].legs_anim->Play();
    EXPECT_FALSE(EnemyAnimationsStopped(Enemies[2]));
    for (int i = 0; i < 3; i++)
        Enemies[2].legs_anim->Update(0.1f);
    EXPECT_TRUE(EnemyAnimationsStopped(Enemies[2]));
    MoveEnemyToCorpses(1);
    MoveEnemyToCorpses(1);
    ASSERT_EQ(Corpses.size(), 2u);
    EXPECT_EQ(Corpses[0].health, 11);
    EXPECT_EQ(Corpses[1].health, 12);
    EXPECT_NE(Corpses[1].legs_anim, nullptr);
    ASSERT_EQ(Enemies.size(), 2u);
    EXPECT_EQ(Enemies[0].health, 10);
    EXPECT_EQ(Enemies[1].health, 13);
    Enemies.clear();
    Corpses.clear();
}
