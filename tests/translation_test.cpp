// The catalogues of translations: what a .po file gives the game, and how a
// text falls back to Russian.
#include <gtest/gtest.h>

#include "assets/translation.h"
#include "engine/cp1251.h"

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
