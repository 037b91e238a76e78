// The front door of the game: the splash, the main menu, the controls
// picture, the story screens between storeys and the shop in the lift,
// driven through the program frame with the recording engine stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <sstream>

#include "assets/catalogue.h"
#include "assets/music.h"
#include "assets/translation.h"
#include "editor/texts.h"
#include "engine/cp1251.h"
#include "frame/dispatch.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "frame/settings.h"
#include "screens/dialogues.h"
#include "screens/menu.h"
#include "screens/status_strip.h"
#include "screens/story.h"
#include "screens/upgrade.h"
#include "tests/support/fake_engine.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_dir.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/player_state.h"
#include "world/storey.h"

struct ScreensFixture : ::testing::Test {
    FakeEngineScope fake;
    ScreenResources resources;
    TempDir dir;
    ChangeDir in{dir.path};
    bool savedMusic = MusicOn, savedSound = SoundOn, savedDeveloper = DeveloperMode;

    void SetUp() override
    {
        WriteStandInCampaign(dir);
        CampaignStep = 0;
        CheckpointExists = 0;
        Checkpoint = {};
        Checkpoint.Health = -1;
        GameMode = MODE_MENU;
        GameStage = STAGE_LEVEL_INTRO;
        MusicOn = SoundOn = true;
        DeveloperMode = false;
        LoadedLevelName.clear();
        StartFrontScreens();
    }

    ~ScreensFixture() override
    {
        MusicOn = savedMusic;
        SoundOn = savedSound;
        DeveloperMode = savedDeveloper;
        GameMode = MODE_MENU;
    }

    // One frame with the key pressed in it; true when the program would end.
    bool Press(int key)
    {
        fake.engine.Press(key);
        bool stop = FrameFunc();
        fake.engine.ClearPresses();
        fake.engine.held[key] = false;
        return stop;
    }

    void MoveMouse(float x, float y)
    {
        fake.engine.mouseX = x;
        fake.engine.mouseY = y;
    }

    bool ClickAt(float x, float y)
    {
        MoveMouse(x, y);
        return Press(HGEK_LBUTTON);
    }

    void StepTo(int step)
    {
        while (CampaignStep != step)
            NextCampaignStep();
    }

    // The quad last drawn with its top-left corner at (x, y), or null.
    const hgeQuad* DrawnAt(float x, float y)
    {
        const hgeQuad* found = nullptr;
        for (const hgeQuad& q : fake.engine.quads)
            if (q.v[0].x == x && q.v[0].y == y)
                found = &q;
        return found;
    }

    void Render()
    {
        fake.engine.quads.clear();
        RenderFunc();
    }

    int SoundsPlayed(const std::string& file) const
    {
        return (int)std::count(fake.engine.sounds.begin(), fake.engine.sounds.end(), file);
    }
};

static uint32_t ColourOf(int sprite)
{
    return Sprites[sprite]->GetColor();
}

// Where a picture's quad samples its texture, in whole texture pixels.
static int SourceTop(FakeEngine& engine, const hgeQuad* q)
{
    return (int)std::lround(q->v[0].ty * engine.Texture_GetHeight(q->tex, false));
}

static int SourceLeft(FakeEngine& engine, const hgeQuad* q)
{
    return (int)std::lround(q->v[0].tx * engine.Texture_GetWidth(q->tex, false));
}

// --- splash

TEST_F(ScreensFixture, TheSplashFadesItsPictureInAndOutThenTheMenuIn)
{
    GameMode = MODE_SPLASH;
    SplashFrame(0.5f, 0, 0);
    EXPECT_EQ(ColourOf(SPR_SPLASH), 0x7F7F7F7Fu);
    SplashFrame(0.7f, 0, 0);  // 1.2 s: the picture holds
    EXPECT_EQ(ColourOf(SPR_SPLASH), 0x7F7F7F7Fu);
    SplashFrame(0.55f, 0, 0);  // 1.75 s: fading out
    EXPECT_EQ(ColourOf(SPR_SPLASH), 0xBFBFBFBFu);
    Render();
    EXPECT_EQ(fake.engine.textureName(fake.engine.quads.at(0).tex), "data/Gamin.png");
    SplashFrame(1.25f, 0, 0);  // 3 s: the menu fades in
    EXPECT_EQ(ColourOf(SPR_MENU), 0x7F7F7F7Fu);
    EXPECT_EQ(GameMode, MODE_SPLASH);
    Render();
    EXPECT_EQ(fake.engine.textureName(fake.engine.quads.at(0).tex), "data/Menu.png");
    SplashFrame(0.6f, 0, 0);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(ColourOf(SPR_MENU), 0xFFFFFFFFu);
    EXPECT_EQ(SoundsPlayed("sound/menu_music.mp3"), 1);
}

TEST_F(ScreensFixture, AKeyLeavesTheSplashAtOnceAndTheMenuIsFullyLit)
{
    GameMode = MODE_SPLASH;
    fake.engine.Press(HGEK_LBUTTON);
    SplashFrame(0.2f, 0, 0);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(ColourOf(SPR_SPLASH), 0x33333333u);  // the last fade step reached
    EXPECT_EQ(ColourOf(SPR_MENU), 0xFFFFFFFFu);

    StartFrontScreens();
    GameMode = MODE_SPLASH;
    fake.engine.Press('K');
    SplashFrame(2.6f, 0, 0);  // in the middle of the menu's fade
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(ColourOf(SPR_MENU), 0xFFFFFFFFu);
}

// --- main menu

TEST_F(ScreensFixture, AButtonCountsItsLeftAndTopEdgesButNotItsRightAndBottom)
{
    MoveMouse(0, 369);
    FrameFunc();
    EXPECT_TRUE(MenuHover[MENU_NEW_GAME]);
    MoveMouse(232.5f, 397.5f);
    FrameFunc();
    EXPECT_TRUE(MenuHover[MENU_NEW_GAME]);
    for (auto [x, y] : {std::pair{233.0f, 380.0f}, {100.0f, 398.0f}, {-0.5f, 380.0f}, {100.0f, 368.9f}}) {
        MoveMouse(x, y);
        FrameFunc();
        EXPECT_FALSE(MenuHover[MENU_NEW_GAME]) << x << ", " << y;
    }
    ClickAt(233, 380);
    EXPECT_EQ(CampaignStep, 0);
    ClickAt(0, 369);
    EXPECT_EQ(CampaignStep, 1);
    EXPECT_EQ(GameMode, MODE_GAME);

    GameMode = MODE_MENU;
    ClickAt(654, 2);
    EXPECT_FALSE(SoundOn);
    ClickAt(723, 40);  // between the two icons
    EXPECT_FALSE(SoundOn);
    EXPECT_TRUE(MusicOn);
    ClickAt(727, 70);
    EXPECT_FALSE(MusicOn);
    ClickAt(727, 71);
    EXPECT_FALSE(MusicOn);
}

TEST_F(ScreensFixture, ContinueNeedsACampaignOrASaveAndRestartAStoreyReachedThisRun)
{
    Render();
    EXPECT_EQ(DrawnAt(0, 449), nullptr);
    EXPECT_EQ(DrawnAt(0, 409), nullptr);
    Checkpoint.Health = 12;  // a save was read at start-up
    Checkpoint.step = 7;
    Render();
    ASSERT_NE(DrawnAt(0, 449), nullptr);
    EXPECT_EQ(SourceTop(fake.engine, DrawnAt(0, 449)), 661);
    EXPECT_EQ(DrawnAt(0, 409), nullptr);
    CheckpointExists = 1;
    MoveMouse(10, 455);
    FrameFunc();
    Render();
    EXPECT_EQ(SourceTop(fake.engine, DrawnAt(0, 449)), 690);
    ASSERT_NE(DrawnAt(0, 409), nullptr);
    EXPECT_EQ(SourceTop(fake.engine, DrawnAt(0, 409)), 776);
}

TEST_F(ScreensFixture, SpaceWithNothingToContinueStartsANewGame)
{
    Press(HGEK_SPACE);
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
    EXPECT_EQ(StoreyNumber, 1);
    EXPECT_EQ(CampaignStep, 1);
}

TEST_F(ScreensFixture, SpaceWithASaveReplaysItsStoreyFromTheIntro)
{
    StepTo(8);  // storey 3's intro: its checkpoint is taken
    checkpoint_struct saved = Checkpoint;
    CampaignStep = 0;
    CheckpointExists = 0;  // as after a restart of the program
    BonusPoints = 1234;
    GameMode = MODE_MENU;
    Press(HGEK_SPACE);
    EXPECT_EQ(CampaignStep, 8);
    EXPECT_EQ(StoreyNumber, 3);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
    EXPECT_EQ(BonusPoints, saved.BonusPoints);
}

TEST_F(ScreensFixture, EscapeOnAStoryScreenAndSpaceInTheMenuComeBackToIt)
{
    StepTo(5);  // dialogue of storey 2
    ASSERT_EQ(GameStage, STAGE_DIALOG);
    GameMode = MODE_GAME;
    BonusPoints = 77;
    FrameFunc();
    EXPECT_FALSE(fake.engine.playingChannels.empty());  // the screen music
    Press(HGEK_ESCAPE);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_TRUE(fake.engine.playingChannels.empty());
    EXPECT_EQ(CampaignStep, 5);
    FrameFunc();  // the menu's music
    Press(HGEK_SPACE);
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_TRUE(fake.engine.playingChannels.empty());
    EXPECT_EQ(GameStage, STAGE_DIALOG);
    EXPECT_EQ(DialogueNumber, 2);
    EXPECT_EQ(CampaignStep, 5);
    EXPECT_EQ(BonusPoints, 77);
    Press(HGEK_ESCAPE);
    ClickAt(10, 455);  // Continue
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_EQ(GameStage, STAGE_DIALOG);
    ClickAt(400, 300);  // a click turns the page like a key
    EXPECT_EQ(GameStage, STAGE_UPGRADE);
}

TEST_F(ScreensFixture, ExitAndEscapeWriteTheSaveAndEndTheProgram)
{
    StepTo(4);  // storey 2 reached
    GameMode = MODE_MENU;
    EXPECT_TRUE(ClickAt(10, 535));
    EXPECT_TRUE(std::filesystem::exists(dir.path + "/data/save"));
    std::filesystem::remove(dir.path + "/data/save");
    EXPECT_TRUE(Press(HGEK_ESCAPE));
    EXPECT_TRUE(std::filesystem::exists(dir.path + "/data/save"));
}

// A save that cannot be written (here a folder stands in its place) was
// once only mentioned in the log.
TEST_F(ScreensFixture, AnUnwritableSaveIsToldOnTheMenuOnceBeforeLeaving)
{
    StepTo(4);  // storey 2 reached
    dir.Write("data/save/in-the-way", "");
    GameMode = MODE_GAME;
    GameStage = STAGE_PLAY;
    EXPECT_FALSE(ExitFunc());  // closing the window shows the menu first
    EXPECT_EQ(GameMode, MODE_MENU);
    Render();
    size_t withNotice = fake.engine.quads.size();
    for (int frame = 0; frame < 6 * 60; frame++)
        FrameFunc();
    Render();
    EXPECT_LT(fake.engine.quads.size(), withNotice);  // gone after a few seconds
    EXPECT_TRUE(Press(HGEK_ESCAPE));  // told once, the player may leave
}

TEST_F(ScreensFixture, MusicSwitchedOffStaysOffUntilSwitchedOn)
{
    FrameFunc();
    EXPECT_EQ(SoundsPlayed("sound/menu_music.mp3"), 1);
    ClickAt(730, 10);
    EXPECT_FALSE(MusicOn);
    EXPECT_TRUE(fake.engine.playingChannels.empty());
    FrameFunc();
    Press(HGEK_SPACE);  // a new game: its intro starts no music either
    FrameFunc();
    EXPECT_EQ(fake.engine.sounds.size(), 1u);
    Press(HGEK_ESCAPE);
    ClickAt(730, 10);
    EXPECT_TRUE(MusicOn);
    FrameFunc();
    EXPECT_EQ(SoundsPlayed("sound/menu_music.mp3"), 2);
}

TEST_F(ScreensFixture, TheLanguageSwitchShowsTheNextLanguagesPicturesAtOnceAndKeepsIt)
{
    std::filesystem::create_directory_symlink(QUARVEL_SOURCE_DIR "/data/lang", dir.path + "/data/lang");
    LoadLanguageList();
    ASSERT_GE(Languages.size(), 2u);
    HTEXTURE atlas = TextureRegistry[0].handle;
    size_t loaded = fake.engine.loadedTextures.size();
    ClickAt(600, 30);
    EXPECT_EQ(LanguageCode(), Languages[1]);
    std::vector<std::string> reloaded(fake.engine.loadedTextures.begin() + loaded, fake.engine.loadedTextures.end());
    EXPECT_EQ(reloaded.size(), REGISTRY_PICTURE_COUNT - 1u) << "every picture but the atlas has words";
    EXPECT_EQ(fake.engine.freedTextures, (int)reloaded.size());
    EXPECT_EQ(reloaded[0], "data/lang/" + Languages[1] + "/Menu.png");
    EXPECT_EQ(TextureRegistry[0].handle, atlas);
    for (int sprite : {SPR_MENU, SPR_EXIT_HIGHLIT, SPR_SOUND_OFF})
        EXPECT_EQ(Sprites[sprite]->GetTexture(), TextureRegistry[1].handle);
    EXPECT_EQ(ColourOf(SPR_SPLASH), 0x00000000u) << "the splash keeps its fade";
    EXPECT_NE(ReadWholeFile("settings.cfg").find("language = " + Languages[1]), std::string::npos);
    EXPECT_TRUE(MusicOn && SoundOn);
    for (size_t k = 2; k <= Languages.size(); k++)
        ClickAt(600, 30);
    EXPECT_EQ(LanguageCode(), "ru");
    EXPECT_EQ(fake.engine.loadedTextures.back(), "data/GameOver.png");
    SettingsLanguage.clear();
}

// In a web page a language's pictures arrive some frames after the switch.
TEST_F(ScreensFixture, PicturesOfALanguageStillOnTheirWayShowTheFrameTheyArrive)
{
    namespace fs = std::filesystem;
    fs::create_directory(dir.path + "/data/lang");
    fs::create_symlink(QUARVEL_SOURCE_DIR "/data/lang/LINGUAS", dir.path + "/data/lang/LINGUAS");
    LoadLanguageList();
    ASSERT_GE(Languages.size(), 2u);
    std::string folder = "data/lang/" + Languages[1];
    fake.engine.folderStates[folder] = HGE_FOLDER_COMING;
    size_t loaded = fake.engine.loadedTextures.size();
    ClickAt(600, 30);
    FrameFunc();
    EXPECT_EQ(LanguageCode(), Languages[1]);
    EXPECT_EQ(fake.engine.loadedTextures.size(), loaded) << "the Russian pictures stay meanwhile";
    fs::create_directory_symlink(QUARVEL_SOURCE_DIR "/" + folder, dir.path + "/" + folder);
    fake.engine.folderStates[folder] = HGE_FOLDER_READY;
    FrameFunc();
    EXPECT_EQ(fake.engine.loadedTextures.size(), loaded + REGISTRY_PICTURE_COUNT - 1);
    EXPECT_EQ(RegistryPictureFiles[1], folder + "/Menu.png");
    EXPECT_EQ(Sprites[SPR_MENU]->GetTexture(), TextureRegistry[1].handle);
    size_t asked = fake.engine.foldersAsked.size();
    FrameFunc();
    EXPECT_EQ(fake.engine.foldersAsked.size(), asked) << "not asked again once arrived";
    ChooseLanguage("ru");
    SettingsLanguage.clear();
}

TEST_F(ScreensFixture, ControlsPictureLeavesOnAnyKey)
{
    ClickAt(10, 495);
    EXPECT_EQ(GameMode, MODE_CONTROLS);
    FrameFunc();
    EXPECT_EQ(GameMode, MODE_CONTROLS);
    Press('W');
    EXPECT_EQ(GameMode, MODE_MENU);
}

TEST_F(ScreensFixture, InDeveloperModeTheMenuLeadsBackToTheScratchStorey)
{
    DeveloperMode = true;
    dir.Write("data/temp.lvl", StandInStorey(6));
    ASSERT_TRUE(LoadLevel("temp.lvl"));
    GameStage = STAGE_PLAY;
    Render();
    EXPECT_NE(DrawnAt(0, 449), nullptr);
    Press(HGEK_SPACE);
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_EQ(GameStage, STAGE_PLAY);
    EXPECT_EQ(CampaignStep, 0);
    // Died there: Continue starts it again, healed.
    GameMode = MODE_MENU;
    Dead = 1;
    MaxHealth = 20;
    Health = -4;
    ClickAt(10, 455);
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_EQ(Dead, 0);
    EXPECT_EQ(Health, 20);
    EXPECT_EQ(LevelWidth, 6);
}

TEST(MissingPictures, DrawAsPlainRectanglesAndTheMenuStillWorks)
{
    FakeEngineScope fake;
    fake.engine.missingFiles = {"data/Menu.png"};
    ScreenResources resources;
    ASSERT_NE(Sprites[SPR_MENU], nullptr);
    GameMode = MODE_MENU;
    CampaignStep = 0;
    fake.engine.mouseX = 5;
    fake.engine.mouseY = 375;
    FrameFunc();
    EXPECT_TRUE(MenuHover[MENU_NEW_GAME]);
    RenderFunc();
    ASSERT_GE(fake.engine.quads.size(), 2u);
    const hgeQuad& background = fake.engine.quads[0];
    EXPECT_EQ(background.tex, 0u);
    EXPECT_EQ(background.v[2].x, 800);
    EXPECT_EQ(background.v[2].y, 590);
    EXPECT_EQ(fake.engine.quads[1].v[0].y, 369);  // the highlight, as a rectangle too
}

// --- story screens

// Runs check in every language the game offers, then goes back to Russian.
template <class Check>
static void InEveryLanguage(Check check)
{
    std::vector<std::string> codes;
    {
        ChangeDir in(QUARVEL_SOURCE_DIR);
        LoadLanguageList();
        codes = Languages;
    }
    for (const std::string& code : codes) {
        SCOPED_TRACE(code);
        {
            ChangeDir in(QUARVEL_SOURCE_DIR);
            ChooseLanguage(code);
        }
        check();
    }
    ChooseLanguage("ru");
}

// Calls line(text) for every line of a text.
template <class Line>
static void ForEachLine(const std::string& text, Line line)
{
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        line(l);
}

TEST(DialoguePages, EveryLineFitsTheSheetInTheDialogueFontInEveryLanguage)
{
    FakeEngineScope fake;
    hgeFont font(QUARVEL_SOURCE_DIR "/data/font1.fnt");
    ASSERT_GT(font.GetHeight(), 0);
    InEveryLanguage([&] {
        for (int page = 0; page < DIALOGUE_PAGE_COUNT; page++) {
            const dialogue_page_struct& p = DialoguePages[page];
            for (const dialogue_block_struct& b : p.blocks) {
                if (!b.text)
                    break;
                EXPECT_EQ(LineCount(Tr(b.text)), LineCount(b.text)) << "page " << page + 1 << ": " << Tr(b.text);
                ForEachLine(Tr(b.text), [&](const std::string& line) {
                    EXPECT_LE(p.x + font.GetStringWidth(line.c_str()), DialogueRight)
                        << "page " << page + 1 << ": " << Utf8FromCp1251(line);
                    for (char c : line)
                        EXPECT_NE(font.GetLetter((unsigned char)c), nullptr) << Utf8FromCp1251(std::string(1, c));
                });
            }
        }
    });
}

TEST(DialoguePages, SpeakersLinesAndMarginsOfEveryPage)
{
    // Speaker letter and line count of every block, page by page.
    const char* expected[DIALOGUE_PAGE_COUNT] = {
        "A1 B11", "A1 B4", "A1 B2 A1 B2", "A1 B1 A1 B3", "A3 B3",
        "A1 B1 A2 B1", "A1 B1 A2 B1 A3", "A1 B3", "A3", "A4 B1 A2",
    };
    const float margins[DIALOGUE_PAGE_COUNT] = {53, 53, 40, 53, 53, 53, 53, 53, 53, 45};
    for (int page = 0; page < DIALOGUE_PAGE_COUNT; page++) {
        std::string layout;
        for (const dialogue_block_struct& b : DialoguePages[page].blocks) {
            if (!b.text)
                break;
            layout += std::string(layout.empty() ? "" : " ") + (b.speaker == SPEAKER_A ? "A" : "B") +
                      std::to_string(LineCount(b.text));
        }
        EXPECT_EQ(layout, expected[page]) << "page " << page + 1;
        EXPECT_EQ(DialoguePages[page].x, margins[page]) << "page " << page + 1;
    }
}

TEST_F(ScreensFixture, ADialoguePageStacksItsBlocksOnTheRuledLinesInTheSpeakersColours)
{
    GameMode = MODE_GAME;
    GameStage = STAGE_DIALOG;
    DialogueNumber = 3;
    Render();
    EXPECT_EQ(fake.engine.textureName(fake.engine.quads.at(0).tex), "data/Dialog.png");
    // The top and colour of every line of letters, in drawing order.
    std::vector<std::pair<float, uint32_t>> starts;
    for (size_t i = 1; i < fake.engine.quads.size(); i++) {
        const hgeQuad& q = fake.engine.quads[i];
        EXPECT_GE(q.v[0].x, 40);
        if (starts.empty() || starts.back().first != q.v[0].y)
            starts.push_back({q.v[0].y, q.v[0].col});
    }
    std::vector<std::pair<float, uint32_t>> expected = {
        {156, 0xFFFF0000}, {188, 0xFF0000FF}, {220, 0xFF0000FF}, {252, 0xFFFF0000}, {284, 0xFF0000FF}, {316, 0xFF0000FF}};
    EXPECT_EQ(starts, expected);
    DialogueNumber = 11;
    Render();
    EXPECT_EQ(fake.engine.quads.size(), 1u);  // the sheet alone
}

TEST_F(ScreensFixture, TheIntroShowsTheBuildingOfItsStorey)
{
    GameMode = MODE_GAME;
    GameStage = STAGE_LEVEL_INTRO;
    for (int k : {1, 2, 10}) {
        StoreyNumber = k;
        Render();
        ASSERT_EQ(fake.engine.quads.size(), 1u);
        EXPECT_EQ(fake.engine.textureName(fake.engine.quads[0].tex), "data/Building" + std::to_string(k) + ".png");
    }
    StoreyNumber = 0;
    Render();
    EXPECT_TRUE(fake.engine.quads.empty());
}

TEST_F(ScreensFixture, AnyKeyOnTheFinalPictureEndsTheCampaign)
{
    StepTo(39);
    NextCampaignStep();
    ASSERT_EQ(GameStage, STAGE_GAME_OVER);
    FrameFunc();
    EXPECT_TRUE(fake.engine.playingChannels.empty());  // no music here
    Press(HGEK_ESCAPE);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 0);
    Render();
    EXPECT_EQ(DrawnAt(0, 449), nullptr);  // nothing to continue
}

// --- the shop

struct ShopFixture : ScreensFixture {
    void SetUp() override
    {
        ScreensFixture::SetUp();
        StepTo(6);  // the shop before storey 2
        ASSERT_EQ(GameStage, STAGE_UPGRADE);
        SoundOn = true;
        fake.engine.sounds.clear();
    }

    std::string TextAt(float x, float y)
    {
        MoveMouse(x, y);
        FrameFunc();
        return ShopText;
    }
};

// Points inside each rectangle.
const float RifleX = 100, RifleY = 80, RifleMagazineX = 350, RifleMagazineY = 80;
const float ShotgunX = 100, ShotgunY = 200, HealingX = 340, HealingY = 500;
const float HelmetX = 500, HelmetY = 80, ExitX = 700, ExitY = 550;

TEST_F(ShopFixture, ExactlyThePriceBuysAndLeavesNothing)
{
    BonusPoints = 40;
    ClickAt(HelmetX, HelmetY);
    EXPECT_EQ(HasHelmet, 1);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_EQ(SoundsPlayed("sound/bell-1.mp3"), 1);
    ClickAt(HelmetX, HelmetY);  // owned gear: nothing, not even a sound
    EXPECT_EQ(ShopText, std::string("Каска\nНа голове"_cp));
    EXPECT_EQ(fake.engine.sounds.size(), 2u);  // the screen music and the bell
}

TEST_F(ShopFixture, ARifleMagazineNeedsPocketRoom)
{
    BonusPoints = 100;
    Reserve[WEAPON_PISTOL] = 2;  // 50 units
    Reserve[WEAPON_SHOTGUN] = 5;  // 10 more
    EXPECT_EQ(TextAt(RifleMagazineX, RifleMagazineY), std::string("Магазин\nЦена: 40\nРазмер: 40"_cp));
    ClickAt(RifleMagazineX, RifleMagazineY);
    EXPECT_EQ(Reserve[WEAPON_RIFLE], 0);
    EXPECT_EQ(BonusPoints, 100);
    EXPECT_EQ(SoundsPlayed("sound/error.mp3"), 1);
    HasPocketVest = 1;
    ClickAt(RifleMagazineX, RifleMagazineY);
    EXPECT_EQ(Reserve[WEAPON_RIFLE], 1);
    EXPECT_EQ(BonusPoints, 60);
    EXPECT_EQ(SoundsPlayed("sound/bell-1.mp3"), 1);
}

TEST_F(ShopFixture, HealingAtFullHealthIsRefused)
{
    BonusPoints = 50;
    ASSERT_EQ(Health, MaxHealth);
    EXPECT_EQ(TextAt(HealingX, HealingY), std::string("Лечение\nЦена: 15\n"_cp));
    ClickAt(HealingX, HealingY);
    EXPECT_EQ(BonusPoints, 50);
    EXPECT_EQ(SoundsPlayed("sound/error.mp3"), 1);
}

TEST_F(ShopFixture, AGunLeftInTheLiftIsTakenBackLoadedForFree)
{
    BonusPoints = 320;
    ClickAt(RifleX, RifleY);
    EXPECT_EQ(TextAt(RifleX, RifleY), std::string("Автомат\nНа ремне"_cp));
    LongGunLoaded = 3;
    ClickAt(ShotgunX, ShotgunY);
    EXPECT_EQ(LongGunSlot, WEAPON_SHOTGUN);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_EQ(TextAt(RifleX, RifleY), std::string("Автомат\nВ лифте"_cp));
    fake.engine.randomInts = {2};
    ClickAt(RifleX, RifleY);
    EXPECT_EQ(LongGunSlot, WEAPON_RIFLE);
    EXPECT_EQ(LongGunLoaded, 30);
    EXPECT_EQ(CurrentWeapon, WEAPON_RIFLE);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_EQ(fake.engine.sounds.back(), "sound/backpack_2.mp3");
    Render();
    ASSERT_NE(DrawnAt(25, 34), nullptr);
    EXPECT_EQ(SourceLeft(fake.engine, DrawnAt(25, 34)), 503);  // the carried rifle, over the owned one
}

TEST_F(ShopFixture, TheRectanglesEdges)
{
    EXPECT_EQ(TextAt(700, 321), std::string("Занятое\nместо в\nкарманах"_cp));
    EXPECT_EQ(TextAt(700, 320.5f), std::string("Бонусные\nочки,\nполученные\nза разгром\nи убийство"_cp));
    EXPECT_EQ(TextAt(615, 330), "");
    EXPECT_EQ(TextAt(615.5f, 330), std::string("Занятое\nместо в\nкарманах"_cp));
    EXPECT_EQ(TextAt(25, RifleY), "");
    EXPECT_EQ(TextAt(RifleX, 34), "");
    EXPECT_EQ(TextAt(RifleX, 143.5f), std::string("Автомат\nЦена: 200\n"_cp));
    EXPECT_EQ(TextAt(500, 500), std::string("Жилет с\nкарманами\nЦена: 80\n"_cp));
    EXPECT_EQ(TextAt(80, 500), std::string("Револьвер\nЦена: 10\n"_cp));
    EXPECT_EQ(TextAt(80, 380), std::string("Пистолет\nВ кармане"_cp));
    EXPECT_EQ(TextAt(180, 500), std::string("Патрон\nЦена: 1\nРазмер: 1"_cp));
    EXPECT_EQ(TextAt(ExitX, ExitY), std::string("Выйти из\nлифта"_cp));
}

TEST_F(ShopFixture, LeavingByClickAndSpaceInOneFrameTakesOneStep)
{
    MoveMouse(ExitX, ExitY);
    fake.engine.Press(HGEK_SPACE);
    Press(HGEK_LBUTTON);
    EXPECT_EQ(GameStage, STAGE_PLAY);
    EXPECT_EQ(CampaignStep, 7);
    EXPECT_EQ(StoreyNumber, 2);
}

// The right-hand panel the description is printed in, from (616, 29).
const float ShopTextRight = 784, ShopTextBottom = 204;

// Every text the mouse can call up in the shop, with nothing owned and with
// everything owned.
static std::set<std::string> ShopTexts(ShopFixture& shop)
{
    std::set<std::string> texts;
    for (int owned = 0; owned < 2; owned++) {
        for (int16_t* flag : {&OwnsRifle, &OwnsShotgun, &OwnsPistol, &OwnsRevolver, &HasHelmet, &HasVest,
                              &HasKnuckles, &HasPocketVest})
            *flag = (int16_t)owned;
        for (float y = 0; y < 590; y += 6)
            for (float x = 0; x < 800; x += 6)
                texts.insert(shop.TextAt(x, y));
    }
    return texts;
}

TEST_F(ShopFixture, EveryTextFitsItsBoxInEveryLanguage)
{
    InEveryLanguage([&] {
        for (const std::string& text : ShopTexts(*this)) {
            EXPECT_LE(29 + ShopFont->GetHeight() * LineCount(text.c_str()), ShopTextBottom) << Utf8FromCp1251(text);
            EXPECT_LE(616 + ShopFont->GetStringWidth(text.c_str()), ShopTextRight) << Utf8FromCp1251(text);
        }
        // The status strip's three columns (the cards take the right end).
        Health = MaxHealth = 100;
        EXPECT_LE(10 + HudFont->GetStringWidth(StripHealthText().c_str()), 182);
        for (CurrentWeapon = WEAPON_NONE; CurrentWeapon < WEAPON_COUNT; CurrentWeapon++) {
            Reserve[CurrentWeapon] = 99;
            EXPECT_LE(190 + HudFont->GetStringWidth(StripWeaponText().c_str()), 442) << StripWeaponText();
        }
        EXPECT_LE(450 + HudFont->GetStringWidth(StripGrenadeText().c_str()), 800 - 6 - 4 * 36);
        // The menu's notice stays on its dark band; the editor's dialog lines in their box.
        EXPECT_LE(26 + HudFont->GetStringWidth(Tr(SaveFailedNotice)), 300);
        for (const char* line : {TextSaveAsTitle, TextSaveAsKeys, TextNameTaken, TextOpenKeys, TextNewTitle, TextNewKeys})
            EXPECT_LE(HudFont->GetStringWidth(Tr(line)), 540) << Utf8FromCp1251(Tr(line));
    });
}

TEST_F(ShopFixture, SpaceLeavesFromAnywhereAndEscapeForTheMenu)
{
    MoveMouse(RifleX, RifleY);
    Press(HGEK_ESCAPE);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 6);
    Press(HGEK_SPACE);  // the menu resumes the shop
    EXPECT_EQ(GameStage, STAGE_UPGRADE);
    Press(HGEK_SPACE);
    EXPECT_EQ(GameStage, STAGE_PLAY);
    EXPECT_EQ(CampaignStep, 7);
}
