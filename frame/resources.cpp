#include "frame/resources.h"
#include "frame/settings.h"

#include <memory>
#include <string>
#include <vector>

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "engine/paths.h"
#include "frame/hooks.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "editor/palette.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "player/body.h"
#include "player/movement.h"
#include "screens/menu.h"
#include "world/level_file.h"
#include "world/number_code.h"
#include "world/campaign.h"
#include "world/player_state.h"
#include "world/storey.h"

hgeAnimation* Sprites[SPRITE_COUNT] = {};
hgeFont* HudFont = nullptr;
hgeFont* SpeakerFontA = nullptr;
hgeFont* SpeakerFontB = nullptr;
hgeFont* ShopFont = nullptr;
HEFFECT Sounds[SOUND_COUNT] = {};
bool SoundOn = true;
HTARGET WorldTarget = 0;
hgeSprite* WorldTargetSprite = nullptr;

const char* const SoundFiles[SOUND_COUNT] = {
    "sound/menu_music.mp3",
    "sound/grenade-explosion-1.mp3",
    "sound/grenade-onto-floor-1.mp3",
    "sound/grenade-onto-floor-2.mp3",
    "sound/grenade-onto-floor-3.mp3",
    "sound/grenade-pin-pull-1.mp3",
    "sound/screen_music.mp3",
    "sound/game_music.mp3",
    "sound/hammer-click.mp3",
    "sound/bell-1.mp3",
    "sound/error.mp3",
    "sound/backpack_1.mp3",
    "sound/backpack_2.mp3",
    "sound/backpack_3.mp3",
    "sound/hit-1.mp3",
    "sound/hit-2.mp3",
    "sound/hit-3.mp3",
    "sound/hit-x.mp3",
    "sound/shotgun-fire-1.mp3",
    "sound/shotgun-open-1.mp3",
    "sound/shotgun-close-1.mp3",
    "sound/shotgun-reload-1.mp3",
    "sound/revolver-fire.mp3",
    "sound/revolver-load.mp3",
    "sound/revolver-rrr.mp3",
    "sound/pistol-fire.mp3",
    "sound/pistol_reload.mp3",
    "sound/rifle-fire.mp3",
    "sound/rifle-reload.mp3",
};

const char* const RegistryPictures[REGISTRY_PICTURE_COUNT] = {
    "tex.png",       "Menu.png",      "Control.png",   "Building1.png", "Dialog.png",     "Upgrade.png",
    "Gamin.png",     "Building2.png", "Building3.png", "Building4.png", "Building5.png",  "Building6.png",
    "Building7.png", "Building8.png", "Building9.png", "Building10.png", "GameOver.png",
};

const picture_sprite_struct PictureSprites[PICTURE_SPRITE_COUNT] = {
    {SPR_CONTROLS_PICTURE, 2, 0, 0, 800, 590},
    {SPR_BUILDING_1, 3, 0, 0, 800, 590},
    {SPR_DIALOG, 4, 0, 0, 800, 590},
    {SPR_UPGRADE, 5, 0, 0, 800, 590},
    {SPR_MENU, 1, 0, 0, 800, 590},
    {SPR_CONTINUE_HIGHLIT, 1, 0, 690, 233, 29},
    {SPR_CONTINUE, 1, 0, 661, 233, 29},
    {SPR_RESTART_HIGHLIT, 1, 0, 807, 233, 29},
    {SPR_RESTART, 1, 0, 776, 233, 29},
    {SPR_CONTROLS_HIGHLIT, 1, 0, 719, 233, 29},
    {SPR_EXIT_HIGHLIT, 1, 0, 748, 233, 29},
    {SPR_NEW_GAME_HIGHLIT, 1, 0, 632, 233, 29},
    {SPR_MUSIC_OFF, 1, 257, 727, 69, 69},
    {SPR_SOUND_OFF, 1, 257, 656, 69, 69},
    {SPR_PISTOL_CARRIED, 5, 505, 825, 102, 112},
    {SPR_REVOLVER_CARRIED, 5, 613, 825, 102, 112},
    {SPR_RIFLE_CARRIED, 5, 503, 592, 272, 112},
    {SPR_SHOTGUN_CARRIED, 5, 503, 708, 272, 112},
    {SPR_VEST, 5, 275, 709, 102, 112},
    {SPR_POCKET_VEST, 5, 381, 709, 102, 112},
    {SPR_HELMET, 5, 275, 593, 102, 112},
    {SPR_KNUCKLES, 5, 380, 594, 102, 112},
    {SPR_PISTOL_OWNED, 5, 2, 825, 102, 112},
    {SPR_REVOLVER_OWNED, 5, 110, 825, 102, 112},
    {SPR_RIFLE_OWNED, 5, 0, 592, 272, 112},
    {SPR_SHOTGUN_OWNED, 5, 0, 708, 272, 112},
    {SPR_SPLASH, 6, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 1, 7, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 2, 8, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 3, 9, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 4, 10, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 5, 11, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 6, 12, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 7, 13, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 8, 14, 0, 0, 800, 590},
    {SPR_BUILDING_1 + 9, 15, 0, 0, 800, 590},
    {SPR_FINAL, 16, 0, 0, 800, 590},
};

const atlas_sprite_struct AtlasSprites[ATLAS_SPRITE_COUNT] = {
    {SPR_CURSOR, "cursor"},        {SPR_AIM, "aim"},             {SPR_START, "start"},
    {SPR_DARKNESS, "black"},       {SPR_GREY, "grey"},           {SPR_LIFT, "lift"},
    {SPR_CARD_LIFT, "card white"}, {SPR_CARD_LIFT + 1, "card red"}, {SPR_CARD_LIFT + 2, "card green"},
    {SPR_CARD_LIFT + 3, "card blue"}, {SPR_SPARK, "banch"},      {SPR_BLOOD, "blood"},
    {SPR_DEBRIS, "buff"},          {SPR_BLAST, "boom"},          {SPR_GRENADE, "grenade"},
    {SPR_ALARM_LOW, "green"},      {SPR_ALARM_MIDDLE, "yellow"}, {SPR_ALARM_HIGH, "red"},
};

// The sprites this table made itself (the atlas entries belong to the atlas).
static std::vector<std::unique_ptr<hgeAnimation>> OwnedPictures;

void PlaySound(int sound)
{
    if (SoundOn && sound >= 0 && sound < SOUND_COUNT)
        hge->Effect_Play(Sounds[sound]);
}

void PlayRandomSound(int first, int count)
{
    if (SoundOn)
        PlaySound(first + hge->Random_Int(0, count - 1));
}

void LoadSounds(int first, int last)
{
    for (int i = first; i <= last; i++)
        Sounds[i] = hge->Effect_Load(SoundFiles[i]);
}

std::string RegistryPictureFiles[REGISTRY_PICTURE_COUNT];

// A picture with words comes in the language shown. The atlas picture has
// none, and every sprite of the catalogues holds its texture: it is always
// the same file.
static std::string PictureFile(int i)
{
    return i == 0 ? std::string("data/") + RegistryPictures[0] : LocalPicture(RegistryPictures[i]);
}

void RegisterPictures()
{
    for (int i = 0; i < REGISTRY_PICTURE_COUNT; i++) {
        RegistryPictureFiles[i] = PictureFile(i);
        TextureRegistry.push_back({hge->Texture_Load(RegistryPictureFiles[i].c_str()), RegistryPictures[i]});
    }
}

void LoadFonts()
{
    HudFont = new hgeFont("data/font2.fnt");
    SpeakerFontA = new hgeFont("data/font1.fnt");
    SpeakerFontA->SetColor(0xFFFF0000);
    SpeakerFontB = new hgeFont("data/font1.fnt");
    SpeakerFontB->SetColor(0xFF0000FF);
    ShopFont = new hgeFont("data/font1.fnt");
    ShopFont->SetColor(0xFF343A4C);
}

static void CreateWorldTarget()
{
    int w = hge->System_GetState(HGE_SCREENWIDTH), h = hge->System_GetState(HGE_SCREENHEIGHT);
    WorldTarget = hge->Target_Create(w, h, false);
    WorldTargetSprite = new hgeSprite(hge->Target_GetTexture(WorldTarget), 0, 0, (float)w, (float)h);
}

// A picture that did not load still gets its sprite, without texture: it
// draws as a plain rectangle, so a missing picture shows and its buttons
// can still be found and clicked.
static void CutPictureSprite(int k)
{
    const picture_sprite_struct& p = PictureSprites[k];
    HTEXTURE tex = TextureRegistry[p.registry].handle;
    OwnedPictures[k] = std::make_unique<hgeAnimation>(tex, 1, 1.0f, p.x, p.y, p.w, p.h);
    Sprites[p.sprite] = OwnedPictures[k].get();
}

void BuildPictureSprites()
{
    OwnedPictures.clear();
    OwnedPictures.resize(PICTURE_SPRITE_COUNT);
    for (int k = 0; k < PICTURE_SPRITE_COUNT; k++)
        CutPictureSprite(k);
    SetSpriteColor(Sprites[SPR_SPLASH], 0x00000000);
}

// Cut again from the picture's new texture, each sprite keeping its colour
// (a fade of the splash).
static void RecutPictureSprites(int registry)
{
    for (int k = 0; k < (int)OwnedPictures.size(); k++) {
        if (PictureSprites[k].registry != registry)
            continue;
        uint32_t colour = OwnedPictures[k]->GetColor();
        CutPictureSprite(k);
        OwnedPictures[k]->SetColor(colour);
    }
}

static void ShowLocalPictures()
{
    for (int i = 0; i < REGISTRY_PICTURE_COUNT && i < (int)TextureRegistry.size(); i++) {
        std::string file = PictureFile(i);
        if (file == RegistryPictureFiles[i])
            continue;
        if (TextureRegistry[i].handle)
            hge->Texture_Free(TextureRegistry[i].handle);
        TextureRegistry[i].handle = hge->Texture_Load(file.c_str());
        RegistryPictureFiles[i] = file;
        RecutPictureSprites(i);
    }
}

// The folder of the shown language's pictures while they are on their way.
static std::string AwaitedFolder;

void ShowLanguagePictures()
{
    std::string folder = LocalPictureFolder();
    AwaitedFolder.clear();
    if (!folder.empty() && hge->Resource_FetchFolder(folder.c_str()) == HGE_FOLDER_COMING)
        AwaitedFolder = folder;
    ShowLocalPictures();
}

void ShowArrivedPictures()
{
    if (AwaitedFolder.empty() || hge->Resource_FetchFolder(AwaitedFolder.c_str()) == HGE_FOLDER_COMING)
        return;
    AwaitedFolder.clear();
    ShowLocalPictures();
}

static void LookUpAtlasSprites()
{
    for (const atlas_sprite_struct& a : AtlasSprites)
        Sprites[a.sprite] = FindAtlasAnimation(a.name);
    if (Sprites[SPR_START])
        Sprites[SPR_START]->SetHotSpot(17, 4);
    SetSpriteColor(Sprites[SPR_GREY], 0x88AAAAAA);
    SetSpriteColor(Sprites[SPR_LIFT], 0x88FFFFFF);
    for (int effect : {SPR_SPARK, SPR_BLOOD, SPR_DEBRIS, SPR_BLAST})
        if (Sprites[effect])
            Sprites[effect]->Play();
}

// Everything that plays its own copy of an animation goes before the
// templates it was copied from.
static void FreeStorey()
{
    Objects.clear();
    Enemies.clear();
    Corpses.clear();
    Effects.clear();
    PlayerLegsAnim.reset();
    PlayerHandsAnim.reset();
    PlayerHeadAnim.reset();
}

static bool GameDataPresent()
{
    if (TextureRegistry[0].handle)
        return true;
    hge->System_MessageBox(Tr("Не хватает игровых ресурсов"_cp), "Error", MB_OK | MB_ICONERROR);
    Cleanup();
    return false;
}

static void ChooseStartMode()
{
    // The marker belongs to the working folder, wherever the game's data are.
    DeveloperMode = CanOpenForReading(ResolvePathIn("", "kresk"));
    if (DeveloperMode) {
        GameMode = MODE_GAME;
        GameStage = STAGE_PLAY;
    } else {
        GameMode = MODE_SPLASH;
        GameStage = STAGE_LEVEL_INTRO;
    }
}

// The scratch storey is played with a new game's health and pistol: with
// the start-up values (no health at all) the first wound would kill.
static void StartScratchStorey()
{
    NewGameState();
    LoadLevel("temp.lvl");
}

bool LoadResources()
{
    InstallGameHooks();
    // The language first: the pictures and even the first message depend on it.
    ReadSettings();
    ChooseStartLanguage();
    // Asked for now, so that pictures still on their way come while the rest loads.
    ShowLanguagePictures();
    Sounds[SND_MENU_MUSIC] = hge->Effect_Load(SoundFiles[SND_MENU_MUSIC]);
    RegisterPictures();
    LoadSounds(SND_GRENADE_EXPLOSION, SOUND_COUNT - 1);
    LoadFonts();
    if (!GameDataPresent())
        return false;
    LoadCatalogue();
    LoadCharacterSets();
    hge->Random_Seed(0);
    hge->Random_Float(0, 1);
    CreateWorldTarget();
    HudFont->SetColor(0xFFFF2222);
    CheckNumberCode();
    ReadSaveFile();
    ChooseStartMode();
    CampaignStep = 0;
    StartFrontScreens();
    BuildPictureSprites();
    WorldMode = WORLD_PLAY;
    LookUpAtlasSprites();
    GivePlayerStartAnimations();
    SetZoom(false);
    BuildPalettePages();
    WarnIfManRadiusTooLarge();
    if (DeveloperMode)
        StartScratchStorey();
    return true;
}

static void PrefetchAnimation(const hgeAnimation* a)
{
    if (a)
        hge->Texture_Prefetch(a->GetTexture());
}

void PrefetchStoreyPictures()
{
    PrefetchAnimation(PlayerLegsAnim.get());
    PrefetchAnimation(PlayerHandsAnim.get());
    PrefetchAnimation(PlayerHeadAnim.get());
    for (const enemy_struct& e : Enemies) {
        PrefetchAnimation(e.legs_anim.get());
        PrefetchAnimation(e.hands_anim.get());
        PrefetchAnimation(e.head_anim.get());
    }
    for (const apg_tex_struct& t : AtlasTextures)
        hge->Texture_Prefetch(t.texture);
    if (HudFont)
        hge->Texture_Prefetch(HudFont->GetTexture());
}

void FreeResources()
{
    for (hgeFont** f : {&HudFont, &SpeakerFontA, &SpeakerFontB, &ShopFont}) {
        delete *f;
        *f = nullptr;
    }
    for (texture_struct& t : TextureRegistry)
        if (t.handle)
            hge->Texture_Free(t.handle);
    delete WorldTargetSprite;
    WorldTargetSprite = nullptr;
    if (WorldTarget)
        hge->Target_Free(WorldTarget);
    WorldTarget = 0;
    ReleaseCatalogueAnimations();
    FreeStorey();
    OwnedPictures.clear();
    CharacterTemplates.clear();
    for (hgeAnimation*& s : Sprites)
        s = nullptr;
}
