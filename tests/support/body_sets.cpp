#include "tests/support/body_sets.h"

#include <memory>

#include "assets/character_sets.h"

void UseOneBodySet(HTEXTURE tex, int frames, float fps)
{
    auto make = [&](int row) {
        CharacterTemplates.push_back(std::make_unique<hgeAnimation>(tex, frames, fps, 0, row * 10.0f, 10, 10));
        CharacterTemplates.back()->Play();
        return CharacterTemplates.back().get();
    };
    anim_legs_struct legs;
    for (int i = 0; i < LEGS_ANIMATIONS; i++)
        legs.anims[i] = make(i);
    anim_hands_struct hands;
    for (int i = 0; i < HANDS_ANIMATIONS; i++)
        hands.anims[i] = make(100 + i);
    anim_heads_struct head;
    for (int i = 0; i < HEAD_ANIMATIONS; i++)
        head.anims[i] = make(200 + i);
    LegsSets = {legs};
    HandsSets = {hands};
    HeadSets = {head};
}
