// The program frame: routing on the mode variables, the full-screen key,
// the loss of focus, and what the engine is told of play.
#include <gtest/gtest.h>

#include "frame/desktop.h"
#include "frame/dispatch.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "player/movement.h"
#include "screens/world_draw.h"
#include "tests/support/temp_dir.h"
#include "tests/support/fake_engine.h"

struct ModesFixture : ::testing::Test {
    FakeEngineScope fake;
    int savedMode = GameMode, savedStage = GameStage, savedWorld = WorldMode;
    ~ModesFixture() override
    {
        GameMode = savedMode;
        GameStage = savedStage;
        WorldMode = savedWorld;
    }
};

TEST_F(ModesFixture, ValuesOutsideTheirRangesRouteNowhere)
{
    for (int mode : {-2, 3, 99}) {
        GameMode = mode;
        EXPECT_FALSE(FrameFunc());
        EXPECT_FALSE(RenderFunc());
    }
    GameMode = MODE_GAME;
    for (int stage : {-1, 5, 42}) {
        GameStage = stage;
        EXPECT_FALSE(FrameFunc());
        EXPECT_FALSE(RenderFunc());
    }
    EXPECT_TRUE(fake.engine.scenes.empty());
    EXPECT_TRUE(fake.engine.quads.empty());
}

TEST_F(ModesFixture, ScreensOutsideTheCampaignClearTheScreenAndCampaignScreensDoNot)
{
    GameMode = MODE_MENU;
    RenderFunc();
    EXPECT_EQ(fake.engine.scenes, std::vector<HTARGET>{0});
    EXPECT_EQ(fake.engine.clears, std::vector<uint32_t>{0});
    GameMode = MODE_GAME;
    GameStage = STAGE_DIALOG;
    RenderFunc();
    EXPECT_EQ(fake.engine.scenes.size(), 2u);
    EXPECT_EQ(fake.engine.clears.size(), 1u);
}

TEST_F(ModesFixture, AltEnterFlipsTheWindowOncePerPress)
{
    GameMode = 99;
    fake.engine.Press(HGEK_ALT);
    FrameFunc();
    EXPECT_TRUE(fake.engine.windowed);
    fake.engine.ClearPresses();
    fake.engine.Press(HGEK_ENTER);
    FrameFunc();
    EXPECT_FALSE(fake.engine.windowed);
    for (int frame = 0; frame < 5; frame++) {  // both keys stay down
        fake.engine.ClearPresses();
        FrameFunc();
    }
    EXPECT_FALSE(fake.engine.windowed);
    fake.engine.Release(HGEK_ENTER);
    fake.engine.ClearPresses();
    fake.engine.Press(HGEK_ENTER);
    FrameFunc();
    EXPECT_TRUE(fake.engine.windowed);
}

TEST_F(ModesFixture, LosingTheFocusLeavesPlayForTheMenu)
{
    fake.engine.playingChannels = {1, 2};
    GameMode = MODE_GAME;
    GameStage = STAGE_DIALOG;
    EXPECT_FALSE(FocusLostFunc());
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_TRUE(fake.engine.playingChannels.empty());
    GameStage = STAGE_PLAY;
    FocusLostFunc();
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(GameStage, STAGE_PLAY);
}

TEST_F(ModesFixture, EscapeSwitchesBetweenPlayAndTheEditorInDeveloperMode)
{
    bool savedDeveloper = DeveloperMode;
    DeveloperMode = true;
    GameMode = MODE_GAME;
    GameStage = STAGE_PLAY;
    WorldMode = WORLD_PLAY;
    fake.engine.Press(HGEK_ESCAPE);
    FrameFunc();
    EXPECT_EQ(WorldMode, WORLD_EDIT);
    EXPECT_EQ(GameMode, MODE_GAME);
    fake.engine.ClearPresses();
    FrameFunc();
    EXPECT_EQ(WorldMode, WORLD_EDIT);
    fake.engine.Press(HGEK_ESCAPE);
    FrameFunc();
    EXPECT_EQ(WorldMode, WORLD_PLAY);
    DeveloperMode = false;
    fake.engine.ClearPresses();
    fake.engine.Press(HGEK_ESCAPE);
    FrameFunc();
    EXPECT_EQ(GameMode, MODE_MENU);
    DeveloperMode = savedDeveloper;
}

// The mouse is kept in the window only while a storey is played in one, and
// the pad aims around the player, at twice the distance when zoomed.
TEST_F(ModesFixture, TheEngineLearnsWhenAStoreyIsPlayedAndWhereThePlayerIs)
{
    GameMode = MODE_GAME;
    GameStage = STAGE_DIALOG;
    FrameFunc();
    EXPECT_FALSE(fake.engine.mouseConfined);
    EXPECT_FALSE(fake.engine.padPlay);

    GameStage = STAGE_PLAY;
    WorldMode = WORLD_PLAY;
    float savedX = PlayerX, savedY = PlayerY;
    PlayerX = 500;
    PlayerY = 200;
    TellEngineAboutPlay();
    EXPECT_TRUE(fake.engine.mouseConfined);
    EXPECT_TRUE(fake.engine.padPlay);
    EXPECT_FLOAT_EQ(fake.engine.padX, ScreenX(500));
    EXPECT_FLOAT_EQ(fake.engine.padY, ScreenY(200));
    EXPECT_FLOAT_EQ(fake.engine.padDistance, PadAimDistance);

    SetZoom(true);
    TellEngineAboutPlay();
    EXPECT_FLOAT_EQ(fake.engine.padX, ScreenX(500) * 2);
    EXPECT_FLOAT_EQ(fake.engine.padDistance, PadAimDistance * 2);
    SetZoom(false);

    fake.engine.windowed = false;
    TellEngineAboutPlay();
    EXPECT_FALSE(fake.engine.mouseConfined);
    EXPECT_TRUE(fake.engine.padPlay);
    fake.engine.windowed = true;

    WorldMode = WORLD_EDIT;
    TellEngineAboutPlay();
    EXPECT_FALSE(fake.engine.mouseConfined);
    EXPECT_FALSE(fake.engine.padPlay);

    WorldMode = WORLD_PLAY;
    FocusLostFunc();
    TellEngineAboutPlay();
    EXPECT_FALSE(fake.engine.mouseConfined);
    EXPECT_FALSE(fake.engine.padPlay);
    PlayerX = savedX, PlayerY = savedY;
}

TEST_F(ModesFixture, F12AsksForAScreenshotBesideTheSave)
{
    TempDir dir;
    dir.Write("data/tex.png", "");
    ChangeDir in(dir.path);
    GameMode = 99;
    FrameFunc();
    EXPECT_TRUE(fake.engine.snapshots.empty());
    fake.engine.Press(HGEK_F12);
    FrameFunc();
    EXPECT_EQ(fake.engine.snapshots, std::vector<std::string>{"data/screenshots"});
}
