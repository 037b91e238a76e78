// The platform layer's own rules: INI reading, letter case in file names,
// key mapping, input scripts and the Windows-1251 texts.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <SDL2/SDL_mouse.h>

#include "engine/cp1251.h"
#include "engine/gamepad.h"
#include "engine/hge.h"
#include "engine/ini.h"
#include "engine/input_script.h"
#include "engine/keys.h"
#include "engine/paths.h"
#include "tests/support/temp_dir.h"

static std::string Value(const IniFile& ini, const char* section, const char* key)
{
    std::string v;
    return FindIniValue(ini, section, key, &v) ? v : "<missing>";
}

TEST(Ini, ReadsLikeTheProfileFunctions)
{
    IniFile ini = ParseIni(
        "; comment\r\n"
        "[System]\r\n"
        "  Name =  \"Quoted value\"  \r\n"
        "Size=12abc\n"
        "Empty=\n"
        "[ system ]\n"
        "Name=second\n"
        "Other=from the second section\n"
        "[0_1]\n"
        "w = 'single'\n"
        "half=\"unbalanced\n");
    EXPECT_EQ(Value(ini, "SYSTEM", "name"), "Quoted value");
    EXPECT_EQ(Value(ini, "System", "Other"), "from the second section");
    EXPECT_EQ(Value(ini, "System", "Empty"), "");
    EXPECT_EQ(Value(ini, "System", "Absent"), "<missing>");
    EXPECT_EQ(Value(ini, "Nowhere", "Name"), "<missing>");
    EXPECT_EQ(Value(ini, "0_1", "W"), "single");
    EXPECT_EQ(Value(ini, "0_1", "half"), "\"unbalanced");
}

TEST(Ini, IntegerReaderTakesSignAndLeadingDigits)
{
    EXPECT_EQ(ParseIniInt("12abc"), 12);
    EXPECT_EQ(ParseIniInt("  -7"), -7);
    EXPECT_EQ(ParseIniInt("+3"), 3);
    EXPECT_EQ(ParseIniInt("abc"), 0);
    EXPECT_EQ(ParseIniInt("-"), 0);
    EXPECT_FLOAT_EQ(ParseIniFloat("2.5fps"), 2.5f);
}

TEST(Ini, CachedFileIsReadAgainOnlyWhenForgotten)
{
    TempDir dir;
    std::string path = dir.Write("a.ini", "[S]\nk=1\n");
    EXPECT_EQ(Value(CachedIni(path), "S", "k"), "1");
    dir.Write("a.ini", "[S]\nk=2\n");
    EXPECT_EQ(Value(CachedIni(path), "S", "k"), "1");
    ForgetCachedIni(path);
    EXPECT_EQ(Value(CachedIni(path), "S", "k"), "2");
    EXPECT_FALSE(CachedIni(dir.path + "/missing.ini").sections.size());
}

TEST(Paths, MatchFoldersAndFilesWithoutRegardToCase)
{
    TempDir dir;
    dir.Write("data/Level.LVL", "x");
    ChangeDir in(dir.path);
    EXPECT_EQ(ResolvePath("Data/level.lvl"), "data/Level.LVL");
    EXPECT_EQ(ResolvePath("DATA\\LEVEL.lvl"), "data/Level.LVL");
    EXPECT_EQ(ResolvePath("./data/level.lvl"), "data/Level.LVL");
    // A file to be created keeps its own name inside the existing folder.
    EXPECT_EQ(ResolvePath("Data/save"), "data/save");
    EXPECT_EQ(ResolvePath("nowhere/x/y"), "nowhere/x/y");
    EXPECT_EQ(ResolvePath(dir.path + "/DATA/level.lvl"), dir.path + "/data/Level.LVL");
}

TEST(Paths, ExactNameWinsOverAnotherCase)
{
    TempDir dir;
    dir.Write("save", "lower");
    dir.Write("SAVE", "upper");
    ChangeDir in(dir.path);
    EXPECT_EQ(ResolvePath("SAVE"), "SAVE");
    EXPECT_EQ(ResolvePath("save"), "save");
}

TEST(Paths, AWriteKilledHalfwayLeavesTheOldFileWhole)
{
    TempDir dir;
    dir.Write("data/save", "old contents\n");
    ChangeDir in(dir.path);
    WriteStopsAfterBytes = 5;
    EXPECT_FALSE(WriteWholeFile("Data/save", "new contents, longer than the old\n"));
    WriteStopsAfterBytes = -1;
    EXPECT_EQ(ReadWholeFile("data/save"), "old contents\n");
    EXPECT_TRUE(WriteWholeFile("Data/save", "new\n"));
    EXPECT_EQ(ReadWholeFile("data/save"), "new\n");
}

TEST(Paths, AWriteIntoAMissingFolderFailsAndLeavesNothing)
{
    TempDir dir;
    ChangeDir in(dir.path);
    EXPECT_FALSE(WriteWholeFile("nowhere/save", "x"));
    EXPECT_FALSE(std::ifstream("nowhere/save.tmp"));
}

// A huge sparse file, a link to an endless device, a folder and a named pipe
// with no writer (which once held the start-up until a signal) are refused at
// once; a file within its limit is read whole.
TEST(Paths, OnlyARegularFileWithinItsLimitIsRead)
{
    TempDir dir;
    ChangeDir in(dir.path);
    dir.Write("small", "abc");
    uint32_t size = 0;
    char* text = (char*)LoadWholeFile("small", 3, &size);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, size), "abc");
    free(text);
    EXPECT_EQ(LoadWholeFile("small", 2, &size), nullptr);
    dir.Write("huge", "");
    std::filesystem::resize_file("huge", 3ull << 30);
    ASSERT_EQ(symlink("/dev/zero", "zero"), 0);
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    std::filesystem::create_directory("folder");
    for (const char* odd : {"huge", "zero", "pipe", "folder"})
        EXPECT_EQ(LoadWholeFile(odd, IniFileLimit, &size), nullptr) << odd;
}

// A link planted as the temporary file would have the save written into any
// file the player can write, and the save itself become that link.
TEST(Paths, WhatStandsInPlaceOfTheTemporaryFileIsNeverWrittenThrough)
{
    TempDir dir;
    ChangeDir in(dir.path);
    dir.Write("data/save", "old\n");
    dir.Write("victim", "keep\n");
    ASSERT_EQ(symlink((dir.path + "/victim").c_str(), "data/save.tmp"), 0);
    EXPECT_TRUE(WriteWholeFile("Data/save", "new\n"));
    EXPECT_EQ(ReadWholeFile("victim"), "keep\n");
    EXPECT_FALSE(std::filesystem::is_symlink("data/save"));
    EXPECT_EQ(ReadWholeFile("data/save"), "new\n");
    ASSERT_EQ(mkfifo("data/save.tmp", 0600), 0);
    EXPECT_TRUE(WriteWholeFile("Data/save", "newer\n"));
    EXPECT_EQ(ReadWholeFile("data/save"), "newer\n");
}

TEST(Keys, MapToVirtualKeyCodes)
{
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_A), 65);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_W), 87);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_Z), 90);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_0), 48);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_9), 57);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F1), 112);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F8), 119);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_SPACE), 32);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_TAB), 9);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_DELETE), 46);
    for (SDL_Scancode sc : {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT})
        EXPECT_EQ(KeyCodeFromScancode(sc), 16);
    for (SDL_Scancode sc : {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL})
        EXPECT_EQ(KeyCodeFromScancode(sc), 17);
    for (SDL_Scancode sc : {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT})
        EXPECT_EQ(KeyCodeFromScancode(sc), 18);
    EXPECT_EQ(KeyCodeFromMouseButton(SDL_BUTTON_LEFT), 1);
    EXPECT_EQ(KeyCodeFromMouseButton(SDL_BUTTON_RIGHT), 2);
    EXPECT_EQ(KeyCodeFromMouseButton(SDL_BUTTON_MIDDLE), 4);
    EXPECT_EQ(KeyCodeFromMouseButton(SDL_BUTTON_X1), 0);
}

TEST(InputScript, ParsesEveryEventAndKeyForm)
{
    std::vector<InputEvent> ev;
    std::string error;
    ASSERT_TRUE(ParseInputScript("# walk right\n"
                                 "0 mouse 400.5 300\n"
                                 "2 down d   # comment\n"
                                 "\n"
                                 "3 down 87\n"
                                 "4 down LBUTTON\n"
                                 "5 up F12\n"
                                 "6 wheel -2\n"
                                 "7 dt 0.02\n"
                                 "0 seed 4000000000\n"
                                 "8 down 1\n",
                                 &ev, &error))
        << error;
    ASSERT_EQ(ev.size(), 9u);
    EXPECT_EQ(ev[0].kind, INPUT_MOUSE);
    EXPECT_FLOAT_EQ(ev[0].x, 400.5f);
    EXPECT_EQ(ev[1].key, 'D');
    EXPECT_EQ(ev[2].key, 87);
    EXPECT_EQ(ev[3].key, HGEK_LBUTTON);
    EXPECT_EQ(ev[4].kind, INPUT_UP);
    EXPECT_EQ(ev[4].key, HGEK_F12);
    EXPECT_EQ(ev[5].wheel, -2);
    EXPECT_FLOAT_EQ(ev[6].dt, 0.02f);
    EXPECT_EQ(ev[7].seed, 4000000000u);
    EXPECT_EQ(ev[8].key, '1');  // a single digit is the digit key
}

TEST(InputScript, ReportsTheBadLine)
{
    std::vector<InputEvent> ev;
    std::string error;
    EXPECT_FALSE(ParseInputScript("1 down A\n2 down NOSUCHKEY\n", &ev, &error));
    EXPECT_EQ(error, "line 2: unknown key 'NOSUCHKEY'");
    EXPECT_FALSE(ParseInputScript("x down A\n", &ev, &error));
    EXPECT_FALSE(ParseInputScript("1 mouse 3\n", &ev, &error));
    EXPECT_FALSE(ParseInputScript("1 down A extra\n", &ev, &error));
}

TEST(InputScript, RecordedEventsReadBack)
{
    std::vector<InputEvent> in = {
        {.frame = 3, .kind = INPUT_DOWN, .key = HGEK_SHIFT},
        {.frame = 4, .kind = INPUT_MOUSE, .x = 12.25f, .y = 580},
        {.frame = 4, .kind = INPUT_UP, .key = 200},
        {.frame = 5, .kind = INPUT_DT, .dt = 0.016723f},
    };
    std::string text;
    for (const InputEvent& e : in)
        text += FormatInputEvent(e) + "\n";
    std::vector<InputEvent> out;
    std::string error;
    ASSERT_TRUE(ParseInputScript(text, &out, &error)) << error;
    ASSERT_EQ(out.size(), in.size());
    EXPECT_EQ(out[0].key, HGEK_SHIFT);
    EXPECT_FLOAT_EQ(out[1].x, 12.25f);
    EXPECT_EQ(out[2].key, 200);
    EXPECT_FLOAT_EQ(out[3].dt, 0.016723f);
}

TEST(InputScript, PadEventsReadAndReadBack)
{
    std::vector<InputEvent> ev;
    std::string error;
    ASSERT_TRUE(ParseInputScript("0 pad connect\n"
                                 "1 pad down leftshoulder\n"
                                 "2 PAD UP A\n"
                                 "3 pad axis RIGHTY -0.75\n"
                                 "4 pad axis RIGHTTRIGGER 1\n"
                                 "5 pad disconnect\n",
                                 &ev, &error))
        << error;
    ASSERT_EQ(ev.size(), 6u);
    EXPECT_EQ(ev[1].padButton, PAD_LEFTSHOULDER);
    EXPECT_EQ(ev[2].kind, INPUT_PAD_UP);
    EXPECT_EQ(ev[3].padAxis, PAD_RIGHTY);
    EXPECT_FLOAT_EQ(ev[3].value, -0.75f);
    std::string text;
    for (const InputEvent& e : ev)
        text += FormatInputEvent(e) + "\n";
    EXPECT_EQ(text, "0 pad connect\n1 pad down LEFTSHOULDER\n2 pad up A\n3 pad axis RIGHTY -0.75\n"
                    "4 pad axis RIGHTTRIGGER 1\n5 pad disconnect\n");

    EXPECT_FALSE(ParseInputScript("1 pad down Z\n", &ev, &error));
    EXPECT_EQ(error, "line 1: unknown pad button 'Z'");
    EXPECT_FALSE(ParseInputScript("1 pad axis LEFTTRIGGER -0.5\n", &ev, &error));
    EXPECT_EQ(error, "line 1: pad axis LEFTTRIGGER needs a value from 0 to 1");
    EXPECT_FALSE(ParseInputScript("1 pad axis LEFTX 1.5\n", &ev, &error));
    EXPECT_FALSE(ParseInputScript("1 pad axis LEFTX\n", &ev, &error));
    EXPECT_FALSE(ParseInputScript("1 pad shake\n", &ev, &error));
    EXPECT_FALSE(ParseInputScript("1 pad connect 2\n", &ev, &error));
}

// A recording names every key the keyboard can send; each name must read
// back as the same key, or the replay presses another.
TEST(InputScript, EveryKeyOfTheKeyboardReadsBackByItsName)
{
    for (int sc = 0; sc < SDL_NUM_SCANCODES; sc++) {
        int code = KeyCodeFromScancode((SDL_Scancode)sc);
        if (code == 0)
            continue;
        std::vector<InputEvent> ev;
        std::string error;
        std::string line = FormatInputEvent({.frame = 1, .kind = INPUT_DOWN, .key = code});
        ASSERT_TRUE(ParseInputScript(line, &ev, &error)) << line << ": " << error;
        EXPECT_EQ(ev[0].key, code) << line;
    }
}

static std::string Iconv1251(const std::string& utf8)
{
    iconv_t cd = iconv_open("CP1251", "UTF-8");
    std::string in = utf8, out(utf8.size() + 1, '\0');
    char* pin = in.data();
    char* pout = out.data();
    size_t lin = in.size(), lout = out.size();
    iconv(cd, &pin, &lin, &pout, &lout);
    iconv_close(cd);
    out.resize(out.size() - lout);
    return out;
}

TEST(Cp1251, LiteralsMatchTheSystemTableForTheWholeAlphabet)
{
    const char* alphabet = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя";
    EXPECT_EQ(std::string("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp),
              Iconv1251(alphabet));
    EXPECT_EQ(std::string("Выход — «№ 5» …"_cp), Iconv1251("Выход — «№ 5» …"));
    EXPECT_EQ(std::string("Ёё"_cp), "\xA8\xB8");
    EXPECT_EQ(Utf8FromCp1251(Iconv1251(alphabet)), alphabet);
}
