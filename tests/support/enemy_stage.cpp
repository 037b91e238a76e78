#include "tests/support/enemy_stage.h"

#include "assets/character_sets.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/enemy_ai.h"
#include "foes/grenades.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

void EnemyStage::SetUp()
{
    HTEXTURE tex = fake.engine.AddTexture(64, 64);
    auto make = [&]() {
        CharacterTemplates.push_back(std::make_unique<hgeAnimation>(tex, 4, 10, 0, 0, 16, 16));
        CharacterTemplates.back()->Play();
        return CharacterTemplates.back().get();
    };
    anim_legs_struct legs;
    for (hgeAnimation*& a : legs.anims)
        a = make();
    anim_hands_struct hands;
    for (hgeAnimation*& a : hands.anims)
        a = make();
    anim_heads_struct head;
    for (hgeAnimation*& a : head.anims)
        a = make();
    LegsSets = {legs};
    HandsSets = {hands};
    HeadSets = {head};
    UseTestCatalogue();
    Enemies.clear();
    Corpses.clear();
    Effects.clear();
    Grenades.clear();
    Health = 100;
    BonusPoints = 0;
    BonusPopupTime = 0;
    CurrentWeapon = WEAPON_NONE;
    Crouching = 0;
    ShotNoise = 0;
    HasHelmet = HasVest = 0;
    Storey(20, 20, 10, 10);
}

void EnemyStage::TearDown()
{
    Enemies.clear();
    Corpses.clear();
    Effects.clear();
    Grenades.clear();
    ResetStoreyGrid(1, 1);
    ForgetTestCatalogue();
    LegsSets.clear();
    HandsSets.clear();
    HeadSets.clear();
}

void EnemyStage::Storey(int width, int height, int playerX, int playerY)
{
    ResetStoreyGrid(width, height);
    PlacePlayer(playerX, playerY);
}

void EnemyStage::PlacePlayer(int x, int y)
{
    PlayerCellX = x;
    PlayerCellY = y;
    PlayerX = (x + 0.5f) * CellWidth;
    PlayerY = (y + 0.5f) * CellHeight;
}

void EnemyStage::Wall(int x, int y)
{
    AddObject(MakeObject(T_WALL, 0), x, y, false);
}

void EnemyStage::WallColumn(int x, int y0, int y1)
{
    for (int y = y0; y <= y1; y++)
        Wall(x, y);
}

int EnemyStage::Door(int x, int y, int state)
{
    AddObject(MakeObject(T_DOOR, 0), x, y, false);
    Objects.back().door_state = state;
    return (int)Objects.size() - 1;
}

void EnemyStage::Light(int x, int y)
{
    LightMap[CellIndex(x, y)] = 255;
}

int EnemyStage::Enemy(int x, int y, int weapon, int alarm, int health)
{
    CreateEnemy(x, y, health, alarm, weapon, 0, 0, 0);
    return (int)Enemies.size() - 1;
}

void EnemyStage::Frames(int n, float dt)
{
    for (int k = 0; k < n; k++) {
        UpdateEnemies(dt);
        UpdateDoors(dt);
    }
}
