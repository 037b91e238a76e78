// The gamepad: which game keys its buttons and sticks hold in play and on
// the screens, and the same rules end to end through the runner's
// synthetic pad, from the menu into play.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/gamepad.h"
#include "engine/sdl_engine.h"
#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

static std::vector<int> KeysHeld(const pad_struct& pad, bool play)
{
    bool held[HGEK_MAXKEY] = {};
    PadKeysHeld(pad, play, held);
    std::vector<int> keys;
    for (int k = 0; k < HGEK_MAXKEY; k++)
        if (held[k])
            keys.push_back(k);
    return keys;
}

TEST(PadKeys, EachButtonHoldsItsKeyInPlay)
{
    const struct {
        int button;
        int key;
    } cases[] = {
        {PAD_A, HGEK_SPACE},     {PAD_B, HGEK_SHIFT},     {PAD_X, 'R'},           {PAD_Y, '3'},
        {PAD_START, HGEK_ESCAPE}, {PAD_LEFTSHOULDER, '1'}, {PAD_RIGHTSHOULDER, '2'}, {PAD_DPUP, 'W'},
        {PAD_DPLEFT, 'A'},       {PAD_DPDOWN, 'S'},       {PAD_DPRIGHT, 'D'},          {PAD_BACK, 'H'},
    };
    for (const auto& c : cases) {
        pad_struct pad;
        pad.button[c.button] = true;
        EXPECT_EQ(KeysHeld(pad, true), std::vector<int>{c.key}) << PadButtonName(c.button);
    }
    pad_struct none;
    none.button[PAD_GUIDE] = none.button[PAD_LEFTSTICK] = true;
    EXPECT_TRUE(KeysHeld(none, true).empty());
}

TEST(PadKeys, TriggersFireAndStrikeOnlyWhenPulledPastHalfway)
{
    pad_struct pad;
    pad.axis[PAD_RIGHTTRIGGER] = 0.5f;
    pad.axis[PAD_LEFTTRIGGER] = 0.4f;
    EXPECT_TRUE(KeysHeld(pad, true).empty());
    pad.axis[PAD_RIGHTTRIGGER] = 0.6f;
    EXPECT_EQ(KeysHeld(pad, true), std::vector<int>{HGEK_LBUTTON});
    pad.axis[PAD_LEFTTRIGGER] = 1.0f;
    EXPECT_EQ(KeysHeld(pad, true), (std::vector<int>{HGEK_LBUTTON, HGEK_RBUTTON}));
}

TEST(PadKeys, TheLeftStickWalksInEightDirections)
{
    const struct {
        float x, y;
        std::vector<int> keys;
    } cases[] = {
        {1, 0, {'D'}},          {0.7f, 0.7f, {'D', 'S'}}, {0, 1, {'S'}},          {-0.7f, 0.7f, {'A', 'S'}},
        {-1, 0, {'A'}},         {-0.7f, -0.7f, {'A', 'W'}}, {0, -1, {'W'}},       {0.7f, -0.7f, {'D', 'W'}},
        {0.9f, 0.3f, {'D'}},    {0.2f, -0.9f, {'W'}},      {0.2f, 0.2f, {}},      // resting near the middle
    };
    for (const auto& c : cases) {
        pad_struct pad;
        pad.axis[PAD_LEFTX] = c.x;
        pad.axis[PAD_LEFTY] = c.y;
        EXPECT_EQ(KeysHeld(pad, true), c.keys) << c.x << ", " << c.y;
    }
}

TEST(PadKeys, OnTheScreensOnlyAClicksAndStartLeaves)
{
    pad_struct pad;
    for (bool& b : pad.button)
        b = true;
    pad.axis[PAD_LEFTX] = pad.axis[PAD_RIGHTTRIGGER] = 1;
    EXPECT_EQ(KeysHeld(pad, false), (std::vector<int>{HGEK_LBUTTON, HGEK_ESCAPE}));
}

TEST(PadPointer, StickSpeedGrowsWithThePushAndTheDpadIsSteady)
{
    pad_struct pad;
    float dx, dy;
    pad.axis[PAD_LEFTX] = 0.15f;
    PointerStep(pad, 0.5f, &dx, &dy);
    EXPECT_EQ(dx, 0);
    pad.axis[PAD_LEFTX] = 0.6f;
    PointerStep(pad, 0.5f, &dx, &dy);
    float half = dx;
    pad.axis[PAD_LEFTX] = 1.0f;
    PointerStep(pad, 0.5f, &dx, &dy);
    EXPECT_GT(half, 0);
    EXPECT_LT(half, dx / 2);
    EXPECT_FLOAT_EQ(dx, 450);
    pad = pad_struct();
    pad.button[PAD_DPUP] = pad.button[PAD_DPLEFT] = true;
    PointerStep(pad, 0.5f, &dx, &dy);
    EXPECT_FLOAT_EQ(dx, -200);
    EXPECT_FLOAT_EQ(dy, -200);
}

TEST(PadAim, TheDirectionHoldsWhileTheStickSpringsBack)
{
    pad_struct pad;
    float angle = 7;
    pad.axis[PAD_RIGHTX] = -0.3f;
    pad.axis[PAD_RIGHTY] = 0.3f;
    EXPECT_FALSE(AimDirection(pad, &angle));
    EXPECT_EQ(angle, 7);
    pad.axis[PAD_RIGHTY] = -0.9f;
    ASSERT_TRUE(AimDirection(pad, &angle));
    EXPECT_NEAR(angle, std::atan2(-0.9f, -0.3f), 1e-6);
}

// A pad plugged in while the game runs, through SDL's own controller layer
// (a virtual pad laid out as SDL's controllers are): its buttons and sticks
// reach the game, and pulling it out lets go of everything it held.
TEST(PadDevice, APadPluggedInWhileRunningPlaysAndUnpluggingLetsGo)
{
    const int HeldByThePad[] = {'R', '2', HGEK_RBUTTON, 'W'};
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    {
        SdlEngine engine;
        engine.InitPads();
        engine.Input_SetPadPlay(true, 400, 295, 160);
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        engine.PollWindowEvents();
        ASSERT_EQ(engine.padDevices.size(), 1u);
        SDL_Joystick* joystick = SDL_GameControllerGetJoystick(engine.padDevices[0].controller);
        SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_X, 1);
        SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
        SDL_GameControllerUpdate();
        engine.UpdatePadInput(1 / 60.0f);
        for (int key : HeldByThePad)
            EXPECT_TRUE(engine.Input_KeyDown(key)) << key;
        EXPECT_FALSE(engine.Input_GetKeyState(HGEK_SPACE));
        float x, y;
        engine.Input_GetMousePos(&x, &y);
        EXPECT_FLOAT_EQ(x, 560);
        EXPECT_FLOAT_EQ(y, 295);

        SDL_JoystickDetachVirtual(index);
        engine.PollWindowEvents();
        EXPECT_TRUE(engine.padDevices.empty());
        engine.ClearFrameInput();
        engine.UpdatePadInput(1 / 60.0f);
        for (int key : HeldByThePad)
            EXPECT_TRUE(engine.Input_KeyUp(key)) << key;
        engine.ShutdownPads();
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_Quit();
}

// The shipped data in a scratch folder; with kresk the showroom storey.
struct PadRun : ::testing::Test {
    TempDir dir;
    void SetUp() override { LinkGameData(dir.path, true); }
    RunnerResult Run(const std::string& script, int frames, const std::vector<int>& dumpsAt = {})
    {
        std::vector<std::string> args = {"--frames", std::to_string(frames), "--input",
                                         dir.Write("pad.txt", script)};
        for (int f : dumpsAt) {
            args.push_back("--dump-at");
            args.push_back(std::to_string(f) + ":" + dir.path + "/at" + std::to_string(f) + ".json");
        }
        return RunSim(dir.path, args);
    }
    std::string DumpAt(int frame) const { return ReadWholeFile(dir.path + "/at" + std::to_string(frame) + ".json"); }
};

static double Number(const std::string& dump, const std::string& key)
{
    size_t at = dump.find("\"" + key + "\": ");
    return at == std::string::npos ? -1e9 : atof(dump.c_str() + at + key.size() + 4);
}

// A leaves the splash, the D-pad brings the pointer onto New game, A clicks
// it, and Start is Escape on the storey's picture.
TEST_F(PadRun, TheMenuIsUsableWithThePadAlone)
{
    RunnerResult r = Run("0 mouse 300 300\n"
                         "2 pad down A\n"
                         "3 pad up A\n"
                         "10 pad down DPLEFT\n"  // 30 frames at 400 pixels a second: x 100
                         "40 pad up DPLEFT\n"
                         "40 pad down DPDOWN\n"  // 12 frames: y 380, inside New game (369..397)
                         "52 pad up DPDOWN\n"
                         "55 pad down A\n"
                         "56 pad up A\n"
                         "70 pad down START\n"
                         "71 pad up START\n",
                         80, {54, 60});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string before = DumpAt(54), after = DumpAt(60);
    EXPECT_EQ(Number(before, "GameMode"), 0) << before.substr(0, 300);
    EXPECT_EQ(Number(after, "GameMode"), 2);
    EXPECT_EQ(Number(after, "GameStage"), 0);
    EXPECT_EQ(Number(after, "CampaignStep"), 1);
    EXPECT_EQ(Number(r.dump, "GameMode"), 0);
    EXPECT_EQ(Number(r.dump, "CampaignStep"), 1);  // the campaign waits in the menu
}

static double Distance(const std::string& dump)
{
    return std::hypot(Number(dump, "AimX") - Number(dump, "PlayerX"), Number(dump, "AimY") - Number(dump, "PlayerY"));
}

// The right stick sets the aim's direction once; the aim then stays at the
// same distance and direction from the player while he walks.
TEST_F(PadRun, InPlayTheLeftStickWalksAndTheRightStickAimsAroundThePlayer)
{
    dir.Write("kresk", "");
    RunnerResult r = Run("0 mouse 400 295\n"
                         "5 pad axis RIGHTY -1\n"  // aim straight up
                         "8 pad axis RIGHTY 0\n"
                         "10 pad axis LEFTX 1\n"   // walk right
                         "40 pad axis LEFTX 0\n"
                         "50 pad down B\n"
                         "57 pad up B\n"
                         "60 pad axis LEFTY 1\n"   // walk down, then pull the pad out
                         "70 pad down B\n"
                         "80 pad disconnect\n",
                         100, {9, 39, 49, 55, 79, 82});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string aimed = DumpAt(9), walked = DumpAt(49);
    EXPECT_NEAR(Number(aimed, "AimX"), Number(aimed, "PlayerX"), 0.01);
    EXPECT_NEAR(Number(aimed, "PlayerY") - Number(aimed, "AimY"), 160, 0.01);
    EXPECT_GT(Number(DumpAt(39), "PlayerX"), Number(aimed, "PlayerX") + 50);
    EXPECT_NEAR(Distance(walked), 160, 0.01);
    EXPECT_NEAR(Number(walked, "AimX"), Number(walked, "PlayerX"), 0.01);
    EXPECT_EQ(Number(walked, "Crouching"), 0);
    EXPECT_EQ(Number(DumpAt(55), "Crouching"), 1);
    double y79 = Number(DumpAt(79), "PlayerY"), y82 = Number(DumpAt(82), "PlayerY");
    EXPECT_GT(y79, Number(walked, "PlayerY") + 20);
    EXPECT_EQ(Number(DumpAt(79), "Crouching"), 1);
    EXPECT_NEAR(Number(r.dump, "PlayerY"), y82, 0.01);  // unplugged: he stops
    EXPECT_EQ(Number(r.dump, "Crouching"), 0);
    EXPECT_EQ(Number(r.dump, "WorldMode"), 1);
}

// Start is Escape in play too: in developer mode it opens the editor, where
// the sticks point again.
TEST_F(PadRun, StartOpensTheEditorWhereTheStickPoints)
{
    dir.Write("kresk", "");
    RunnerResult r = Run("0 mouse 400 295\n"
                         "5 pad down START\n"
                         "6 pad up START\n"
                         "10 pad axis LEFTX 1\n"
                         "20 pad axis LEFTX 0\n",
                         30, {9});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Number(DumpAt(9), "WorldMode"), 0);
    double startX = Number(DumpAt(9), "PlayerX");
    EXPECT_NEAR(Number(r.dump, "PlayerX"), startX, 0.01);        // the player stays put
    EXPECT_NEAR(Number(r.dump, "AimX") - Number(DumpAt(9), "AimX"), 150, 0.5);  // 10 frames of 15 pixels
}

// The hands answer the pad: the shoulders switch guns, the right trigger
// fires, X reloads, A is Space (the bonus points show), Y takes a grenade
// and the left trigger strikes.
TEST_F(PadRun, ThePadsButtonsWorkTheHands)
{
    dir.Write("kresk", "");
    RunnerResult r = Run("0 mouse 400 100\n"
                         "2 down TAB\n"  // the developer kit: the shotgun in hand, the revolver, grenades
                         "3 up TAB\n"
                         "20 pad down RIGHTSHOULDER\n"
                         "21 pad up RIGHTSHOULDER\n"
                         "40 pad down LEFTSHOULDER\n"
                         "41 pad up LEFTSHOULDER\n"
                         "60 pad axis RIGHTTRIGGER 1\n"
                         "61 pad axis RIGHTTRIGGER 0\n"
                         "150 pad down X\n"
                         "151 pad up X\n"
                         "400 pad down A\n"
                         "401 pad up A\n"
                         "420 pad down Y\n"
                         "421 pad up Y\n"
                         "440 pad axis LEFTTRIGGER 1\n"
                         "441 pad axis LEFTTRIGGER 0\n",
                         450, {19, 25, 45, 62, 152, 402, 425, 442});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Number(DumpAt(19), "CurrentWeapon"), 3);
    EXPECT_EQ(Number(DumpAt(25), "CurrentWeapon"), 1);
    EXPECT_EQ(Number(DumpAt(45), "CurrentWeapon"), 3);
    EXPECT_EQ(Number(DumpAt(62), "LongGunLoaded"), 4);
    EXPECT_EQ(Number(DumpAt(62), "HandsState"), 1);
    EXPECT_EQ(Number(DumpAt(152), "HandsState"), 4);
    EXPECT_NEAR(Number(DumpAt(402), "BonusPopupTime"), 2, 0.1);  // just shown, counting down
    EXPECT_EQ(Number(DumpAt(425), "CurrentWeapon"), 5);
    EXPECT_EQ(Number(DumpAt(442), "HandsState"), 2);
}
