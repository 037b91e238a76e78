// The atlas project, the object and floor catalogue and the people's
// animation sets, read from small fixture files.
#include <gtest/gtest.h>

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "engine/cp1251.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"

struct CatalogueFixture : ::testing::Test {
    FakeEngineScope fake;
    TempDir dir;
    ChangeDir in{dir.path};

    void SetUp() override
    {
        ClearAtlasProject();
        TextureRegistry.clear();
        ObjectTypes.clear();
        FloorTypes.clear();
    }
    void TearDown() override
    {
        ReleaseCatalogueAnimations();
        TextureRegistry.clear();
        LegsSets.clear();
        HandsSets.clear();
        HeadSets.clear();
    }
    void Texture(const std::string& file, int w, int h) { fake.engine.textureSizes[file] = {w, h}; }
};

static const char TwoTextureProject[] =
    "[System]\n"
    "apg_project_name=test\n"
    "apg_project_size=3\n"
    "[0]\n"
    "tex_name=data/broken.png\n"
    "tex_size=1\n"
    "pr_size=1\n"
    "0=Type\n"
    "[0_0]\n"
    "name=Desk\n"
    "0=7\n"
    "[1]\n"
    "tex_name=data/a.png\n"
    "tex_size=3\n"
    "pr_size=3\n"
    "0=Type\n"
    "1=Destroy\n"
    "2=Width\n"
    "[1_0]\n"
    "name=Desk\n"
    "x=10\n"
    "y=20\n"
    "w=80\n"
    "h=40\n"
    "FPS=5\n"
    "Frames=3\n"
    "sx=4\n"
    "sy=6\n"
    "Loop=0\n"
    "0=5\n"
    "1=\n"
    "2=2\n"
    "[1_1]\n"
    "name=Plain\n"
    "[1_2]\n"
    "name=NoFrames\n"
    "Frames=-3\n"
    "[2]\n"
    "tex_name=data/b.png\n"
    "tex_size=1\n"
    "[2_0]\n"
    "name=Desk\n";

TEST_F(CatalogueFixture, AtlasFindsTheFirstUsableAnimationOfAName)
{
    Texture("data/a.png", 256, 256);
    Texture("data/b.png", 64, 64);
    fake.engine.missingFiles = {"data/broken.png"};
    dir.Write("data/qvl.apg", TwoTextureProject);
    LoadAtlasProject("data/qvl.apg");
    ASSERT_EQ(AtlasTextures.size(), 3u);
    EXPECT_EQ(AtlasProjectName, "test");
    EXPECT_FALSE(AtlasTextures[0].usable);
    EXPECT_EQ(AtlasTextures[0].animations.size(), 1u);  // kept, but out of reach

    hgeAnimation* desk = FindAtlasAnimation("Desk");
    ASSERT_NE(desk, nullptr);
    EXPECT_EQ(desk, AtlasTextures[1].animations[0].animation);
    EXPECT_EQ(LastAtlasAnimation.texture, 1);
    EXPECT_EQ(desk->GetFrames(), 3);
    EXPECT_EQ(desk->GetMode(), HGEANIM_FWD);
    EXPECT_FLOAT_EQ(desk->GetWidth(), 80);
    EXPECT_EQ(GetAtlasPropertyInt("", "Type", 0), 5);
    EXPECT_EQ(GetAtlasProperty("", "Destroy", "none"), "none");  // listed, but no value
    EXPECT_EQ(GetAtlasPropertyInt("Desk", "Width", 1), 2);
    EXPECT_EQ(GetAtlasPropertyInt("Desk", "Height", 1), 1);   // not a property of the texture
    EXPECT_EQ(FindAtlasAnimation("desk"), nullptr);          // names are exact
}

TEST_F(CatalogueFixture, AtlasDefaultsAndFailedLookups)
{
    Texture("data/a.png", 256, 256);
    Texture("data/b.png", 64, 64);
    dir.Write("data/qvl.apg", TwoTextureProject);
    LoadAtlasProject("data/qvl.apg");
    hgeAnimation* plain = FindAtlasAnimation("Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetFrames(), 1);
    EXPECT_EQ(plain->GetMode(), HGEANIM_FWD | HGEANIM_LOOP);
    EXPECT_FLOAT_EQ(plain->GetWidth(), 1);
    plain->Play();
    plain->Update(0);
    plain->Update(100);
    EXPECT_EQ(plain->GetFrame(), 0);  // no FPS: never leaves its first frame
    EXPECT_EQ(FindAtlasAnimation("NoFrames")->GetFrames(), 1);

    EXPECT_EQ(FindAtlasAnimation("Missing"), nullptr);
    EXPECT_EQ(GetAtlasPropertyInt("", "Type", 77), 77);
    EXPECT_FLOAT_EQ(GetAtlasPropertyFloat("", "Type", 2.5f), 2.5f);
    EXPECT_EQ(GetAtlasProperty("Missing", "Type", "d"), "d");

    // A project that cannot be opened leaves the loaded one in place.
    LoadAtlasProject("data/none.apg");
    EXPECT_EQ(AtlasTextures.size(), 3u);
}

TEST_F(CatalogueFixture, NegativeCountsReadAsNothing)
{
    dir.Write("data/qvl.apg", "[System]\napg_project_size=-4\n");
    LoadAtlasProject("data/qvl.apg");
    EXPECT_TRUE(AtlasTextures.empty());
    dir.Write("data/qvl.apg", "[System]\napg_project_size=1\n[0]\ntex_name=data/a.png\ntex_size=-1\npr_size=-2\n");
    Texture("data/a.png", 8, 8);
    LoadAtlasProject("data/qvl.apg");
    ASSERT_EQ(AtlasTextures.size(), 1u);
    EXPECT_TRUE(AtlasTextures[0].animations.empty());
    EXPECT_TRUE(AtlasTextures[0].property_names.empty());
}

// A damaged count must not make the start-up build a billion animations:
// counts are cut to what the file's sections and keys can describe.
TEST_F(CatalogueFixture, CountsBeyondWhatTheFileHoldsAreCut)
{
    dir.Write("data/qvl.apg", "[System]\napg_project_size=2000000000\n"
                              "[0]\ntex_name=data/a.png\ntex_size=2000000000\npr_size=2000000000\n0=Type\n"
                              "[0_0]\nname=Desk\n0=0\n");
    Texture("data/a.png", 8, 8);
    LoadAtlasProject("data/qvl.apg");
    ASSERT_LE(AtlasTextures.size(), 8u);
    EXPECT_LE(AtlasTextures[0].animations.size(), 8u);
    EXPECT_LE(AtlasTextures[0].property_names.size(), 8u);
    EXPECT_NE(FindAtlasAnimation("Desk"), nullptr);
    EXPECT_EQ(GetAtlasProperty("Desk", "Type", "?"), "0");
}

static const char SmallProject[] =
    "[System]\napg_project_size=1\n"
    "[0]\ntex_name=data/a.png\ntex_size=3\npr_size=5\n0=Type\n1=Count\n2=Size\n3=Width\n4=Height\n"
    "[0_0]\nname=Carpet\nw=80\nh=80\n3=2\n4=2\n"
    "[0_1]\nname=Chair\nw=40\nh=40\n0=0\n2=35\n"
    "[0_2]\nname=Fan\nw=40\nh=40\nFrames=4\nFPS=8\n0=2\n";

TEST_F(CatalogueFixture, CatalogueListsEndAtTheFirstGap)
{
    Texture("data/a.png", 256, 256);
    Texture("data/extra.png", 16, 16);
    dir.Write("data/qvl.apg", SmallProject);
    dir.Write("data/Objects.ini",
              "[Texture_1]\nName=extra.png\n[Texture_3]\nName=never.png\n"
              "[Floors]\n1=Carpet\n2=Stone\n4=Lost\n"
              "[Objects]\n1=Chair\n2=Fan\n3=Ghost\n");
    LoadCatalogue();
    ASSERT_EQ(FloorTypes.size(), 2u);
    EXPECT_EQ(FloorTypes[0].width, 2);
    EXPECT_EQ(FloorTypes[1].animation, nullptr);
    EXPECT_EQ(FloorTypes[1].width, 1);
    ASSERT_EQ(ObjectTypes.size(), 3u);
    const object_type_struct& chair = ObjectTypes[0];
    EXPECT_EQ(chair.size, 35);
    EXPECT_EQ(chair.hit_chance, 80);  // no "Count" value
    EXPECT_EQ(chair.armor, 0);
    const object_type_struct& ghost = ObjectTypes[2];
    EXPECT_EQ(ghost.animation, nullptr);
    EXPECT_EQ(ghost.size, 60);
    EXPECT_EQ(ghost.hit_chance, 80);
    EXPECT_EQ(ghost.kind, 0);
    EXPECT_TRUE(ObjectTypes[1].animation->IsPlaying());  // looping fan runs from the start
    ASSERT_EQ(TextureRegistry.size(), 1u);
    EXPECT_EQ(TextureRegistry[0].name, "extra.png");
    EXPECT_EQ(FindObjectType("Fan"), 1);
    EXPECT_EQ(FindObjectType("fan"), -1);
}

TEST_F(CatalogueFixture, TextureByNameTakesTheFirstEntryOrComplains)
{
    TextureRegistry = {{11, "tex.png"}, {12, "a.png"}, {13, "a.png"}};
    EXPECT_EQ(TextureByName("a.png"), 12u);
    EXPECT_EQ(TextureByName("nope.png"), 11u);
    ASSERT_EQ(fake.engine.messages.size(), 1u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Текстура \"nope.png\" не найдена"_cp));
    TextureByName("nope.png");
    EXPECT_EQ(fake.engine.messages.size(), 2u);  // each time it is asked
}

static std::string SetSections(const char* kind, int n, const char* const* fields, int count, const char* tex,
                               int x = 0)
{
    std::string s;
    for (int i = 0; i < count; i++) {
        s += std::string("[") + kind + "_" + std::to_string(n) + "_" + fields[i] + "]\n";
        s += "X=" + std::to_string(x + 64 * i) + "\nY=0\nW=64\nH=48\nFPS=12\nFrames=2\nTexture=" + tex + "\n";
    }
    return s;
}

TEST_F(CatalogueFixture, CharacterSetsStopAtTheFirstMissingSet)
{
    Texture("data/man.png", 2048, 512);
    std::string ini = "[Texture_1]\nName=man.png\n";
    for (int n : {1, 2, 4})
        ini += SetSections("Legs", n, LegsFieldNames, LEGS_ANIMATIONS, "man.png");
    ini += SetSections("Hands", 1, HandsFieldNames, HANDS_ANIMATIONS, "man.png");
    ini += SetSections("Hands", 2, HandsFieldNames + 2, 5, "man.png");  // no Pusto_Idet
    ini += SetSections("Hands", 3, HandsFieldNames, HANDS_ANIMATIONS, "man.png");
    ini += SetSections("Head", 1, HeadFieldNames, HEAD_ANIMATIONS, "man.png");
    dir.Write("data/Man.ini", ini);
    TextureRegistry = {{5, "tex.png"}};
    LoadCharacterSets();
    EXPECT_EQ(LegsSets.size(), 2u);
    EXPECT_EQ(HandsSets.size(), 1u);
    EXPECT_EQ(HeadSets.size(), 1u);
    hgeAnimation* walk = LegsSets[1].anims[LEGS_IDET_VPERED];
    EXPECT_FLOAT_EQ(walk->GetWidth(), 64);
    EXPECT_TRUE(walk->IsPlaying());
    hgeAnimation* rifleFire = HandsAnimation(0, 4, HANDS_FIRE);
    EXPECT_EQ(rifleFire, HandsSets[0].anims[21]);
    EXPECT_EQ(HandsAnimation(0, 1, HANDS_STOIT), HandsSets[0].anims[3]);
    EXPECT_EQ(HandsAnimation(0, 0, HANDS_FIRE), nullptr);   // empty hands cannot fire
    EXPECT_EQ(HandsAnimation(0, 5, HANDS_RELOAD), nullptr);
    EXPECT_EQ(HandsAnimation(7, 4, HANDS_FIRE), rifleFire); // past the list: set 0
    EXPECT_EQ(HandsDeadAnimation(0), HandsSets[0].anims[27]);
    EXPECT_EQ(HeadAnimation(-1, HEAD_DEAD), HeadSets[0].anims[1]);
}

TEST_F(CatalogueFixture, CharacterSetWithXZeroLoadsAndMissingSectionsTakeDefaults)
{
    Texture("data/man.png", 512, 512);
    dir.Write("data/Man.ini", "[Texture_1]\nName=man.png\n[Legs_1_Stoit]\nX=0\nW=32\nH=32\nTexture=man.png\n");
    TextureRegistry = {{5, "tex.png"}};
    LoadCharacterSets();
    ASSERT_EQ(LegsSets.size(), 1u);
    hgeAnimation* dead = LegsSets[0].anims[LEGS_DEAD];
    EXPECT_FLOAT_EQ(dead->GetWidth(), 1);
    EXPECT_EQ(HandsAnimation(0, 0, HANDS_STOIT), nullptr);  // no hands sets: nothing to draw
}

TEST_F(CatalogueFixture, ReloadKeepsOneRegistryEntryPerTexture)
{
    Texture("data/man.png", 512, 512);
    std::string ini = "[Texture_1]\nName=man.png\n[Texture_2]\nName=lost.png\n";
    ini += SetSections("Head", 1, HeadFieldNames, HEAD_ANIMATIONS, "lost.png");
    dir.Write("data/Man.ini", ini);
    fake.engine.missingFiles = {"data/lost.png"};
    TextureRegistry = {{5, "tex.png"}};
    LoadCharacterSets();
    hgeAnimation* first = HeadSets[0].anims[0];
    size_t templates = CharacterTemplates.size();
    LoadCharacterSets();
    EXPECT_EQ(TextureRegistry.size(), 3u);
    EXPECT_EQ(TextureRegistry[1].name, "man.png");
    EXPECT_EQ(TextureRegistry[1].handle, 2u);  // the second load of man.png
    EXPECT_NE(HeadSets[0].anims[0], first);
    EXPECT_EQ(CharacterTemplates.size(), templates + 2);  // the old templates stay alive
    EXPECT_TRUE(fake.engine.messages.empty());  // registered (with a 0 handle), so found
}

TEST_F(CatalogueFixture, UnknownSetTextureFallsBackToTheFirstPictureOncePerAnimation)
{
    Texture("data/man.png", 512, 512);
    dir.Write("data/Man.ini", SetSections("Head", 1, HeadFieldNames, HEAD_ANIMATIONS, "other.png"));
    TextureRegistry = {{5, "tex.png"}};
    LoadCharacterSets();
    EXPECT_EQ(fake.engine.messages.size(), 2u);
    EXPECT_EQ(HeadSets[0].anims[0]->GetTexture(), 5u);
}
