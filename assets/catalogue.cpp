#include "assets/catalogue.h"

#include "assets/atlas.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/program.h"

std::vector<texture_struct> TextureRegistry;
std::vector<floor_type_struct> FloorTypes;
std::vector<object_type_struct> ObjectTypes;

// Key k of a numbered list, counted from 1; "" ends the list.
static std::string ListEntry(const char* section, int k)
{
    return hge->Ini_GetString(section, std::to_string(k).c_str(), "");
}

std::vector<std::string> ListedTextureNames()
{
    std::vector<std::string> names;
    for (int k = 1;; k++) {
        std::string name = hge->Ini_GetString(("Texture_" + std::to_string(k)).c_str(), "Name", "");
        if (name.empty())
            return names;
        names.push_back(name);
    }
}

static void LoadCatalogueTextures()
{
    for (const std::string& name : ListedTextureNames())
        TextureRegistry.push_back({hge->Texture_Load(("data/" + name).c_str()), name});
}

static floor_type_struct MakeFloorType(const std::string& name)
{
    floor_type_struct f;
    f.name = name;
    f.animation = FindAtlasAnimation(name);
    f.width = GetAtlasPropertyInt("", "Width", 1);
    f.height = GetAtlasPropertyInt("", "Height", 1);
    return f;
}

static object_type_struct MakeObjectType(const std::string& name)
{
    object_type_struct o;
    o.name = name;
    o.animation = FindAtlasAnimation(name);
    o.armor = GetAtlasPropertyInt("", "Armor", 0);
    o.bonus = GetAtlasPropertyInt("", "Bonus", 0);
    o.size = GetAtlasPropertyInt("", "Size", 60);
    o.hit_chance = GetAtlasPropertyInt("", "Count", 80);
    o.remains = GetAtlasProperty("", "Destroy", "");
    o.width = GetAtlasPropertyInt("", "Width", 1);
    o.height = GetAtlasPropertyInt("", "Height", 1);
    o.kind = GetAtlasPropertyInt("", "Type", 0);
    return o;
}

// Atlas animations are made stopped; a type drawn with a looping animation of
// several frames (a blinking server rack, a fan) is meant to run all the time.
static void StartLoopingTypeAnimations()
{
    for (object_type_struct& t : ObjectTypes) {
        hgeAnimation* a = t.animation;
        if (a && a->GetFrames() > 1 && (a->GetMode() & HGEANIM_LOOP) && !a->IsPlaying())
            a->Play();
    }
}

// Reads the type lists and textures from the engine's current INI file.
static void ReadCatalogue()
{
    ObjectTypes.clear();
    FloorTypes.clear();
    LoadCatalogueTextures();
    for (int k = 1;; k++) {
        std::string name = ListEntry("Floors", k);
        if (name.empty())
            break;
        FloorTypes.push_back(MakeFloorType(name));
    }
    for (int k = 1;; k++) {
        std::string name = ListEntry("Objects", k);
        if (name.empty())
            break;
        ObjectTypes.push_back(MakeObjectType(name));
    }
    StartLoopingTypeAnimations();
}

void LoadCatalogue()
{
    LoadAtlasProject("data/qvl.apg");
    hge->System_SetState(HGE_INIFILE, "data/Objects.ini");
    ReadCatalogue();
}

void LoadCatalogueText(const std::string& text)
{
    UseIniText(text);
    ReadCatalogue();
}

void ReleaseCatalogueAnimations()
{
    for (floor_type_struct& f : FloorTypes)
        f.animation = nullptr;
    for (object_type_struct& o : ObjectTypes)
        o.animation = nullptr;
    ClearAtlasProject();
}

HTEXTURE TextureByName(const std::string& name)
{
    for (const texture_struct& t : TextureRegistry)
        if (t.name == name)
            return t.handle;
    std::string text = Tr("Текстура \""_cp) + name + Tr("\" не найдена"_cp);
    hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
    return TextureRegistry.empty() ? 0 : TextureRegistry[0].handle;
}

int FindObjectType(const std::string& name)
{
    for (size_t i = 0; i < ObjectTypes.size(); i++)
        if (ObjectTypes[i].name == name)
            return (int)i;
    return -1;
}
