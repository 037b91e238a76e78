// What the player reads off the play picture: the pop-up number with its
// rim, the icons of the cards he found, the red of a hit and of low health,
// the status strip, and floors that fade without leaving dark squares.
#include <gtest/gtest.h>

#include <memory>

#include "assets/catalogue.h"
#include "engine/cp1251.h"
#include "frame/resources.h"
#include "frame/settings.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "screens/hud.h"
#include "screens/hurt_flash.h"
#include "screens/status_strip.h"
#include "screens/world_draw.h"
#include "tests/support/fake_engine.h"
#include "tests/support/stand_in.h"
#include "tests/support/test_catalogue.h"
#include "world/player_state.h"
#include "world/storey.h"

struct HudFixture : ::testing::Test {
    FakeEngineScope fake;
    FakeEngine& engine = fake.engine;
    ScreenResources resources;
    std::unique_ptr<hgeAnimation> card;

    void SetUp() override
    {
        card = std::make_unique<hgeAnimation>(engine.AddTexture(32, 32), 1, 1, 0, 0, 30, 22);
        for (int k = 0; k < CARD_COUNT; k++)
            Sprites[SPR_CARD_LIFT + k] = card.get();
        UseTestCatalogue();
        ResetStoreyGrid(20, 20);
        for (int k = 0; k < CARD_COUNT; k++)
            PlaceCard(k, {-1, -1});
        Health = MaxHealth = 20;
        Dead = 0;
        ForgetHurt();
        AmmoPopupTime = BonusPopupTime = 0;
        StatusStripOn = false;
        engine.quads.clear();
    }
    void TearDown() override
    {
        for (int k = 0; k < CARD_COUNT; k++)
            Sprites[SPR_CARD_LIFT + k] = nullptr;
        StatusStripOn = false;
        ResetStoreyGrid(1, 1);
        ForgetTestCatalogue();
    }
    int QuadsColoured(uint32_t colour) const
    {
        int n = 0;
        for (const hgeQuad& q : engine.quads)
            n += q.v[0].col == colour;
        return n;
    }
};

TEST_F(HudFixture, OnlyCardsFoundOnTheStoreyGetAnIcon)
{
    DrawHeldCards();
    EXPECT_TRUE(engine.quads.empty()) << "a storey without cards opens its doors but shows no icon";
    PlaceCard(CARD_RED, {5, 5});
    PlayerCellX = PlayerCellY = 6;
    PickUpCards();
    ASSERT_TRUE(CardHeld[CARD_RED]);
    DrawHeldCards();
    EXPECT_EQ(engine.quads.size(), 1u);
}

TEST_F(HudFixture, ThePopUpNumberHasADarkRimThatFadesWithIt)
{
    AmmoPopupTime = 1.5f;
    Reserve[CurrentWeapon = WEAPON_REVOLVER] = 7;  // one letter
    DrawPopupNumber();
    EXPECT_EQ(QuadsColoured(0xFF000000u | PopupRimColour), 8);
    EXPECT_EQ(QuadsColoured(0xFFFF2222u), 1);
    ASSERT_FALSE(engine.quads.empty());
    EXPECT_EQ(engine.quads.back().v[0].col, 0xFFFF2222u) << "the number is drawn over its rim";
    engine.quads.clear();
    AmmoPopupTime = 0.5f;
    DrawPopupNumber();
    EXPECT_EQ(QuadsColoured(0x7F000000u | PopupRimColour), 8);
}

TEST_F(HudFixture, AHitFlashesRedByItsSizeAndLowHealthPulses)
{
    Health = 10;  // half the maximum at once: the strongest flash
    UpdateHurtFlash(0);
    EXPECT_EQ(HurtEdgeAlpha(), 150);
    UpdateHurtFlash(HurtFlashSeconds / 2);
    EXPECT_EQ(HurtEdgeAlpha(), 75);
    Health = 9;  // a graze
    UpdateHurtFlash(0);
    EXPECT_EQ(HurtEdgeAlpha(), 45);
    UpdateHurtFlash(1.0f);
    EXPECT_EQ(HurtEdgeAlpha(), 0) << "health above a quarter: no pulse";

    Health = 4;
    UpdateHurtFlash(1.0f);
    UpdateHurtFlash(1.0f);
    int alpha = HurtEdgeAlpha();
    EXPECT_GE(alpha, 30);
    EXPECT_LE(alpha, 75);
    engine.quads.clear();
    DrawHurtFlash();
    ASSERT_EQ(engine.quads.size(), 4u);  // the four edges
    EXPECT_EQ(engine.quads[0].v[0].col >> 24, (uint32_t)alpha);
    EXPECT_EQ(engine.quads[0].v[2].col >> 24, 0u) << "the red fades toward the middle";
    Dead = 1;
    UpdateHurtFlash(1.0f);
    EXPECT_EQ(HurtEdgeAlpha(), 0);
}

TEST_F(HudFixture, TheStatusStripShowsOnlyWhenAskedForAndTellsTheCounts)
{
    DrawStatusStrip();
    EXPECT_TRUE(engine.quads.empty());
    CurrentWeapon = WEAPON_PISTOL;
    HandgunLoaded = 12;
    Reserve[WEAPON_PISTOL] = 3;
    Reserve[WEAPON_GRENADE] = 2;
    Health = 7;
    EXPECT_EQ(StripHealthText(), "Здоровье 7/20"_cp);
    EXPECT_EQ(StripWeaponText(), "Пистолет  12 / 3 маг."_cp);
    EXPECT_EQ(StripGrenadeText(), "Гранаты 2"_cp);
    CurrentWeapon = WEAPON_NONE;
    EXPECT_EQ(StripWeaponText(), "Без оружия"_cp);
    StatusStripOn = true;
    uint32_t colour = HudFont->GetColor();
    DrawStatusStrip();
    EXPECT_FALSE(engine.quads.empty());
    EXPECT_EQ(HudFont->GetColor(), colour) << "the strip leaves the font's colour as it found it";
}

TEST(Settings, TheStripChoiceIsReadBackFromItsText)
{
    bool saved = StatusStripOn;
    StatusStripOn = false;
    ParseSettings("# mine\n  HUD = On  \nlanguage = xx\nnonsense\n");
    EXPECT_TRUE(StatusStripOn);
    ParseSettings("hud = maybe\n");
    EXPECT_TRUE(StatusStripOn) << "a value it does not know leaves the choice";
    std::string text = SettingsText();
    StatusStripOn = false;
    ParseSettings(text);
    EXPECT_TRUE(StatusStripOn);
    StatusStripOn = saved;
}

// A floor tile of 2 x 2 cells lives in its top-left cell; once that cell has
// faded out the tile must still show under its lit cells.
TEST_F(HudFixture, ALargeFloorTileShowsWhileAnyOfItsCellsIsLit)
{
    hgeAnimation parquet(engine.AddTexture(80, 80), 1, 1, 0, 0, 80, 80);
    FloorTypes[F_PARQUET].animation = &parquet;
    FloorMap[CellIndex(4, 4)] = F_PARQUET;
    VisibleCells = {0, 0, 19, 19};
    CameraX = 400, CameraY = 295;
    LightMap[CellIndex(5, 5)] = 30;
    DrawWorld(0, 0);
    bool drawn = false;
    for (const hgeQuad& q : engine.quads)
        drawn |= q.tex == parquet.GetTexture();
    EXPECT_TRUE(drawn);
    FloorTypes[F_PARQUET].animation = nullptr;
}
