#include "foes/enemies.h"

#include <cmath>

#include "assets/character_sets.h"
#include "frame/program.h"
#include "world/angles.h"
#include "world/storey.h"

std::vector<enemy_struct> Enemies;
std::vector<enemy_struct> Corpses;

static std::unique_ptr<hgeAnimation> Copy(const hgeAnimation* anim)
{
    return std::unique_ptr<hgeAnimation>(CopyAnimation(anim));
}

void CreateEnemy(int cellX, int cellY, int lives, int alarm, int weapon, int legsSet, int handsSet, int headSet)
{
    enemy_struct e{};
    e.contact = 0;
    e.health = lives;
    e.x = (cellX + 0.5f) * CellWidth;
    e.y = (cellY + 0.5f) * CellHeight;
    e.angle = hge->Random_Float(-Pi, Pi);
    e.target_angle = e.angle;
    e.cell_x = e.target_x = cellX;
    e.cell_y = e.target_y = cellY;
    e.state = ES_IDLE;
    e.timer = 0;
    e.dead = 0;
    e.turn_dir = 0;
    e.weapon = (int16_t)weapon;
    e.alarm = (int16_t)alarm;
    e.hands_set = handsSet;
    e.legs_set = legsSet;
    e.head_set = headSet;
    // Each enemy plays its own copies: advancing a shared template would run
    // it once per enemy each frame.
    e.legs_anim = Copy(LegsAnimation(legsSet, LEGS_STOIT));
    e.hands_anim = Copy(HandsAnimation(handsSet, 0, HANDS_STOIT));
    e.head_anim = Copy(HeadAnimation(headSet, HEAD_BASE));
    Enemies.push_back(std::move(e));
}

int EnemyHandsGroup(const enemy_struct& e)
{
    return e.weapon >= 0 && e.weapon <= 5 ? e.weapon : 0;
}

void ShowEnemyLegs(enemy_struct& e, int which)
{
    e.legs_anim = Copy(LegsAnimation(e.legs_set, which));
}

void ShowEnemyHands(enemy_struct& e, int group, int action)
{
    e.hands_anim = Copy(HandsAnimation(e.hands_set, group, action));
}

void PlayEnemyHandsOnce(enemy_struct& e, int group, int action)
{
    e.hands_anim.reset(PlayOnceCopy(HandsAnimation(e.hands_set, group, action)));
}

bool EnemyAnimationsStopped(const enemy_struct& e)
{
    return !AnimationPlaying(e.legs_anim.get()) && !AnimationPlaying(e.hands_anim.get()) &&
           !AnimationPlaying(e.head_anim.get());
}

void MoveEnemyToCorpses(int i)
{
    if (i < 0 || i >= (int)Enemies.size())
        return;
    Corpses.push_back(std::move(Enemies[i]));
    Enemies.erase(Enemies.begin() + i);
}
