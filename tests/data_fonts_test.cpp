// The two bitmap fonts shipped in data/, read with the game's own font class:
// every letter the Russian texts need is there, lies inside the font picture
// and has ink, and the text measures sensibly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assets/font.h"
#include "engine/cp1251.h"
#include "tests/support/fake_engine.h"
#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

static const std::string DataDir = QUARVEL_SOURCE_DIR "/data/";
static const char* const FontNames[] = {"font1", "font2"};

// Every byte the game's texts may use: printable ASCII, the Russian alphabet
// of Windows-1251 with Ё and ё, and the typographic marks of the dialogues.
static std::vector<unsigned char> RequiredLetters()
{
    std::vector<unsigned char> codes;
    for (int c = 0x20; c <= 0x7E; c++)
        codes.push_back((unsigned char)c);
    for (int c = 0xC0; c <= 0xFF; c++)
        codes.push_back((unsigned char)c);
    for (const char* marks = "Ёё—«»№…“”"_cp; *marks; marks++)
        codes.push_back((unsigned char)*marks);
    return codes;
}

static std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

// The letter's source rectangle in font-picture pixels, as the engine would
// sample it.
struct GlyphBox {
    float left, top, right, bottom;
};

static GlyphBox LetterBox(FakeEngine& engine, hgeSprite* letter, int texWidth, int texHeight)
{
    letter->Render(0, 0);
    const hgeQuad& q = engine.quads.back();
    return {q.v[0].tx * texWidth, q.v[0].ty * texHeight, q.v[2].tx * texWidth, q.v[2].ty * texHeight};
}

TEST(ShippedFonts, FilesStartWithTheFontHeader)
{
    for (const char* name : FontNames) {
        SCOPED_TRACE(name);
        std::string text = ReadWholeFile(DataDir + name + ".fnt");
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(FirstLine(text), "[HGEFONT]");
    }
}

TEST(ShippedFonts, LoadWithTheHeightsTheScreensAreLaidOutFor)
{
    FakeEngineScope fake;
    // Dialogue blocks sit on a 32-pixel grid, so the big font must be exactly 32.
    hgeFont big((DataDir + "font1.fnt").c_str());
    EXPECT_EQ(big.GetHeight(), 32.0f);
    hgeFont small((DataDir + "font2.fnt").c_str());
    EXPECT_GE(small.GetHeight(), 14.0f);
    EXPECT_LE(small.GetHeight(), 18.0f);
    EXPECT_TRUE(fake.engine.logs.empty()) << fake.engine.logs.front();
}

TEST(ShippedFonts, HaveAnOwnLetterForEveryCharacterOfTheTexts)
{
    FakeEngineScope fake;
    for (const char* name : FontNames) {
        SCOPED_TRACE(name);
        hgeFont font((DataDir + name + ".fnt").c_str());
        ASSERT_NE(font.GetLetter('?'), nullptr);
        for (unsigned char c : RequiredLetters())
            EXPECT_NE(font.GetLetter(c), nullptr) << "no letter for byte 0x" << std::hex << (int)c;
    }
}

TEST(ShippedFonts, LettersAreSeparateInkedRectanglesInsideThePicture)
{
    FakeEngineScope fake;
    for (const char* name : FontNames) {
        SCOPED_TRACE(name);
        hgeFont font((DataDir + name + ".fnt").c_str());
        Picture png = ReadPng(DataDir + name + ".png");
        ASSERT_GT(png.width, 0);

        std::vector<std::pair<int, GlyphBox>> boxes;
        for (int c = 0; c < 256; c++) {
            hgeSprite* letter = font.GetLetter((unsigned char)c);
            if (!letter)
                continue;
            SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << c);
            GlyphBox b = LetterBox(fake.engine, letter, png.width, png.height);
            EXPECT_GE(b.left, 0);
            EXPECT_GE(b.top, 0);
            EXPECT_LE(b.right, png.width);
            EXPECT_LE(b.bottom, png.height);
            EXPECT_GT(b.right, b.left);
            EXPECT_GT(b.bottom, b.top);
            boxes.push_back({c, b});
            if (c == ' ')
                continue;
            int x0 = std::max(0, (int)std::lround(b.left)), y0 = std::max(0, (int)std::lround(b.top));
            int x1 = std::min(png.width, (int)std::lround(b.right));
            int y1 = std::min(png.height, (int)std::lround(b.bottom));
            bool inked = false;
            for (int y = y0; y < y1 && !inked; y++)
                for (int x = x0; x < x1 && !inked; x++)
                    inked = (png.At(x, y) >> 24) != 0;
            EXPECT_TRUE(inked) << "the letter's rectangle is blank";
        }

        // Overlapping rectangles would show a piece of the neighbour.
        for (size_t i = 0; i < boxes.size(); i++)
            for (size_t j = i + 1; j < boxes.size(); j++) {
                const GlyphBox &a = boxes[i].second, &b = boxes[j].second;
                bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                EXPECT_FALSE(overlap) << std::hex << "bytes 0x" << boxes[i].first << " and 0x" << boxes[j].first;
            }
    }
}

TEST(ShippedFonts, RussianTextMeasuresSensibly)
{
    FakeEngineScope fake;
    const char* sample = "Съешь же ещё этих мягких французских булок, да выпей чаю — «Ёлка» №5…"_cp;
    for (const char* name : FontNames) {
        SCOPED_TRACE(name);
        hgeFont font((DataDir + name + ".fnt").c_str());
        float height = font.GetHeight();
        ASSERT_GT(height, 0);

        float width = font.GetStringWidth(sample);
        float perLetter = width / (float)std::string(sample).size();
        EXPECT_GT(perLetter, height * 0.25f);
        EXPECT_LT(perLetter, height * 0.8f);

        for (unsigned char c : RequiredLetters()) {
            char text[2] = {(char)c, 0};
            SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << (int)c);
            EXPECT_GT(font.GetStringWidth(text), 0);
            EXPECT_LT(font.GetStringWidth(text), height * 1.5f);
            if (c != ' ' && font.GetLetter(c)) {
                EXPECT_GT(font.GetLetter(c)->GetWidth(), 0);
            }
        }
    }
}
