#include "tools/fuzz/fuzz_targets.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "assets/font.h"
#include "engine/ini.h"
#include "engine/input_script.h"
#include "engine/key_map.h"
#include "frame/hooks.h"
#include "frame/program.h"
#include "tests/support/fake_engine.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/number_code.h"
#include "world/player_state.h"
#include "world/storey.h"

static FakeEngine* Engine = nullptr;
static size_t RegistryAtStart = 0;

// What the set-up made is freed at exit, so the leak check sees only what
// an input leaked.
static void FinishFuzzing()
{
    HGE* saved = hge;
    hge = Engine;
    ReleaseCatalogueAnimations();
    ObjectTypes.clear();
    FloorTypes.clear();
    CharacterTemplates.clear();
    LegsSets.clear();
    HandsSets.clear();
    HeadSets.clear();
    TextureRegistry.clear();
    ResetStoreyGrid(1, 1);
    hge = saved == Engine ? nullptr : saved;
    delete Engine;
    Engine = nullptr;
}

void PrepareFuzzing(const std::string& dataRoot)
{
    if (Engine)
        return;
    Engine = new FakeEngine();
    hge = Engine;
    if (!dataRoot.empty() && chdir(dataRoot.c_str()) != 0)
        fprintf(stderr, "Can't enter %s\n", dataRoot.c_str());
    InstallGameHooks();
    TextureRegistry.push_back({0, "tex.png"});
    LoadCatalogue();
    LoadCharacterSets();
    RegistryAtStart = TextureRegistry.size();
    atexit(FinishFuzzing);
}

static std::string Text(const uint8_t* data, size_t size)
{
    return std::string((const char*)data, size);
}

// What one input may leave behind is dropped, so inputs do not pile up.
static void ForgetOutput()
{
    Engine->quads.clear();
    Engine->logs.clear();
    Engine->messages.clear();
    Engine->sounds.clear();
    Engine->loadedTextures.clear();
    TextureRegistry.resize(RegistryAtStart);
}

// Storeys up to the format's 4899 x 4899 cells load in about a second (the
// frame-time benchmark plays one); here they would only make each input
// slow, so the fuzzer keeps to grids of up to 256 x 256 cells, three times
// the largest storey of the campaign each way.
static bool HugeGrid(const uint8_t* data, size_t size)
{
    if (size < 4)
        return false;
    long w = DecodeNumber(data[0], data[1]), h = DecodeNumber(data[2], data[3]);
    return w * h > 256 * 256;
}

static void FuzzLevel(const uint8_t* data, size_t size)
{
    if (HugeGrid(data, size))
        return;
    ReadLevelText(Text(data, size), "fuzz.lvl");
    WriteLevelFile("/dev/null");
}

static void FuzzIni(const uint8_t* data, size_t size)
{
    IniFile ini = ParseIni(Text(data, size));
    std::string value;
    int lookups = 0;
    for (const IniSection& s : ini.sections)
        for (const IniKey& k : s.keys)
            if (lookups++ < 16)
                FindIniValue(ini, s.name, k.name, &value);
    UseIniText(Text(data, size));
    hge->Ini_GetInt("System", "apg_project_size", 0);
    hge->Ini_GetFloat("0_0", "FPS", 1);
    hge->Ini_GetString("Texture_1", "Name", "");
}

static void FuzzAtlas(const uint8_t* data, size_t size)
{
    LoadAtlasProjectText(Text(data, size));
    FindAtlasAnimation("black");
    GetAtlasPropertyInt("", "Width", 1);
    GetAtlasProperty("door", "Destroy", "");
}

static void FuzzObjects(const uint8_t* data, size_t size)
{
    LoadCatalogueText(Text(data, size));
}

static void FuzzMan(const uint8_t* data, size_t size)
{
    LoadCharacterSetsText(Text(data, size));
    for (int set = 0; set < (int)HandsSets.size(); set++)
        for (int w = 0; w < 6; w++)
            HandsAnimation(set, w, HANDS_FIRE);
    // Templates are kept alive by design (copies may be on screen); nothing
    // holds these.
    CharacterTemplates.clear();
    LegsSets.clear();
    HandsSets.clear();
    HeadSets.clear();
}

static void FuzzFont(const uint8_t* data, size_t size)
{
    hgeFont* font = hgeFont::FromText("data/font1.fnt", Text(data, size));
    const char* sample = "Quarvel \xcf\xf0\xe8\xe2\xe5\xf2!\n? 12:34";
    font->GetStringWidth(sample);
    font->Render(400, 300, HGETEXT_CENTER, sample);
    font->SetColor(0xFF00FF00);
    delete font;
}

static void FuzzSave(const uint8_t* data, size_t size)
{
    std::string text = Text(data, size);
    checkpoint_struct c;
    if (ParseSaveLine(text.substr(0, text.find('\n')), &c))
        SaveLine(c);
}

static void FuzzScript(const uint8_t* data, size_t size)
{
    std::vector<InputEvent> events;
    std::string error;
    if (ParseInputScript(Text(data, size), &events, &error))
        for (const InputEvent& e : events)
            FormatInputEvent(e);
}

static void FuzzKeys(const uint8_t* data, size_t size)
{
    std::vector<std::string> problems;
    ParseKeySettings(Text(data, size), &problems);
}

static void RunAndForget(void (*fuzz)(const uint8_t*, size_t), const uint8_t* data, size_t size)
{
    fuzz(data, size);
    ForgetOutput();
}

#define FUZZ_TARGET(name, fn) \
    {name, [](const uint8_t* d, size_t n) { RunAndForget(fn, d, n); }}

const fuzz_target_struct FuzzTargets[] = {
    FUZZ_TARGET("level", FuzzLevel),   FUZZ_TARGET("ini", FuzzIni),   FUZZ_TARGET("atlas", FuzzAtlas),
    FUZZ_TARGET("objects", FuzzObjects), FUZZ_TARGET("man", FuzzMan), FUZZ_TARGET("font", FuzzFont),
    FUZZ_TARGET("script", FuzzScript), FUZZ_TARGET("save", FuzzSave), FUZZ_TARGET("keys", FuzzKeys),
};
const int FuzzTargetCount = sizeof FuzzTargets / sizeof FuzzTargets[0];

const fuzz_target_struct* FindFuzzTarget(const std::string& name)
{
    for (const fuzz_target_struct& t : FuzzTargets)
        if (name == t.name)
            return &t;
    return nullptr;
}
