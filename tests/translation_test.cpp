// The catalogues of translations: what a .po file gives the game, how a
// text falls back to Russian, that the shipped catalogues cover every text
// the game shows, and how the language is chosen at start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>

#include "assets/font.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/settings.h"
#include "screens/dialogues.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"

TEST(Catalogue, ReadsEntriesContextsAndEscapesAndSkipsWhatIsNotATranslation)
{
    const char* po =
        "# header\n"
        "msgid \"\"\n"
        "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n"
        "msgid \"Выход\"\n"
        "msgstr \"Exit\"\n"
        "\n"
        "msgctxt \"shop\"\n"
        "msgid \"Магазин\"\n"
        "msgstr \"Magazine\"\n"
        "\n"
        "msgid \"\"\n"
        "\"Две\\n\"\n"
        "\"строки\"\n"
        "msgstr \"Two\\n\"\n"
        "\"lines — \\\"quoted\\\"\"\n"
        "\n"
        "#, fuzzy\n"
        "msgid \"Каска\"\n"
        "msgstr \"Helmet?\"\n"
        "\n"
        "msgid \"Кастет\"\n"
        "msgstr \"\"\n";
    translation_map map;
    std::string error;
    ASSERT_TRUE(ParseCatalogue(po, &map, &error)) << error;
    EXPECT_EQ(map.size(), 3u);
    EXPECT_EQ(map["Выход"_cp], "Exit");
    EXPECT_EQ(map[std::string("shop\x04") + "Магазин"_cp], "Magazine");
    EXPECT_EQ(map["Две\nстроки"_cp], "Two\nlines \x97 \"quoted\"");
    EXPECT_FALSE(ParseCatalogue("msgid \"a\"\nnonsense here\n", &map, &error));
    EXPECT_EQ(error, "line 2: not a catalogue line");
}

// --- the shipped catalogues against the game's own texts

static const std::string SourceDir = QUARVEL_SOURCE_DIR "/";

// The string literal opening at src[i], escapes resolved; *end is past its
// closing quote.
static std::string Literal(const std::string& src, size_t i, size_t* end)
{
    std::string text;
    for (i++; i < src.size() && src[i] != '"'; i++) {
        if (src[i] != '\\')
            text += src[i];
        else if (src[++i] == 'n')
            text += '\n';
        else
            text += src[i];
    }
    *end = i + 1;
    return text;
}

// The texts a source file shows: its "..."_cp literals, with the adjacent
// literals a long text is written in joined; comments and character
// literals are passed over.
static std::vector<std::string> ShownTexts(const std::string& src)
{
    std::vector<std::string> texts;
    std::string joined;
    for (size_t i = 0; i < src.size();) {
        if (src.compare(i, 2, "//") == 0) {
            i = std::min(src.find('\n', i), src.size());
        } else if (src.compare(i, 2, "/*") == 0) {
            i = std::min(src.find("*/", i), src.size() - 2) + 2;
        } else if (src[i] == '\'') {
            i = src.find('\'', i + (src[i + 1] == '\\' ? 3 : 2)) + 1;
            joined.clear();
        } else if (src[i] == '"') {
            joined += Literal(src, i, &i);
            if (src.compare(i, 3, "_cp") == 0) {
                texts.push_back(Cp1251FromUtf8(joined));
                i += 3;
                joined.clear();
            }
        } else {
            if (!std::isspace((unsigned char)src[i]))
                joined.clear();
            i++;
        }
    }
    return texts;
}

static std::vector<std::string> GameTexts()
{
    std::vector<std::string> texts;
    for (const char* folder : {"frame", "assets", "world", "player", "foes", "screens", "editor"})
        for (const auto& f : std::filesystem::directory_iterator(SourceDir + folder))
            for (const std::string& t : ShownTexts(ReadWholeFile(f.path().string())))
                if (std::any_of(t.begin(), t.end(), [](char c) { return (unsigned char)c >= 0x80; }))
                    texts.push_back(t);
    for (const dialogue_page_struct& page : DialoguePages)
        for (const dialogue_block_struct& block : page.blocks)
            if (block.text)
                texts.push_back(block.text);
    return texts;
}

static std::vector<std::string> ShippedLanguages()
{
    std::istringstream in(ReadWholeFile(SourceDir + "data/lang/LINGUAS"));
    std::vector<std::string> codes;
    for (std::string word; in >> word;)
        if (word[0] == '#')
            std::getline(in, word);
        else
            codes.push_back(word);
    return codes;
}

// The printf conversions of a text, in order.
static std::string Conversions(const std::string& text)
{
    std::string found;
    for (size_t i = text.find('%'); i != std::string::npos && i + 1 < text.size(); i = text.find('%', i + 2))
        found += text.substr(i, 2);
    return found;
}

TEST(ShippedCatalogues, TranslateEveryTextTheGameShowsKeepingItsFormatAndCodePage)
{
    std::vector<std::string> texts = GameTexts();
    ASSERT_GT(texts.size(), 150u);
    std::vector<std::string> codes = ShippedLanguages();
    ASSERT_FALSE(codes.empty());
    for (const std::string& code : codes) {
        SCOPED_TRACE(code);
        std::string po = ReadWholeFile(SourceDir + "data/lang/" + code + ".po");
        EXPECT_EQ(Utf8FromCp1251(Cp1251FromUtf8(po)), po) << "a character Windows-1251 lacks";
        translation_map map;
        std::string error;
        ASSERT_TRUE(ParseCatalogue(po, &map, &error)) << error;
        std::set<std::string> translated;
        for (const auto& [key, translation] : map) {
            std::string id = key.substr(key.find('\x04') + 1);
            translated.insert(id);
            EXPECT_EQ(Conversions(translation), Conversions(id)) << Utf8FromCp1251(id);
        }
        for (const std::string& t : texts)
            EXPECT_TRUE(translated.count(t)) << "no translation of \"" << Utf8FromCp1251(t) << "\"";
    }
}

TEST(ShippedCatalogues, EveryLetterOfTheTranslationsIsInBothFonts)
{
    FakeEngineScope fake;
    hgeFont big((SourceDir + "data/font1.fnt").c_str()), small((SourceDir + "data/font2.fnt").c_str());
    for (const std::string& code : ShippedLanguages()) {
        translation_map map;
        std::string error;
        ParseCatalogue(ReadWholeFile(SourceDir + "data/lang/" + code + ".po"), &map, &error);
        for (const auto& entry : map) {
            for (unsigned char c : entry.second) {
                EXPECT_TRUE(c == '\n' || (big.GetLetter(c) && small.GetLetter(c)))
                    << code << ": no letter for " << Utf8FromCp1251(std::string(1, (char)c));
            }
        }
    }
}

TEST(Languages, TheGameTakesTheOneAskedForThenTheSettingsThenTheSystemsElseRussian)
{
    FakeEngineScope fake;
    ChangeDir in(QUARVEL_SOURCE_DIR);
    auto start = [&](const char* asked, const char* kept, const char* system) {
        LanguageAsked = asked;
        SettingsLanguage = kept;
        fake.engine.systemLanguage = system;
        ChooseStartLanguage();
        return LanguageCode();
    };
    EXPECT_EQ(start("", "", "en_GB.UTF-8"), "en");
    EXPECT_EQ(start("", "", "en-US"), "en") << "as a browser says it";
    EXPECT_EQ(start("", "", "de_DE.UTF-8"), "ru") << "a language the game lacks";
    EXPECT_EQ(start("", "", "C"), "ru");
    EXPECT_EQ(start("", "ru", "en_US.UTF-8"), "ru");
    EXPECT_EQ(start("EN", "ru", "ru_RU"), "en");
    EXPECT_EQ(start("xx", "en", ""), "en");
    EXPECT_EQ(fake.engine.logs.back(), "No language \"xx\" (--lang) among the game's; passed over");
    EXPECT_STREQ(Tr("Выход"_cp), "Exit") << "the catalogue is read";
    LanguageAsked.clear();
    SettingsLanguage.clear();
    ChooseLanguage("ru");
    EXPECT_STREQ(Tr("Выход"_cp), "Выход"_cp);
}
