// The editor's enemy tool: the template new enemy starts are made from, its
// palette, placing starts, and picking one start to move or remove. Every
// start has its live enemy on the storey, made when the start is placed.
#pragma once

#include <vector>

#include "world/storey.h"

// What a new enemy start is given.
struct enemy_template_struct {
    int legs_set, hands_set, head_set;
    int weapon;  // 0 none .. 5 grenade
    int alarm;
    int lives;
};

extern enemy_template_struct EnemyTemplate;
// The start picked with the mouse, or -1.
extern int SelectedStart;

// One frame of the tool on the storey, and of its palette.
void EnemyTool();
void EnemyPaletteFrame(float dt);

// The character sets exist, so enemy starts can be placed and shown.
bool CharacterSetsPresent();

// Whether two starts are alike in every value.
bool SameStart(const enemy_start_struct& a, const enemy_start_struct& b);

// The live enemy standing for a start: one still on the start's cell centre,
// alive, with its sets and weapon; -1 when there is none (it has walked off
// in play, or died).
int LiveEnemyOf(const enemy_start_struct& s);
// The live enemies follow the starts changing from `from` to `to`: the
// enemies of starts that went are removed (unless keepLive), and a start
// that came gets its enemy unless one already stands for it.
void LiveEnemiesFollow(const std::vector<enemy_start_struct>& from, const std::vector<enemy_start_struct>& to,
                       bool keepLive);
