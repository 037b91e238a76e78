// The player's choices kept between runs, in "settings.cfg" beside the key
// settings (for an installed game in the player's own folder; in a web page
// in the browser's storage): whether the status strip shows.
#pragma once

#include <string>

extern const char* const SettingsFileName;

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
