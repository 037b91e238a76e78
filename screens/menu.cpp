#include "screens/menu.h"

#include "assets/music.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "frame/settings.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/player_state.h"

float SplashTime = 0;
bool MenuHover[MENU_BUTTON_COUNT] = {};
float SaveFailedNoticeTime = 0;

const float SaveFailedNoticeSeconds = 5;
const char* const SaveFailedNotice = "Не удалось сохранить игру.\nЕщё раз «Выход» — без сохранения."_cp;
// Told once, the player may leave without a save for the rest of the run.
static bool SaveFailureTold = false;

struct menu_button_struct {
    int sprite;  // the highlighted picture; its rectangle is the button's
    float left, top;
};

static const menu_button_struct MenuButtons[MENU_BUTTON_COUNT] = {
    {SPR_NEW_GAME_HIGHLIT, 0, 369}, {SPR_CONTROLS_HIGHLIT, 0, 488}, {SPR_CONTINUE_HIGHLIT, 0, 449},
    {SPR_EXIT_HIGHLIT, 0, 530},     {SPR_RESTART_HIGHLIT, 0, 409},
};

// The language switch shows the language's code; each language's menu
// picture has its own.
const float LanguageIconLeft = 581, SoundIconLeft = 654, MusicIconLeft = 727, IconTop = 2;
const char* const ScratchStorey = "temp.lvl";

void StartFrontScreens()
{
    SplashTime = 0;
    for (bool& hover : MenuHover)
        hover = false;
}

bool InsideSprite(const hgeSprite* sprite, float left, float top, float x, float y)
{
    return sprite && left <= x && x < left + sprite->GetWidth() && top <= y && y < top + sprite->GetHeight();
}

// A grey level 0..255 in alpha and all three channels: the fades dim the
// picture and make it transparent together.
static uint32_t Grey(float level)
{
    return (uint32_t)(int)level * 0x01010101u;
}

// The menu background is dimmed while the splash fades it in; whenever the
// splash ends it is fully lit, or a key pressed during the fade would leave
// the menu dark for good.
static void FinishSplash()
{
    if (GameMode != MODE_SPLASH)
        SetSpriteColor(Sprites[SPR_MENU], 0xFFFFFFFF);
}

void SplashFrame(float dt, float, float)
{
    if (hge->Input_GetKey())
        GameMode = MODE_MENU;
    SplashTime += dt;
    KeepMusicPlaying(Sounds[SND_MENU_MUSIC]);
    if (SplashTime < 1.0f)
        SetSpriteColor(Sprites[SPR_SPLASH], Grey(SplashTime / 1.0f * 255));
    if (SplashTime > 1.5f && SplashTime <= 2.5f)
        SetSpriteColor(Sprites[SPR_SPLASH], Grey((2.5f - SplashTime) / 1.0f * 255));
    if (SplashTime > 2.5f && SplashTime <= 3.5f)
        SetSpriteColor(Sprites[SPR_MENU], Grey((SplashTime - 2.5f) / 1.0f * 255));
    if (SplashTime > 3.5f)
        GameMode = MODE_MENU;
    FinishSplash();
}

static bool SavedGameExists()
{
    return Checkpoint.Health > 0;
}

// In developer mode the scratch storey, or whatever storey the editor opened
// or made, is played outside the campaign (step 0), so without this the menu
// would have no way back to it.
static bool ScratchStoreyWaiting()
{
    return DeveloperMode && CampaignStep == 0 && !StoreyFromCampaign;
}

bool ContinueOffered()
{
    return CampaignStep != 0 || SavedGameExists() || ScratchStoreyWaiting();
}

// The scratch storey goes on where it was left; after a death it starts
// again from its file with the player healed, since a dead player would
// only fall back to the menu. A storey made new in the editor has no file:
// the scratch storey stands in for it.
static void ResumeScratchStorey()
{
    GameStage = STAGE_PLAY;
    if (Dead) {
        LoadLevel(LoadedLevelName.empty() ? ScratchStorey : LoadedLevelName);
        Health = MaxHealth;
    }
}

// Back to the running campaign exactly where it was left.
static void Resume()
{
    hge->Channel_StopAll();
    if (CampaignStep == 0)
        ResumeScratchStorey();
    GameMode = MODE_GAME;
}

static void NewGame()
{
    hge->Channel_StopAll();
    CampaignStep = 0;
    NextCampaignStep();
}

static void ReplayCheckpoint()
{
    RestoreCheckpoint();
    NextCampaignStep();
}

static void SpaceInMenu()
{
    if (CampaignStep != 0 || ScratchStoreyWaiting())
        Resume();
    else if (SavedGameExists() || CheckpointExists)
        ReplayCheckpoint();
    else
        NewGame();
}

static void ClickContinue()
{
    if (CampaignStep != 0 || ScratchStoreyWaiting())
        Resume();
    else if (SavedGameExists())
        ReplayCheckpoint();
}

bool LeaveAfterSaving()
{
    if (WriteSaveFile() || SaveFailureTold)
        return true;
    SaveFailureTold = true;
    SaveFailedNoticeTime = SaveFailedNoticeSeconds;
    if (GameMode != MODE_MENU)
        hge->Channel_StopAll();
    GameMode = MODE_MENU;
    SetSpriteColor(Sprites[SPR_MENU], 0xFFFFFFFF);  // left during the splash's fade
    return false;
}

// Every test runs in its order; only Exit leaves at once. True: leave the
// program.
static bool ClickInMenu(float mx, float my)
{
    if (MenuHover[MENU_NEW_GAME])
        NewGame();
    if (MenuHover[MENU_CONTROLS])
        GameMode = MODE_CONTROLS;
    if (MenuHover[MENU_EXIT] && LeaveAfterSaving())
        return true;
    if (MenuHover[MENU_CONTINUE])
        ClickContinue();
    if (MenuHover[MENU_RESTART] && CheckpointExists)
        ReplayCheckpoint();
    if (InsideSprite(Sprites[SPR_SOUND_OFF], SoundIconLeft, IconTop, mx, my))
        SoundOn = !SoundOn;
    // All three switches are the same round plate.
    if (InsideSprite(Sprites[SPR_SOUND_OFF], LanguageIconLeft, IconTop, mx, my))
        ChooseNextLanguage();
    if (InsideSprite(Sprites[SPR_MUSIC_OFF], MusicIconLeft, IconTop, mx, my)) {
        MusicOn = !MusicOn;
        if (!MusicOn)
            hge->Channel_StopAll();
    }
    return false;
}

bool MenuFrame(float dt, float mx, float my)
{
    KeepMusicPlaying(Sounds[SND_MENU_MUSIC]);
    if (SaveFailedNoticeTime > 0)
        SaveFailedNoticeTime -= dt;
    for (int b = 0; b < MENU_BUTTON_COUNT; b++) {
        const menu_button_struct& button = MenuButtons[b];
        MenuHover[b] = InsideSprite(Sprites[button.sprite], button.left, button.top, mx, my);
    }
    if (hge->Input_KeyDown(HGEK_SPACE))
        SpaceInMenu();
    if (hge->Input_KeyDown(HGEK_LBUTTON) && ClickInMenu(mx, my))
        return true;
    return hge->Input_KeyDown(HGEK_ESCAPE) && LeaveAfterSaving();
}

void ControlsFrame(float, float, float)
{
    if (hge->Input_GetKey())
        GameMode = MODE_MENU;
}

void RenderSplash(float, float)
{
    RenderSprite(Sprites[SplashTime > 2.5f ? SPR_MENU : SPR_SPLASH], 0, 0);
}

static void RenderButton(int button, int normalSprite)
{
    const menu_button_struct& b = MenuButtons[button];
    RenderSprite(Sprites[MenuHover[button] ? b.sprite : normalSprite], b.left, b.top);
}

static void RenderHighlight(int button)
{
    const menu_button_struct& b = MenuButtons[button];
    if (MenuHover[button])
        RenderSprite(Sprites[b.sprite], b.left, b.top);
}

void RenderMenu(float mx, float my)
{
    RenderSprite(Sprites[SPR_MENU], 0, 0);
    RenderHighlight(MENU_NEW_GAME);
    RenderHighlight(MENU_CONTROLS);
    RenderHighlight(MENU_EXIT);
    if (ContinueOffered())
        RenderButton(MENU_CONTINUE, SPR_CONTINUE);
    if (CheckpointExists)
        RenderButton(MENU_RESTART, SPR_RESTART);
    if (!MusicOn)
        RenderSprite(Sprites[SPR_MUSIC_OFF], MusicIconLeft, IconTop);
    if (!SoundOn)
        RenderSprite(Sprites[SPR_SOUND_OFF], SoundIconLeft, IconTop);
    if (SaveFailedNoticeTime > 0 && HudFont)
        HudFont->Render(26, 200, HGETEXT_LEFT, Tr(SaveFailedNotice));
    RenderSprite(Sprites[SPR_CURSOR], mx, my);
}

void RenderControls(float mx, float my)
{
    RenderSprite(Sprites[SPR_CONTROLS_PICTURE], 0, 0);
    RenderSprite(Sprites[SPR_CURSOR], mx, my);
}
