// The sounds shipped in sound/, decoded through the real engine's mixer:
// each one plays, music tracks are long enough to loop unobtrusively,
// effects are short, and every file is loud enough without clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/hge.h"
#include "engine/sim.h"
#include "frame/resources.h"

static bool IsMusic(int sound)
{
    return sound == SND_MENU_MUSIC || sound == SND_SCREEN_MUSIC || sound == SND_GAME_MUSIC;
}

class ShippedSounds : public testing::Test {
protected:
    // Decoding the three music tracks takes a moment, so every case of this
    // suite shares one pass over the files.
    static void SetUpTestSuite()
    {
        EngineRunHeadless(SimOptions());
        HGE* engine = hgeCreate(HGE_VERSION);
        ASSERT_NE(engine, nullptr);
        bool started = engine->System_Initiate();
        if (started)
            for (const char* file : SoundFiles)
                infos.push_back(InspectSoundFile(std::string(QUARVEL_SOURCE_DIR "/") + file));
        engine->System_Shutdown();
        engine->Release();
        ASSERT_TRUE(started);
    }

    static void TearDownTestSuite() { infos.clear(); }

    void SetUp() override { ASSERT_EQ(infos.size(), (size_t)SOUND_COUNT) << "the engine did not start"; }

    static double PeakDbfs(int sound) { return 20.0 * std::log10(infos[sound].peak); }

    static std::vector<SoundFileInfo> infos;
};

std::vector<SoundFileInfo> ShippedSounds::infos;

TEST_F(ShippedSounds, EveryFileDecodes)
{
    for (int i = 0; i < SOUND_COUNT; i++) {
        EXPECT_TRUE(infos[i].ok) << SoundFiles[i];
        EXPECT_GT(infos[i].seconds, 0) << SoundFiles[i];
    }
}

TEST_F(ShippedSounds, MusicTracksLastAtLeastFortySeconds)
{
    for (int track : {SND_MENU_MUSIC, SND_SCREEN_MUSIC, SND_GAME_MUSIC})
        EXPECT_GE(infos[track].seconds, 40.0) << SoundFiles[track];
}

TEST_F(ShippedSounds, EffectsAreShort)
{
    for (int i = 0; i < SOUND_COUNT; i++) {
        if (IsMusic(i))
            continue;
        EXPECT_GE(infos[i].seconds, 0.05) << SoundFiles[i];
        EXPECT_LE(infos[i].seconds, 3.0) << SoundFiles[i];
    }
    // The rifle fires ten rounds a second; a longer shot would pile up.
    EXPECT_LE(infos[SND_RIFLE_FIRE].seconds, 0.25);
}

TEST_F(ShippedSounds, PeaksAreAudibleAndDoNotClip)
{
    for (int i = 0; i < SOUND_COUNT; i++) {
        EXPECT_GE(PeakDbfs(i), -20.0) << SoundFiles[i];
        EXPECT_LE(PeakDbfs(i), -1.0) << SoundFiles[i];
    }
}
