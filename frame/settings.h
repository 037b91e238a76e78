// The player's choices kept between runs, in "settings.cfg" beside the key
// settings (for an installed game in the player's own folder; in a web page
// in the browser's storage): whether the status strip shows, and the
// language.
#pragma once

#include <string>

extern const char* const SettingsFileName;

// The language the player chose on the menu or that the settings name;
// empty while none was chosen (the system's language is then followed).
extern std::string SettingsLanguage;
// The language asked for on the command line ("--lang CODE"): it wins over
// the settings and the system for this run, and is not kept.
extern std::string LanguageAsked;

// The choices of a settings text: lines "NAME = VALUE", "#" starts a
// comment, letter case does not matter; an unknown name or value is left
// at what it was.
void ParseSettings(const std::string& text);
// The text that ParseSettings reads back to the current choices.
std::string SettingsText();

// At start-up: the choices of the file, if there is one.
void ReadSettings();
// After a choice has changed: the file is written anew (a failure is only
// logged; the choice holds for this run).
void WriteSettings();

// At start-up, after ReadSettings: shows the language asked for, else the
// one of the settings, else the system's when the game offers it, else
// Russian.
void ChooseStartLanguage();
// The menu's language switch: the next of Languages, its texts and pictures
// at once, kept in the settings.
void ChooseNextLanguage();
