#include "frame/settings.h"

#include <cctype>
#include <sstream>

#include "assets/translation.h"
#include "engine/paths.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "screens/status_strip.h"

const char* const SettingsFileName = "settings.cfg";
std::string SettingsLanguage;
std::string LanguageAsked;

static std::string Lower(std::string s)
{
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    s = a == std::string::npos ? "" : s.substr(a, b - a + 1);
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

static void ReadSwitch(const std::string& value, bool* on)
{
    if (value == "on")
        *on = true;
    else if (value == "off")
        *on = false;
}

void ParseSettings(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string name = Lower(line.substr(0, eq)), value = Lower(line.substr(eq + 1));
        if (name == "hud")
            ReadSwitch(value, &StatusStripOn);
        else if (name == "language" && !value.empty())
            SettingsLanguage = value;
    }
}

std::string SettingsText()
{
    std::string text = "# Written by the game: the player's choices, kept between runs.\n"
                       "hud = " + std::string(StatusStripOn ? "on" : "off") + "\n";
    if (!SettingsLanguage.empty())
        text += "language = " + SettingsLanguage + "\n";
    return text;
}

void ReadSettings()
{
    SettingsLanguage.clear();
    uint32_t size = 0;
    char* text = (char*)hge->Resource_Load(SettingsFileName, &size);
    if (!text)
        return;
    ParseSettings(std::string(text, size));
    hge->Resource_Free(text);
}

void WriteSettings()
{
    std::string path = ResolveWritePath(SettingsFileName);
    if (!WriteWholeFile(path, SettingsText()))
        hge->System_Log("Can't write the settings %s", path.c_str());
}

// A choice the game does not offer (a language since removed, a mistyped
// option) is logged and passed over.
static bool TryLanguage(const std::string& code, const char* from)
{
    if (code.empty())
        return false;
    if (ChooseLanguage(code))
        return true;
    hge->System_Log("No language \"%s\" (%s) among the game's; passed over", code.c_str(), from);
    return false;
}

void ChooseStartLanguage()
{
    LoadLanguageList();
    if (TryLanguage(LanguageAsked, "--lang") || TryLanguage(SettingsLanguage, SettingsFileName))
        return;
    std::string system = LanguageOfLocale(hge->System_GetLanguage());
    ChooseLanguage(system.empty() ? Languages[0] : system);
}

void ChooseNextLanguage()
{
    ChooseLanguage(Languages[(Language + 1) % Languages.size()]);
    ShowLanguagePictures();
    SettingsLanguage = LanguageCode();
    WriteSettings();
}
