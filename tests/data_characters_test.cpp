// The shipped people: every legs, hands and head set of "data/Man.ini" read
// the way the game reads it, with frames that stay on their pictures and
// actions that take as long as the hands logic expects.
#include <gtest/gtest.h>

#include <string>

#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "frame/resources.h"
#include "tests/support/fake_engine.h"
#include "tests/support/play_through.h"
#include "tests/support/temp_dir.h"

namespace {

struct ShippedPeople : ::testing::Test {
    FakeEngineScope fake;
    ChangeDir in{QUARVEL_SOURCE_DIR};

    void SetUp() override
    {
        // The registry starts with the game's own pictures, as at start-up.
        TextureRegistry.clear();
        for (const char* name : RegistryPictures)
            TextureRegistry.push_back({fake.engine.Texture_Load((std::string("data/") + name).c_str(), 0, false), name});
        LoadCharacterSets();
    }
    void TearDown() override
    {
        LegsSets.clear();
        HandsSets.clear();
        HeadSets.clear();
        TextureRegistry.clear();
    }

    // Draws frame n at (0, 0) and checks it against its texture: the source
    // rectangle inside the picture, the hot spot at the frame's centre, and
    // a picture of the right layer.
    void CheckFrames(hgeAnimation* a, const std::string& what, const std::string& layer)
    {
        ASSERT_NE(a, nullptr) << what;
        for (int n = 0; n < a->GetFrames(); n++) {
            a->SetFrame(n);
            fake.engine.quads.clear();
            a->Render(0, 0);
            const hgeQuad& q = fake.engine.quads.back();
            const float e = 0.0001f;
            EXPECT_TRUE(q.v[0].tx >= -e && q.v[0].ty >= -e && q.v[2].tx <= 1 + e && q.v[2].ty <= 1 + e)
                << what << " frame " << n << " leaves " << fake.engine.textureName(q.tex);
            EXPECT_FLOAT_EQ(q.v[0].x, -a->GetWidth() / 2) << what;
            EXPECT_FLOAT_EQ(q.v[0].y, -a->GetHeight() / 2) << what;
            EXPECT_NE(fake.engine.textureName(q.tex).find(layer), std::string::npos)
                << what << " is drawn from " << fake.engine.textureName(q.tex);
        }
        a->SetFrame(0);
    }
};


enum { W_HANDS, W_REVOLVER, W_PISTOL, W_SHOTGUN, W_RIFLE, W_GRENADE };

}  // namespace

TEST_F(ShippedPeople, EverySetIsThereWithItsPictures)
{
    EXPECT_GE(LegsSets.size(), 3u);
    EXPECT_GE(HandsSets.size(), 5u);
    EXPECT_GE(HeadSets.size(), 7u);
    // A missing picture would show "texture not found" once per animation.
    EXPECT_TRUE(fake.engine.messages.empty());
    for (const texture_struct& t : TextureRegistry)
        EXPECT_NE(t.handle, 0u) << t.name;
}

TEST_F(ShippedPeople, EveryFrameLiesOnItsPictureAroundItsCentre)
{
    for (size_t s = 0; s < LegsSets.size(); s++)
        for (int f = 0; f < LEGS_ANIMATIONS; f++)
            CheckFrames(LegsSets[s].anims[f], "Legs_" + std::to_string(s + 1) + "_" + LegsFieldNames[f], "legs");
    for (size_t s = 0; s < HandsSets.size(); s++)
        for (int f = 0; f < HANDS_ANIMATIONS; f++)
            CheckFrames(HandsSets[s].anims[f], "Hands_" + std::to_string(s + 1) + "_" + HandsFieldNames[f], "hands");
    for (size_t s = 0; s < HeadSets.size(); s++)
        for (int f = 0; f < HEAD_ANIMATIONS; f++)
            CheckFrames(HeadSets[s].anims[f], "Head_" + std::to_string(s + 1) + "_" + HeadFieldNames[f], "head");
}

TEST_F(ShippedPeople, FiringStrikingAndThrowingTakeTheirTime)
{
    for (int s = 0; s < (int)HandsSets.size(); s++) {
        SCOPED_TRACE("hands set " + std::to_string(s + 1));
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_RIFLE, HANDS_FIRE)), 0.1f, 0.02f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_PISTOL, HANDS_FIRE)), 0.2f, 0.03f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_REVOLVER, HANDS_FIRE)), 0.2f, 0.03f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_SHOTGUN, HANDS_FIRE)), 0.6f, 0.06f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_GRENADE, HANDS_FIRE)), 0.5f, 0.05f);
        for (int w = W_HANDS; w <= W_GRENADE; w++)
            EXPECT_NEAR(PlayThrough(HandsAnimation(s, w, HANDS_UDAR)), 0.35f, 0.04f) << "weapon " << w;
    }
}

TEST_F(ShippedPeople, ReloadsTakeTheirTime)
{
    for (int s = 0; s < (int)HandsSets.size(); s++) {
        SCOPED_TRACE("hands set " + std::to_string(s + 1));
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_REVOLVER, HANDS_RELOAD)), 0.4f, 0.05f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_PISTOL, HANDS_RELOAD)), 1.2f, 0.1f);
        EXPECT_NEAR(PlayThrough(HandsAnimation(s, W_RIFLE, HANDS_RELOAD)), 1.8f, 0.1f);
        // Shells go in one by one.
        ASSERT_NE(HandsAnimation(s, W_SHOTGUN, HANDS_RELOAD), nullptr);
        EXPECT_GE(HandsAnimation(s, W_SHOTGUN, HANDS_RELOAD)->GetFrames(), 5);
    }
}
