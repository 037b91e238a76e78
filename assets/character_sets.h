// The people's animation sets from "data/Man.ini": every person is drawn as
// legs, hands (upper body and weapon) and head, each a set of template
// animations that the person plays copies of.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "assets/animation.h"

// Legs animations, in set order.
enum {
    LEGS_STOIT,          // standing
    LEGS_SIDIT,          // crouching
    LEGS_IDET_VPERED,    // walking forwards
    LEGS_IDET_NAZAD,     // walking backwards
    LEGS_POLZET_VPERED,  // crawling forwards
    LEGS_POLZET_NAZAD,   // crawling backwards
    LEGS_DEAD,
    LEGS_ANIMATIONS
};

// What the hands do, within a weapon's group.
enum {
    HANDS_STOIT,   // stand
    HANDS_IDET,    // walk
    HANDS_UDAR,    // strike
    HANDS_FIRE,    // fire (the grenade's throw)
    HANDS_RELOAD,
    HANDS_ACTIONS
};

const int HANDS_DEAD_POSITION = 27;
const int HANDS_ANIMATIONS = 28;

enum { HEAD_BASE, HEAD_DEAD, HEAD_ANIMATIONS };

// Position of weapon w's first (standing) animation in a hands set, and how
// many animations its group has (empty hands cannot fire or reload, the
// grenade cannot reload).
const int HandsGroupStart[6] = {0, 3, 8, 13, 18, 23};
const int HandsGroupSize[6] = {3, 5, 5, 5, 5, 4};

struct anim_legs_struct {
    hgeAnimation* anims[LEGS_ANIMATIONS];
};

struct anim_hands_struct {
    hgeAnimation* anims[HANDS_ANIMATIONS];
};

struct anim_heads_struct {
    hgeAnimation* anims[HEAD_ANIMATIONS];
};

extern std::vector<anim_legs_struct> LegsSets;
extern std::vector<anim_hands_struct> HandsSets;
extern std::vector<anim_heads_struct> HeadSets;

// Every template ever made. A reload keeps the earlier ones alive because
// copies of them may still be on screen; all go at the end of the program.
extern std::vector<std::unique_ptr<hgeAnimation>> CharacterTemplates;

// (Re)reads "data/Man.ini": its textures into the registry (by name), then
// the legs, hands and head sets. Leaves the INI file pointed at it.
void LoadCharacterSets();
// The same from a catalogue's text held in memory.
void LoadCharacterSetsText(const std::string& text);

extern const char* const LegsFieldNames[LEGS_ANIMATIONS];
extern const char* const HandsFieldNames[HANDS_ANIMATIONS];
extern const char* const HeadFieldNames[HEAD_ANIMATIONS];

// Template lookups that never index past a list: a set index beyond its list
// falls back to set 0, and an empty list, a weapon out of 0..5 or an action
// the weapon lacks give null (which draws nothing).
hgeAnimation* LegsAnimation(int set, int which);
hgeAnimation* HandsAnimation(int set, int weapon, int action);
hgeAnimation* HandsDeadAnimation(int set);
hgeAnimation* HeadAnimation(int set, int which);
