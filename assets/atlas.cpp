#include "assets/atlas.h"

#include <algorithm>
#include <cstdlib>

#include "engine/ini.h"
#include "engine/paths.h"
#include "frame/program.h"

std::vector<apg_tex_struct> AtlasTextures;
std::string AtlasProjectName;
atlas_ref_struct LastAtlasAnimation = {false, 0, 0};

// Counts in a project are never negative, and never more than its file can
// describe: every texture and animation has a section of its own and every
// property name a key, so a damaged count (a billion animations) is cut to
// that instead of hanging the start-up.
static int CountLimit = 0;

static int ReadCount(const std::string& section, const char* key)
{
    int n = hge->Ini_GetInt(section.c_str(), key, 0);
    return n < 0 ? 0 : n > CountLimit ? CountLimit : n;
}

static void LimitCountsByFile(const std::string& iniName)
{
    const IniFile& ini = CachedIni(iniName);
    size_t keys = 0;
    for (const IniSection& s : ini.sections)
        keys += s.keys.size();
    CountLimit = (int)std::min<size_t>(std::max(ini.sections.size(), keys), 1 << 30);
}

static std::vector<std::string> ReadNumberedKeys(const std::string& section, int count)
{
    std::vector<std::string> values;
    for (int k = 0; k < count; k++)
        values.push_back(hge->Ini_GetString(section.c_str(), std::to_string(k).c_str(), ""));
    return values;
}

static apg_anim_struct ReadAnimation(const std::string& s, HTEXTURE texture, int propertyCount)
{
    const char* sec = s.c_str();
    apg_anim_struct a;
    a.name = hge->Ini_GetString(sec, "name", "Error");
    a.animation = new hgeAnimation(texture, hge->Ini_GetInt(sec, "Frames", 1), hge->Ini_GetFloat(sec, "FPS", 0),
                                   hge->Ini_GetFloat(sec, "x", 0), hge->Ini_GetFloat(sec, "y", 0),
                                   hge->Ini_GetFloat(sec, "w", 1), hge->Ini_GetFloat(sec, "h", 1));
    a.animation->SetHotSpot(hge->Ini_GetFloat(sec, "sx", 0), hge->Ini_GetFloat(sec, "sy", 0));
    a.animation->SetMode(hge->Ini_GetInt(sec, "Loop", HGEANIM_FWD | HGEANIM_LOOP));
    a.flag = false;
    a.real1 = a.real2 = 0;
    a.property_values = ReadNumberedKeys(s, propertyCount);
    return a;
}

static apg_tex_struct ReadTexture(int i)
{
    std::string sec = std::to_string(i);
    apg_tex_struct t;
    int animCount = ReadCount(sec, "tex_size");
    int propertyCount = ReadCount(sec, "pr_size");
    t.name = hge->Ini_GetString(sec.c_str(), "tex_name", "Error");
    t.texture = hge->Texture_Load(t.name.c_str());
    t.usable = t.texture != 0;
    t.listed = true;
    t.property_names = ReadNumberedKeys(sec, propertyCount);
    for (int j = 0; j < animCount; j++)
        t.animations.push_back(ReadAnimation(sec + "_" + std::to_string(j), t.texture, propertyCount));
    return t;
}

// Reads the project from the engine's current INI file, of that name.
static void ReadAtlasProject(const std::string& iniName)
{
    LimitCountsByFile(iniName);
    AtlasProjectName = hge->Ini_GetString("System", "apg_project_name", "Error");
    int count = ReadCount("System", "apg_project_size");
    for (int i = 0; i < count; i++)
        AtlasTextures.push_back(ReadTexture(i));
}

void LoadAtlasProject(const std::string& file)
{
    if (!CanOpenForReading(ResolvePath(file)))
        return;
    ClearAtlasProject();
    hge->System_SetState(HGE_INIFILE, file.c_str());
    ReadAtlasProject(file);
}

void UseIniText(const std::string& text)
{
    hge->System_SetState(HGE_INIFILE, MemoryIniName);
    CacheIniText(MemoryIniName, text);
}

void LoadAtlasProjectText(const std::string& text)
{
    ClearAtlasProject();
    UseIniText(text);
    ReadAtlasProject(MemoryIniName);
}

void ClearAtlasProject()
{
    for (apg_tex_struct& t : AtlasTextures) {
        for (apg_anim_struct& a : t.animations)
            delete a.animation;
        t.animations.clear();
        if (t.texture)
            hge->Texture_Free(t.texture);
    }
    AtlasTextures.clear();
    AtlasProjectName.clear();
    LastAtlasAnimation.valid = false;
}

hgeAnimation* FindAtlasAnimation(const std::string& name)
{
    for (size_t i = 0; i < AtlasTextures.size(); i++) {
        const apg_tex_struct& t = AtlasTextures[i];
        if (!t.usable)
            continue;
        for (size_t j = 0; j < t.animations.size(); j++) {
            if (t.animations[j].name == name) {
                LastAtlasAnimation = {true, (int)i, (int)j};
                return t.animations[j].animation;
            }
        }
    }
    LastAtlasAnimation.valid = false;
    return nullptr;
}

std::string GetAtlasProperty(const std::string& anim, const std::string& property, const std::string& def)
{
    if (anim.empty() ? !LastAtlasAnimation.valid : !FindAtlasAnimation(anim))
        return def;
    const apg_tex_struct& t = AtlasTextures[LastAtlasAnimation.texture];
    const apg_anim_struct& a = t.animations[LastAtlasAnimation.animation];
    for (size_t k = 0; k < t.property_names.size(); k++) {
        if (t.property_names[k] != property)
            continue;
        if (k >= a.property_values.size() || a.property_values[k].empty())
            return def;
        return a.property_values[k];
    }
    return def;
}

int GetAtlasPropertyInt(const std::string& anim, const std::string& property, int def)
{
    std::string v = GetAtlasProperty(anim, property, std::to_string(def));
    return v.empty() ? def : ParseIniInt(v);
}

float GetAtlasPropertyFloat(const std::string& anim, const std::string& property, float def)
{
    std::string v = GetAtlasProperty(anim, property, std::to_string(def));
    return v.empty() ? def : ParseIniFloat(v);
}
