// The game's texts in the player's language. Russian is the game's own:
// every text is written in Russian in the code and the data, and gettext
// catalogues ("data/lang/<code>.po", listed in "data/lang/LINGUAS") give
// each Russian text (the msgid, UTF-8) its translation. Pictures that hold
// text have their own copies in "data/lang/<code>/".
#pragma once

#include <map>
#include <string>
#include <vector>

// The language codes the game offers: "ru" first, then those of LINGUAS.
extern std::vector<std::string> Languages;
// Index in Languages of the language shown; 0 is Russian.
extern int Language;

// A catalogue: Windows-1251 Russian text (with its context before a 0x04
// byte, as gettext keys it) to Windows-1251 translation.
typedef std::map<std::string, std::string> translation_map;

// Reads a .po text. Entries without a translation, fuzzy entries and the
// header are left out. False (with "line N: ...") when the text is not a
// catalogue; what was read before the fault is kept.
bool ParseCatalogue(const std::string& text, translation_map* out, std::string* error);

// Reads LINGUAS: "ru" and every code listed there.
void LoadLanguageList();
// Shows the language with that code from now on, reading its catalogue
// (logged when it cannot be read: the Russian texts then show). False for
// a code the game does not offer. Letter case does not count.
bool ChooseLanguage(const std::string& code);
// The offered language a system's locale names ("en_US.UTF-8", "en-GB",
// "ru"), or "" when it names none.
std::string LanguageOfLocale(const std::string& locale);
// The code of the language shown.
const std::string& LanguageCode();

// The text in the language shown: the translation, or the Russian text
// itself when there is none. The pointer holds until the language changes.
const char* Tr(const char* russian);
// The same for a text whose translation depends on where it is used (a
// null context is none).
const char* TrIn(const char* context, const char* russian);
// The same for a text that is kept in a string.
std::string Tr(const std::string& russian);

// The folder of the shown language's own pictures, "data/lang/<code>";
// empty for Russian, whose pictures are the game's own.
std::string LocalPictureFolder();
// Where a picture with text is read from: "data/lang/<code>/<name>" for a
// language other than Russian when that file exists, else "data/<name>".
std::string LocalPicture(const std::string& name);
