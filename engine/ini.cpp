#include "engine/ini.h"

#include <cctype>
#include <cstdlib>
#include <algorithm>
#include <map>

#include "engine/paths.h"

static std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace((unsigned char)s[b]))
        b++;
    while (e > b && std::isspace((unsigned char)s[e - 1]))
        e--;
    return std::string(s.substr(b, e - b));
}

static std::string Unquote(const std::string& s)
{
    if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0])
        return s.substr(1, s.size() - 2);
    return s;
}

static bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
            return false;
    return true;
}

IniFile ParseIni(std::string_view text)
{
    IniFile ini;
    ini.loaded = true;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.remove_prefix(3);
    IniSection* current = nullptr;
    while (!text.empty()) {
        size_t end = std::min(text.find('\n'), text.size());
        std::string t = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            size_t close = t.find(']');
            ini.sections.push_back({Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            current = &ini.sections.back();
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos || current == nullptr)
            continue;
        current->keys.push_back({Trim(t.substr(0, eq)), Unquote(Trim(t.substr(eq + 1)))});
    }
    return ini;
}

bool FindIniValue(const IniFile& ini, const std::string& section, const std::string& key,
                  std::string* value)
{
    std::string sec = Trim(section), name = Trim(key);
    for (const IniSection& s : ini.sections) {
        if (!SameIgnoringCase(s.name, sec))
            continue;
        for (const IniKey& k : s.keys) {
            if (SameIgnoringCase(k.name, name)) {
                *value = k.value;
                return true;
            }
        }
    }
    return false;
}

int ParseIniInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace((unsigned char)text[i]))
        i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long v = 0;
    while (i < text.size() && std::isdigit((unsigned char)text[i])) {
        v = v * 10 + (text[i++] - '0');
        if (v > 0x7FFFFFFFLL)
            v = 0x7FFFFFFFLL;
    }
    return (int)(negative ? -v : v);
}

float ParseIniFloat(const std::string& text)
{
    return (float)std::strtod(text.c_str(), nullptr);
}

static std::map<std::string, IniFile>& IniCache()
{
    static std::map<std::string, IniFile> cache;
    return cache;
}

const IniFile& CachedIni(const std::string& path)
{
    auto& cache = IniCache();
    auto it = cache.find(path);
    if (it != cache.end())
        return it->second;
    IniFile ini;
    uint32_t size = 0;
    if (char* text = (char*)LoadWholeFile(path, IniFileLimit, &size)) {
        ini = ParseIni(std::string_view(text, size));
        free(text);
    }
    return cache[path] = ini;
}

void ForgetCachedIni(const std::string& path)
{
    IniCache().erase(path);
}

void CacheIniText(const std::string& path, const std::string& text)
{
    IniCache()[path] = ParseIni(text);
}

std::string IniFileString(const std::string& file, const char* section, const char* key, const char* def)
{
    std::string value;
    if (file.empty() || !FindIniValue(CachedIni(file), section, key, &value))
        return def ? def : "";
    return value;
}

int IniFileInt(const std::string& file, const char* section, const char* key, int def)
{
    std::string value = IniFileString(file, section, key, "");
    return value.empty() ? def : ParseIniInt(value);
}

float IniFileFloat(const std::string& file, const char* section, const char* key, float def)
{
    std::string value = IniFileString(file, section, key, "");
    return value.empty() ? def : ParseIniFloat(value);
}
