#include "tools/autopilot/pilot_novice.h"

#include <cmath>
#include <random>

#include "player/movement.h"

// The aim drifts toward a new offset now and then, never further than this.
static const float MaxWander = 0.1f;
static const int MinReaction = 21, MaxReaction = 33;  // frames at 60 a second

static bool Novice = false;
static std::mt19937 Dice;
static float Wander = 0, WanderGoal = 0;
static int WanderFrames = 0;

bool NovicePlays()
{
    return Novice;
}

void StartNovice(bool novice, uint32_t seed)
{
    Novice = novice;
    Dice.seed(seed);
    Wander = WanderGoal = 0;
    WanderFrames = 0;
}

static int DiceInt(int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(Dice);
}

static float DiceFloat(float a, float b)
{
    return std::uniform_real_distribution<float>(a, b)(Dice);
}

int NoviceReactionFrames()
{
    return DiceInt(MinReaction, MaxReaction);
}

void WanderAim()
{
    if (--WanderFrames <= 0) {
        WanderGoal = DiceFloat(-MaxWander, MaxWander);
        WanderFrames = DiceInt(15, 40);
    }
    Wander += (WanderGoal - Wander) * 0.12f;
}

void WanderedPoint(float x, float y, float* wx, float* wy)
{
    float dx = x - PlayerX, dy = y - PlayerY;
    float c = cosf(Wander), s = sinf(Wander);
    *wx = PlayerX + dx * c - dy * s;
    *wy = PlayerY + dx * s + dy * c;
}
