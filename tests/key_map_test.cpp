// The player's key settings: the keys they move, and the bad lines that are
// reported and left out while the rest still counts; the engine holding a
// game key for every key and pad that sends it.
#include <gtest/gtest.h>

#include "engine/key_map.h"
#include "engine/sdl_engine.h"

static key_map_struct Parse(const std::string& text, std::vector<std::string>* problems)
{
    return ParseKeySettings(text, problems);
}

TEST(KeySettings, WithoutSettingsEveryKeyIsTheGamesOwn)
{
    std::vector<std::string> problems;
    key_map_struct map = Parse("# nothing moved\n\n", &problems);
    EXPECT_TRUE(problems.empty());
    for (const key_action_struct& a : KeyActions)
        EXPECT_EQ(map.sends[a.key], a.key) << a.name;
    EXPECT_EQ(map.sends[HGEK_F1], HGEK_F1);
}

TEST(KeySettings, ListedKeysReplaceTheOriginalOne)
{
    std::vector<std::string> problems;
    key_map_struct map = Parse("Up = up, w\n"
                               "fire=F   # comment\n"
                               "down = DOWN\n",
                               &problems);
    EXPECT_TRUE(problems.empty()) << problems[0];
    EXPECT_EQ(map.sends[HGEK_UP], 'W');
    EXPECT_EQ(map.sends['W'], 'W');  // listed, so kept
    EXPECT_EQ(map.sends['F'], HGEK_LBUTTON);
    EXPECT_EQ(map.sends[HGEK_LBUTTON], 0);  // the button no longer fires (nor clicks)
    EXPECT_EQ(map.sends[HGEK_DOWN], 'S');
    EXPECT_EQ(map.sends['S'], 0);
    EXPECT_EQ(map.sends['D'], 'D');  // untouched
}

// Whichever line comes first, two actions can trade keys.
TEST(KeySettings, TwoActionsSwapTheirKeysInEitherOrder)
{
    for (const char* text : {"reload = 1\nlonggun = R\n", "longgun = R\nreload = 1\n"}) {
        std::vector<std::string> problems;
        key_map_struct map = Parse(text, &problems);
        EXPECT_TRUE(problems.empty()) << text;
        EXPECT_EQ(map.sends['1'], 'R') << text;
        EXPECT_EQ(map.sends['R'], '1') << text;
    }
}

TEST(KeySettings, BadLinesAreReportedWithTheirNumberAndIgnored)
{
    std::vector<std::string> problems;
    key_map_struct map = Parse("fire F\n"                // 1: no '='
                               "jump = J\n"              // 2: no such action
                               "crouch = CTRL NOSUCH\n"  // 3: one bad key spoils the line
                               "reload =\n"              // 4: no key
                               "use = E\n"               // 5: good
                               "use = Q\n"               // 6: action again
                               "grenade = e\n"           // 7: E is taken
                               "strike = G\n",           // 8: good
                               &problems);
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[0], "line 1: expected ACTION = KEY");
    EXPECT_EQ(problems[1], "line 2: unknown action 'jump'");
    EXPECT_EQ(problems[2], "line 3: unknown key 'NOSUCH'");
    EXPECT_EQ(problems[3], "line 4: no key for 'reload'");
    EXPECT_EQ(problems[4], "line 6: 'use' is already set on line 5");
    EXPECT_EQ(problems[5], "line 7: e is already given to 'use' on line 5");
    EXPECT_EQ(map.sends['E'], HGEK_SPACE);
    EXPECT_EQ(map.sends['Q'], 'Q');
    EXPECT_EQ(map.sends['G'], HGEK_RBUTTON);
    EXPECT_EQ(map.sends[HGEK_CTRL], HGEK_CTRL);
    EXPECT_EQ(map.sends[HGEK_SHIFT], HGEK_SHIFT);  // crouch is as it was
    EXPECT_EQ(map.sends['R'], 'R');
    EXPECT_EQ(map.sends['3'], '3');
}

TEST(KeySettings, AnActionLeftWithoutAKeyIsMentioned)
{
    std::vector<std::string> problems;
    key_map_struct map = Parse("fire = R\n", &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "'reload' has no key now");
    EXPECT_EQ(map.sends['R'], HGEK_LBUTTON);  // kept: the player may mean it
}

// The engine holds a game key while any key that sends it, or a gamepad, is
// held: one press when the first goes down, one release when the last lets
// go.
TEST(KeyHolding, AGameKeyIsHeldUntilTheLastKeySendingItIsLetGo)
{
    SdlEngine engine;
    std::vector<std::string> problems;
    engine.keyMap = ParseKeySettings("up = W UP\nfire = F\n", &problems);
    engine.PhysicalKey('W', true);
    EXPECT_TRUE(engine.Input_KeyDown('W'));
    engine.ClearFrameInput();
    engine.PhysicalKey(HGEK_UP, true);
    EXPECT_FALSE(engine.Input_KeyDown('W'));  // already held: no second press
    EXPECT_FALSE(engine.Input_KeyDown(HGEK_UP));
    engine.PhysicalKey('W', false);
    EXPECT_TRUE(engine.Input_GetKeyState('W'));
    EXPECT_FALSE(engine.Input_KeyUp('W'));
    engine.PhysicalKey(HGEK_UP, false);
    EXPECT_FALSE(engine.Input_GetKeyState('W'));
    EXPECT_TRUE(engine.Input_KeyUp('W'));

    engine.PhysicalKey(HGEK_LBUTTON, true);  // the button sends nothing now
    EXPECT_FALSE(engine.Input_GetKeyState(HGEK_LBUTTON));
    EXPECT_EQ(engine.Input_GetKey(), 0);
    engine.PhysicalKey('F', true);
    EXPECT_TRUE(engine.Input_KeyDown(HGEK_LBUTTON));
    EXPECT_EQ(engine.Input_GetKey(), HGEK_LBUTTON);
}

TEST(KeyHolding, TheKeyboardAndAGamepadShareTheirKeys)
{
    SdlEngine engine;
    engine.Input_SetPadPlay(true, 400, 295, 160);
    InputEvent stick{.kind = INPUT_PAD_AXIS, .padAxis = PAD_LEFTX, .value = 1};
    engine.ApplyScriptPadEvent(stick);
    engine.UpdatePadInput(0.1f);
    EXPECT_TRUE(engine.Input_KeyDown('D'));
    engine.PhysicalKey('D', true);
    stick.value = 0;
    engine.ApplyScriptPadEvent(stick);
    engine.UpdatePadInput(0.1f);
    EXPECT_TRUE(engine.Input_GetKeyState('D'));
    engine.ReleaseAllKeys();  // the window lost the focus
    EXPECT_FALSE(engine.Input_GetKeyState('D'));
}
