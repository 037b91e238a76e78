#include "assets/character_sets.h"

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "frame/program.h"

std::vector<anim_legs_struct> LegsSets;
std::vector<anim_hands_struct> HandsSets;
std::vector<anim_heads_struct> HeadSets;
std::vector<std::unique_ptr<hgeAnimation>> CharacterTemplates;

const char* const LegsFieldNames[LEGS_ANIMATIONS] = {
    "Stoit", "Sidit", "Idet_Vpered", "Idet_Nazad", "Polzet_Vpered", "Polzet_Nazad", "Dead"};

const char* const HandsFieldNames[HANDS_ANIMATIONS] = {
    "Pusto_Stoit",     "Pusto_Idet",     "Pusto_Udar",     "Revolver_Stoit", "Revolver_Idet",
    "Revolver_Udar",   "Revolver_Fire",  "Revolver_Reload", "Pistol_Stoit",  "Pistol_Idet",
    "Pistol_Udar",     "Pistol_Fire",    "Pistol_Reload",  "Shotgun_Stoit",  "Shotgun_Idet",
    "Shotgun_Udar",    "Shotgun_Fire",   "Shotgun_Reload", "Rifle_Stoit",    "Rifle_Idet",
    "Rifle_Udar",      "Rifle_Fire",     "Rifle_Reload",   "Grenade_Stoit",  "Grenade_Idet",
    "Grenade_Udar",    "Grenade_Fire",   "Dead"};

const char* const HeadFieldNames[HEAD_ANIMATIONS] = {"Base", "Dead"};

static void LoadCharacterTextures()
{
    for (const std::string& name : ListedTextureNames()) {
        HTEXTURE tex = hge->Texture_Load(("data/" + name).c_str());
        bool known = false;
        for (texture_struct& t : TextureRegistry) {
            if (t.name == name) {
                t.handle = tex;
                known = true;
            }
        }
        if (!known)
            TextureRegistry.push_back({tex, name});
    }
}

static hgeAnimation* BuildTemplate(const std::string& section, const std::string& textureName)
{
    const char* s = section.c_str();
    HTEXTURE tex = TextureByName(textureName);
    auto a = std::make_unique<hgeAnimation>(tex, hge->Ini_GetInt(s, "Frames", 1), hge->Ini_GetFloat(s, "FPS", 1),
                                            hge->Ini_GetFloat(s, "X", 0), hge->Ini_GetFloat(s, "Y", 0),
                                            hge->Ini_GetFloat(s, "W", 1), hge->Ini_GetFloat(s, "H", 1));
    a->SetHotSpot(a->GetWidth() / 2, a->GetHeight() / 2);
    a->Play();
    CharacterTemplates.push_back(std::move(a));
    return CharacterTemplates.back().get();
}

// Reads sets "<kind>_1_...", "<kind>_2_..." until the set whose test section
// has no "X" of 0 or more; each set takes the texture named in that section.
template <typename Set, size_t N>
static void LoadSets(std::vector<Set>& sets, const char* kind, const char* testField,
                     const char* const (&fields)[N])
{
    for (int n = 1;; n++) {
        std::string prefix = std::string(kind) + "_" + std::to_string(n) + "_";
        std::string test = prefix + testField;
        if (hge->Ini_GetFloat(test.c_str(), "X", -1) < 0)
            break;
        std::string texture = hge->Ini_GetString(test.c_str(), "Texture", "");
        Set set;
        for (size_t i = 0; i < N; i++)
            set.anims[i] = BuildTemplate(prefix + fields[i], texture);
        sets.push_back(set);
    }
}

// Reads the sets from the engine's current INI file.
static void ReadCharacterSets()
{
    HandsSets.clear();
    HeadSets.clear();
    LegsSets.clear();
    LoadCharacterTextures();
    LoadSets(LegsSets, "Legs", "Stoit", LegsFieldNames);
    LoadSets(HandsSets, "Hands", "Pusto_Idet", HandsFieldNames);
    LoadSets(HeadSets, "Head", "Base", HeadFieldNames);
}

void LoadCharacterSets()
{
    hge->System_SetState(HGE_INIFILE, "data/Man.ini");
    ReadCharacterSets();
}

void LoadCharacterSetsText(const std::string& text)
{
    UseIniText(text);
    ReadCharacterSets();
}

template <typename Set>
static const Set* SafeSet(const std::vector<Set>& sets, int index)
{
    if (sets.empty())
        return nullptr;
    return (index >= 0 && index < (int)sets.size()) ? &sets[index] : &sets[0];
}

hgeAnimation* LegsAnimation(int set, int which)
{
    const anim_legs_struct* s = SafeSet(LegsSets, set);
    return (s && which >= 0 && which < LEGS_ANIMATIONS) ? s->anims[which] : nullptr;
}

hgeAnimation* HandsAnimation(int set, int weapon, int action)
{
    const anim_hands_struct* s = SafeSet(HandsSets, set);
    if (!s || weapon < 0 || weapon > 5 || action < 0 || action >= HandsGroupSize[weapon])
        return nullptr;
    return s->anims[HandsGroupStart[weapon] + action];
}

hgeAnimation* HandsDeadAnimation(int set)
{
    const anim_hands_struct* s = SafeSet(HandsSets, set);
    return s ? s->anims[HANDS_DEAD_POSITION] : nullptr;
}

hgeAnimation* HeadAnimation(int set, int which)
{
    const anim_heads_struct* s = SafeSet(HeadSets, set);
    return (s && which >= 0 && which < HEAD_ANIMATIONS) ? s->anims[which] : nullptr;
}
