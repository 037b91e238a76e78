#include "tests/support/fake_engine.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "engine/ini.h"
#include "engine/paths.h"
#include "frame/hooks.h"
#include "frame/program.h"

void FakeEngine::ClearPresses()
{
    for (int k = 0; k < HGEK_MAXKEY; k++)
        pressed[k] = released[k] = false;
    wheel = 0;
}

HTEXTURE FakeEngine::AddTexture(int w, int h)
{
    textures.push_back({w, h});
    textureNames.push_back("");
    return (HTEXTURE)textures.size();
}

std::string FakeEngine::textureName(HTEXTURE tex) const
{
    return tex >= 1 && tex <= textureNames.size() ? textureNames[tex - 1] : "";
}

void FakeEngine::System_Log(const char* format, ...)
{
    char buf[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    logs.push_back(buf);
}

int FakeEngine::System_MessageBox(const char* text, const char*, unsigned)
{
    messages.push_back(text);
    return 1;
}

void FakeEngine::System_SetStateBool(hgeBoolState s, bool v)
{
    if (s == HGE_WINDOWED)
        windowed = v;
}

void FakeEngine::System_SetStateInt(hgeIntState s, int v)
{
    if (s == HGE_SCREENWIDTH)
        screenWidth = v;
    if (s == HGE_SCREENHEIGHT)
        screenHeight = v;
}

void FakeEngine::System_SetStateString(hgeStringState s, const char* v)
{
    if (s == HGE_INIFILE) {
        iniFile = v;
        ForgetCachedIni(iniFile);
    }
}

int FakeEngine::System_GetStateInt(hgeIntState s)
{
    return s == HGE_SCREENWIDTH ? screenWidth : s == HGE_SCREENHEIGHT ? screenHeight : 32;
}

void* FakeEngine::Resource_Load(const char* filename, uint32_t* size)
{
    return LoadWholeFile(filename, ResourceFileLimit, size);
}

void FakeEngine::Resource_Free(void* resource)
{
    free(resource);
}

hgeFolderState FakeEngine::Resource_FetchFolder(const char* folder)
{
    foldersAsked.push_back(folder);
    auto found = folderStates.find(folder);
    return found == folderStates.end() ? HGE_FOLDER_READY : found->second;
}

std::string FakeEngine::Ini_GetString(const char* section, const char* name, const char* def)
{
    return IniFileString(iniFile, section, name, def);
}

int FakeEngine::Ini_GetInt(const char* section, const char* name, int def)
{
    return IniFileInt(iniFile, section, name, def);
}

float FakeEngine::Ini_GetFloat(const char* section, const char* name, float def)
{
    return IniFileFloat(iniFile, section, name, def);
}

int FakeEngine::Random_Int(int min, int max)
{
    if (randomInts.empty())
        return min;
    int v = randomInts.front();
    randomInts.pop_front();
    return v < min ? min : v > max ? max : v;
}

float FakeEngine::Random_Float(float min, float max)
{
    if (randomFloats.empty())
        return min;
    float v = randomFloats.front();
    randomFloats.pop_front();
    return v < min ? min : v > max ? max : v;
}

HEFFECT FakeEngine::Effect_Load(const char* filename, uint32_t)
{
    effects.push_back(filename);
    return (HEFFECT)effects.size();
}

HCHANNEL FakeEngine::Effect_PlayEx(HEFFECT eff, int, int, float, bool)
{
    if (eff == 0 || eff > effects.size())
        return 0;
    sounds.push_back(effects[eff - 1]);
    playingChannels.insert(nextChannel);
    return nextChannel++;
}

int FakeEngine::Input_GetKey()
{
    for (int k = 1; k < HGEK_MAXKEY; k++)
        if (pressed[k])
            return k;
    return 0;
}

HTARGET FakeEngine::Target_Create(int w, int h, bool)
{
    return AddTexture(w, h);
}

static bool PngSize(const std::string& file, int* w, int* h)
{
    std::ifstream in(ResolvePath(file), std::ios::binary);
    unsigned char head[24];
    if (!in.read((char*)head, sizeof head) || memcmp(head + 12, "IHDR", 4) != 0)
        return false;
    *w = (head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19];
    *h = (head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23];
    return true;
}

HTEXTURE FakeEngine::Texture_Load(const char* filename, uint32_t, bool)
{
    std::string name = filename;
    loadedTextures.push_back(name);
    if (missingFiles.count(name))
        return 0;
    int w = 0, h = 0;
    auto it = textureSizes.find(name);
    if (it != textureSizes.end()) {
        w = it->second.first;
        h = it->second.second;
    } else if (!PngSize(name, &w, &h)) {
        return 0;
    }
    HTEXTURE tex = AddTexture(w, h);
    textureNames[tex - 1] = name;
    return tex;
}

void FakeEngine::Texture_Free(HTEXTURE tex)
{
    if (tex)
        freedTextures++;
}

int FakeEngine::Texture_GetWidth(HTEXTURE tex, bool)
{
    return tex >= 1 && tex <= textures.size() ? textures[tex - 1].first : 0;
}

int FakeEngine::Texture_GetHeight(HTEXTURE tex, bool)
{
    return tex >= 1 && tex <= textures.size() ? textures[tex - 1].second : 0;
}

FakeEngineScope::FakeEngineScope() : saved(hge)
{
    hge = &engine;
    InstallGameHooks();
}

FakeEngineScope::~FakeEngineScope()
{
    hge = saved;
}
