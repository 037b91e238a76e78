// The story's ten dialogue pages, one per storey: who speaks and what, in
// one table so the whole text can be read and corrected in one place.
#pragma once

enum {
    SPEAKER_A,  // opens each exchange (red)
    SPEAKER_B   // answers (blue)
};

struct dialogue_block_struct {
    int speaker;
    const char* text;  // Windows-1251; lines separated by '\n'
};

const int DIALOGUE_BLOCK_MAX = 5;

// A plain array rather than a vector: the texts are converted while
// compiling, and clang 14 crashes converting them inside a vector's list.
struct dialogue_page_struct {
    float x;  // left edge of every block of the page
    dialogue_block_struct blocks[DIALOGUE_BLOCK_MAX];  // in order; unused ones have no text
};

const int DIALOGUE_PAGE_COUNT = 10;
extern const dialogue_page_struct DialoguePages[DIALOGUE_PAGE_COUNT];

// Blocks sit on a 32-pixel grid from y = 156: a block of n lines is followed
// by the next one 32 * n lower. Lines must end left of DialogueRight, where
// the ruled sheet ends.
const float DialogueTop = 156;
const float DialogueLineStep = 32;
const float DialogueRight = 770;
