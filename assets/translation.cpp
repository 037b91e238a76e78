#include "assets/translation.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "engine/cp1251.h"
#include "engine/paths.h"
#include "frame/program.h"

std::vector<std::string> Languages = {"ru"};
int Language = 0;

static translation_map Catalogue;

// The C escapes a catalogue's strings use.
static char Unescaped(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    default: return c;
    }
}

// The text between the quotes of a line's string, escapes resolved; false
// when the line holds no whole quoted string.
static bool QuotedString(const std::string& line, size_t from, std::string* out)
{
    size_t open = line.find('"', from);
    if (open == std::string::npos)
        return false;
    out->clear();
    for (size_t i = open + 1; i < line.size(); i++) {
        if (line[i] == '"')
            return line.find_first_not_of(" \t\r", i + 1) == std::string::npos;
        if (line[i] == '\\' && i + 1 < line.size())
            *out += Unescaped(line[++i]);
        else
            *out += line[i];
    }
    return false;
}

struct po_entry_struct {
    std::string context, id, translation;
    bool fuzzy = false, plural = false;
    std::string* field = nullptr;  // the string continuation lines extend
};

static void KeepEntry(po_entry_struct& e, translation_map* out)
{
    if (!e.id.empty() && !e.translation.empty() && !e.fuzzy && !e.plural) {
        std::string key = e.context.empty() ? e.id : e.context + '\x04' + e.id;
        (*out)[Cp1251FromUtf8(key)] = Cp1251FromUtf8(e.translation);
    }
    e = po_entry_struct();
}

// One line of a catalogue; false when it is neither a comment, a keyword
// with its string, nor a continuation string.
static bool ReadPoLine(const std::string& line, po_entry_struct& e, translation_map* out)
{
    size_t start = line.find_first_not_of(" \t\r");
    bool entryEnds = start == std::string::npos || line[start] == '#';
    if (entryEnds && e.field == &e.translation)
        KeepEntry(e, out);
    if (start == std::string::npos)
        return true;
    if (line[start] == '#') {
        if (line.compare(start, 2, "#,") == 0 && line.find("fuzzy") != std::string::npos)
            e.fuzzy = true;
        return true;
    }
    std::string word = line.substr(start, line.find_first_of(" \t\"", start) - start);
    std::string text;
    if (!QuotedString(line, start, &text))
        return false;
    if (word.empty() && e.field) {
        *e.field += text;
        return true;
    }
    if ((word == "msgctxt" || word == "msgid") && e.field == &e.translation)
        KeepEntry(e, out);  // a new entry begins
    if (word == "msgctxt")
        e.field = &e.context;
    else if (word == "msgid")
        e.field = &e.id;
    else if (word == "msgstr" || word == "msgstr[0]")
        e.field = &e.translation;
    else if (word == "msgid_plural" || word.compare(0, 7, "msgstr[") == 0)
        e.plural = true, e.field = nullptr;
    else
        return false;
    if (e.field)
        *e.field = text;
    return true;
}

bool ParseCatalogue(const std::string& text, translation_map* out, std::string* error)
{
    std::istringstream in(text);
    std::string line;
    po_entry_struct entry;
    for (int n = 1; std::getline(in, line); n++) {
        if (!ReadPoLine(line, entry, out)) {
            *error = "line " + std::to_string(n) + ": not a catalogue line";
            return false;
        }
    }
    KeepEntry(entry, out);
    return true;
}

static std::string ReadTextFile(const std::string& name, bool* found)
{
    uint32_t size = 0;
    char* data = (char*)hge->Resource_Load(name.c_str(), &size);
    *found = data != nullptr;
    if (!data)
        return "";
    std::string text(data, size);
    hge->Resource_Free(data);
    return text;
}

void LoadLanguageList()
{
    Languages = {"ru"};
    bool found;
    std::istringstream in(ReadTextFile("data/lang/LINGUAS", &found));
    std::string code;
    while (in >> code) {
        if (code[0] == '#') {
            std::getline(in, code);
            continue;
        }
        bool known = false;
        for (const std::string& l : Languages)
            known |= l == code;
        if (!known)
            Languages.push_back(code);
    }
}

static void ReadCatalogue(const std::string& code)
{
    std::string name = "data/lang/" + code + ".po", error;
    bool found;
    std::string text = ReadTextFile(name, &found);
    if (!found)
        hge->System_Log("Can't read the catalogue %s; the texts stay Russian", name.c_str());
    else if (!ParseCatalogue(text, &Catalogue, &error))
        hge->System_Log("%s, %s; the texts after it stay Russian", name.c_str(), error.c_str());
}

// Codes match whatever their letter case, and "-" stands for "_" as
// browsers write them ("pt-BR" is LINGUAS's "pt_BR").
static bool SameCode(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++) {
        char x = a[i] == '-' ? '_' : (char)std::tolower((unsigned char)a[i]);
        char y = b[i] == '-' ? '_' : (char)std::tolower((unsigned char)b[i]);
        if (x != y)
            return false;
    }
    return true;
}

static int FindLanguage(const std::string& code)
{
    for (size_t i = 0; i < Languages.size(); i++)
        if (SameCode(Languages[i], code))
            return (int)i;
    return -1;
}

bool ChooseLanguage(const std::string& code)
{
    int i = FindLanguage(code);
    if (i < 0)
        return false;
    Language = i;
    Catalogue.clear();
    if (i > 0)
        ReadCatalogue(Languages[i]);
    return true;
}

std::string LanguageOfLocale(const std::string& locale)
{
    std::string name = locale.substr(0, locale.find_first_of(".@"));
    for (const std::string& code : {name, name.substr(0, name.find_first_of("_-"))})
        if (int i = FindLanguage(code); i >= 0)
            return Languages[i];
    return "";
}

const std::string& LanguageCode()
{
    return Languages[Language];
}

const char* Tr(const char* russian)
{
    if (Catalogue.empty())
        return russian;
    auto found = Catalogue.find(russian);
    return found == Catalogue.end() ? russian : found->second.c_str();
}

const char* TrIn(const char* context, const char* russian)
{
    if (!context)
        return Tr(russian);
    if (Catalogue.empty())
        return russian;
    auto found = Catalogue.find(std::string(context) + '\x04' + russian);
    return found == Catalogue.end() ? russian : found->second.c_str();
}

std::string Tr(const std::string& russian)
{
    return Tr(russian.c_str());
}

std::string LocalPictureFolder()
{
    return Language > 0 ? "data/lang/" + LanguageCode() : "";
}

std::string LocalPicture(const std::string& name)
{
    if (Language > 0) {
        std::string local = LocalPictureFolder() + "/" + name;
        std::error_code error;
        if (std::filesystem::is_regular_file(ResolvePath(local), error))
            return local;
    }
    return "data/" + name;
}
