// INI files read the way the Windows profile functions read them: names
// compared without regard to case, white space trimmed, quoted values
// unquoted, the first matching section and key win. Files are parsed once
// and cached.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct IniKey {
    std::string name;
    std::string value;
};

struct IniSection {
    std::string name;
    std::vector<IniKey> keys;
};

struct IniFile {
    bool loaded = false;
    std::vector<IniSection> sections;
};

IniFile ParseIni(std::string_view text);

// Looks a key up; false when the section or key is missing.
bool FindIniValue(const IniFile& ini, const std::string& section, const std::string& key,
                  std::string* value);

// Optional sign and leading digits, anything after them ignored; 0 without digits.
int ParseIniInt(const std::string& text);
float ParseIniFloat(const std::string& text);

// The engine's INI reads of a file: the default when the file or key is
// missing, or the value is empty.
std::string IniFileString(const std::string& file, const char* section, const char* key, const char* def);
int IniFileInt(const std::string& file, const char* section, const char* key, int def);
float IniFileFloat(const std::string& file, const char* section, const char* key, float def);

// The parsed file for a path, read at most once until forgotten.
const IniFile& CachedIni(const std::string& path);
void ForgetCachedIni(const std::string& path);
// Makes text the cached contents of path, as if the file had been read: a
// loader can then read an INI text held in memory (no disk needed). Setting
// the engine's INI file to path again forgets it.
void CacheIniText(const std::string& path, const std::string& text);

// The name under which loaders read an INI text held in memory.
const char* const MemoryIniName = "<memory>";
