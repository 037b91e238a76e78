// The opponents: one record per enemy, the list of the living and dying and
// the list of finished bodies, and an enemy's creation from its start.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "assets/animation.h"

// Behaviour states.
enum {
    ES_IDLE = 0,     // stand until the timer runs out
    ES_TURN = 1,     // turn toward target_angle
    ES_ORIENT = 2,   // turn toward the walk direction, then walk
    ES_WALK = 3,     // walk along target_angle toward the target cell
    ES_STRIKE = 4,   // unarmed blow
    ES_AIM = 5,      // aim, then fire
    ES_RECOVER = 6   // wait for the firing animation to end
};

const int ENEMY_WALK_SPEED = 260;            // pixels per second
const int ENEMY_TURN_SPEED = 7;             // radians per second
const int ENEMY_STRIKE_RANGE_SQ = 3600;     // squared pixels: a blow reaches 60 pixels
const int ENEMY_FIRE_RANGE_SQ = 120000;     // squared pixels: about 346 pixels

// Alarm bands.
const int ALARM_ALERTED = 10;   // from here on an enemy hunts the player
const int ALARM_PANICKED = 20;  // from here on it flees

struct enemy_struct {
    int16_t contact;     // memory of contact with the player; 0: none lately
    int32_t health;      // dies at 0 or less
    float x, y;          // body centre, world pixels
    float angle;         // facing
    int32_t cell_x, cell_y;
    int32_t state;
    int16_t weapon;      // the player's weapon numbers; 0 fists
    int16_t alarm;       // below 10 calm, 10..19 alerted, 20 and above panicked
    float timer;         // seconds left in the state
    uint8_t dead;        // set once, when health fell to 0 or below
    int16_t turn_dir;    // +1 or -1
    int32_t target_x, target_y;  // the cell it walks to
    float target_angle;
    int32_t hands_set, legs_set, head_set;
    // Its own copies of its sets' animations, drawn legs, hands, head.
    std::unique_ptr<hgeAnimation> head_anim, hands_anim, legs_anim;
};

extern std::vector<enemy_struct> Enemies;  // alive or still dying, in creation order
extern std::vector<enemy_struct> Corpses;  // finished bodies, in the order they finished

// Appends a new enemy standing at the centre of the cell, facing a random way.
void CreateEnemy(int cellX, int cellY, int lives, int alarm, int weapon, int legsSet, int handsSet, int headSet);

// The group of hands animations an enemy carries: its weapon's, or empty
// hands for a weapon the sets have no animations for.
int EnemyHandsGroup(const enemy_struct& e);
// Fresh copies of the enemy's animations, each from its first frame: legs
// and hands that loop (standing, walking), hands that play once (a blow, a
// shot).
void ShowEnemyLegs(enemy_struct& e, int which);
void ShowEnemyHands(enemy_struct& e, int group, int action);
void PlayEnemyHandsOnce(enemy_struct& e, int group, int action);

// A dying enemy becomes a body once none of its animations plays any more.
bool EnemyAnimationsStopped(const enemy_struct& e);
// Moves enemy i to the end of Corpses; the enemies after it move down one place.
void MoveEnemyToCorpses(int i);
