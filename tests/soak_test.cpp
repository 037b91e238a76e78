// The soak: seeded random input on every storey of the campaign and on the
// screens around it, through the real program. Nothing may crash, hang,
// leak (under the sanitizers) or leave a position that is not a number.
//
// QUARVEL_SOAK_FRAMES sets the frames per storey (5,000 by default: 50,000
// in all); the long soak runs the same test with 100,000.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"
#include "world/campaign.h"
#include "world/player_state.h"

static int FramesPerStorey()
{
    const char* v = getenv("QUARVEL_SOAK_FRAMES");
    return v && atoi(v) > 0 ? atoi(v) : 5000;
}

// A save that continues the campaign at storey k's intro, with a loaded
// pistol and shotgun and some of everything, so the soak fires and throws.
static std::string SaveAtStorey(int k)
{
    checkpoint_struct c{};
    c.Health = c.MaxHealth = 24;
    c.BonusPoints = 150;
    c.CurrentWeapon = WEAPON_PISTOL;
    c.HandgunSlot = WEAPON_PISTOL;
    c.HandgunLoaded = 17;
    c.LongGunSlot = WEAPON_SHOTGUN;
    c.LongGunLoaded = 5;
    c.Reserve[WEAPON_PISTOL] = 1;
    c.Reserve[WEAPON_SHOTGUN] = 10;
    c.Reserve[WEAPON_GRENADE] = 2;
    c.OwnsPistol = c.OwnsShotgun = 1;
    c.step = 4 * k - 5;
    return SaveLine(c) + "\r\n";
}

static int FramesRun(const std::string& dump)
{
    std::smatch m;
    return std::regex_search(dump, m, std::regex("\"frames\": (\\d+)")) ? std::stoi(m[1]) : 0;
}

class Soak : public ::testing::TestWithParam<int> {};

// A run ends early when the random clicks find the menu's Exit; the soak
// then starts the program again (with the save it just wrote) until the
// storey has had its frames.
TEST_P(Soak, RandomPlayOfAStoreyAndItsScreens)
{
    int storey = GetParam();
    TempDir dir;
    LinkGameData(dir.path, true);
    if (storey > 1)
        dir.Write("data/save", SaveAtStorey(storey));
    int done = 0;
    for (int run = 0; done < FramesPerStorey(); run++) {
        int seed = storey * 1000 + run;
        RunnerResult r = RunSim(dir.path, {"--soak", std::to_string(FramesPerStorey() - done), "--seed",
                                           std::to_string(seed)});
        ASSERT_EQ(r.exitCode, 0) << "storey " << storey << ", seed " << seed << "\n" << r.output;
        int frames = FramesRun(r.dump);
        ASSERT_GT(frames, 0) << r.output;
        done += frames;
    }
}

INSTANTIATE_TEST_SUITE_P(Storeys, Soak, ::testing::Range(1, 11));
