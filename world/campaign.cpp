#include "world/campaign.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "assets/translation.h"
#include "engine/cp1251.h"
#include "engine/paths.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "world/level_file.h"
#include "world/number_code.h"
#include "world/player_state.h"

int32_t CampaignStep = 0;
int32_t StoreyNumber = 1;
int32_t DialogueNumber = 1;
void (*CampaignStepHook)() = nullptr;
bool (*CampaignStepOverride)() = nullptr;
bool StoreyFromCampaign = false;

const char* const SaveFileName = "Data/save";

static void EnterStage(int stage)
{
    GameMode = MODE_GAME;
    GameStage = stage;
}

// The campaign ends where it stands and the menu comes back.
static void LeaveForTheMenu()
{
    CampaignStep = 0;
    GameMode = MODE_MENU;
    GameStage = STAGE_LEVEL_INTRO;
}

// A storey that cannot be loaded ends the campaign with a message naming its
// file, rather than letting the intro of storey k lead into the storey before.
// The checkpoint taken on the way stays, so Continue tries the same storey
// again once its file is there.
static bool EnterStorey(int k)
{
    std::string name = std::to_string(k) + ".lvl";
    if (!LoadLevel(name)) {
        std::string text = Tr("Не удалось загрузить этаж: "_cp) + ResolvePath("data/" + name);
        hge->System_MessageBox(text.c_str(), "Error", MB_OK | MB_ICONERROR);
        LeaveForTheMenu();
        return false;
    }
    StoreyFromCampaign = true;
    StoreyNumber = k;
    EnterStage(STAGE_LEVEL_INTRO);
    return true;
}

static bool StartNewGame()
{
    NewGameState();
    // A new campaign has no storey to restart yet; the saved checkpoint
    // itself stays for Continue.
    CheckpointExists = 0;
    if (!EnterStorey(1))
        return false;
    StruckObject = -1;
    return true;
}

static void EndCampaign()
{
    LeaveForTheMenu();
    CheckpointExists = 0;
    Checkpoint.Health = 0;
}

// Steps 3..38 come in fours, one group per storey from the second on; the
// group's first step is the storey's intro step, which both of its
// checkpoints record.
static bool StoreyStep(int step)
{
    int k = (step + 5) / 4, s = 4 * k - 5;
    switch (step - s) {
    case 0:
        TakeCheckpoint(s);
        hge->Channel_StopAll();
        return EnterStorey(k);
    case 1:
        DialogueNumber = k;
        EnterStage(STAGE_DIALOG);
        return true;
    case 2:
        EnterStage(STAGE_UPGRADE);
        return true;
    default:
        TakeCheckpoint(s);
        hge->Channel_StopAll();
        EnterStage(STAGE_PLAY);
        return true;
    }
}

// Performs one step; false when it has already left for the menu and the
// step must not advance.
static bool PerformStep(int step)
{
    switch (step) {
    case 0:
        return StartNewGame();
    case 1:
        DialogueNumber = 1;
        EnterStage(STAGE_DIALOG);
        return true;
    case 2:
        hge->Channel_StopAll();
        EnterStage(STAGE_PLAY);
        return true;
    case LastCampaignStep - 1:
        EnterStage(STAGE_GAME_OVER);
        return true;
    case LastCampaignStep:
        EndCampaign();
        return false;
    default:
        if (step < 0 || step > LastCampaignStep) {
            LeaveForTheMenu();
            return false;
        }
        return StoreyStep(step);
    }
}

void NextCampaignStep()
{
    if (CampaignStepOverride && CampaignStepOverride())
        return;
    if (PerformStep(CampaignStep))
        CampaignStep++;
    if (CampaignStepHook)
        CampaignStepHook();
}

// The 23 numbers of the save file, in their stored order.
template <typename F>
static void ForEachSavedValue(checkpoint_struct& c, F f)
{
    f(c.LongGunLoaded);
    f(c.HandgunLoaded);
    f(c.BonusPoints);
    f(c.Health);
    f(c.MaxHealth);
    f(c.CurrentWeapon);
    for (int16_t& r : c.Reserve)
        f(r);
    f(c.step);
    f(c.HasVest);
    f(c.HasPocketVest);
    f(c.HasHelmet);
    f(c.HasKnuckles);
    f(c.OwnsPistol);
    f(c.OwnsRevolver);
    f(c.OwnsRifle);
    f(c.OwnsShotgun);
    f(c.LongGunSlot);
    f(c.HandgunSlot);
}

std::string SaveLine(const checkpoint_struct& checkpoint)
{
    checkpoint_struct c = checkpoint;
    coded_text_struct line;
    ForEachSavedValue(c, [&](auto& v) { AppendNumber(line, v); });
    ReportUnencodedNumber(line);
    return line.text;
}

bool WriteSaveFile()
{
    if (Checkpoint.Health <= 0)
        return true;
    std::string path = ResolveWritePath(SaveFileName);
    if (WriteWholeFile(path, SaveLine(Checkpoint) + "\r\n"))
        return true;
    hge->System_Log("Can't write the save file %s; the previous one is kept", path.c_str());
    return false;
}

static bool IsStoreyIntroStep(int step)
{
    return step >= 3 && step <= 35 && (step + 5) % 4 == 0;
}

static bool IsFlag(int v)
{
    return v == 0 || v == 1;
}

static bool OwnsGun(const checkpoint_struct& c, int w)
{
    switch (w) {
    case WEAPON_REVOLVER: return c.OwnsRevolver;
    case WEAPON_PISTOL: return c.OwnsPistol;
    case WEAPON_SHOTGUN: return c.OwnsShotgun;
    case WEAPON_RIFLE: return c.OwnsRifle;
    }
    return true;  // an empty slot
}

// What the player carries is what the shop and the storeys can give: the
// guns in the slots are owned and hold no more than a full load, the weapon
// in hand is one of them (or none, or a grenade), the pockets are no fuller
// than they take, and health is no higher than its maximum. The slots are
// known to be valid.
static bool InventoryPossible(const checkpoint_struct& c)
{
    bool guns = OwnsGun(c, c.LongGunSlot) && OwnsGun(c, c.HandgunSlot) &&
                c.LongGunLoaded <= MagazineSize[c.LongGunSlot] && c.HandgunLoaded <= MagazineSize[c.HandgunSlot];
    bool inHand = c.CurrentWeapon == WEAPON_NONE || c.CurrentWeapon == WEAPON_GRENADE ||
                  c.CurrentWeapon == c.LongGunSlot || c.CurrentWeapon == c.HandgunSlot;
    bool pockets = PocketUsedBy(c.Reserve) <= PocketCapacityWith(c.HasPocketVest);
    return guns && inHand && pockets && c.Health <= c.MaxHealth;
}

bool CheckpointIsSound(const checkpoint_struct& c)
{
    bool slots = (c.LongGunSlot == 0 || c.LongGunSlot == WEAPON_SHOTGUN || c.LongGunSlot == WEAPON_RIFLE) &&
                 (c.HandgunSlot == 0 || c.HandgunSlot == WEAPON_REVOLVER || c.HandgunSlot == WEAPON_PISTOL);
    bool items = IsFlag(c.HasHelmet) && IsFlag(c.HasKnuckles) && IsFlag(c.HasPocketVest) && IsFlag(c.HasVest) &&
                 IsFlag(c.OwnsRifle) && IsFlag(c.OwnsShotgun) && IsFlag(c.OwnsPistol) && IsFlag(c.OwnsRevolver);
    bool counts = c.BonusPoints >= 0 && c.MaxHealth >= 0 && c.LongGunLoaded >= 0 && c.HandgunLoaded >= 0;
    for (int16_t r : c.Reserve)
        counts = counts && r >= 0;
    return IsStoreyIntroStep(c.step) && c.CurrentWeapon >= 0 && c.CurrentWeapon < WEAPON_COUNT && slots &&
           items && counts && InventoryPossible(c);
}

// The checkpoint a save line holds; false for a line too short or a value
// outside its range, which makes the whole save count as missing.
bool ParseSaveLine(std::string line, checkpoint_struct* out)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() <= 45)
        return false;
    checkpoint_struct c{};
    size_t k = 0;
    bool coded = true;
    ForEachSavedValue(c, [&](auto& v) {
        int n = DecodeNumber(line[k], line[k + 1]);
        coded = coded && InNumberCodeRange(n);
        v = n;
        k += 2;
    });
    if (!coded || !CheckpointIsSound(c))
        return false;
    *out = c;
    return true;
}

void ReadSaveFile()
{
    Checkpoint.Health = -1;
    CurrentWeapon = WEAPON_NONE;
    LongGunSlot = HandgunSlot = 0;
    LongGunLoaded = HandgunLoaded = 0;
    for (int16_t& r : Reserve)
        r = 0;
    std::string path = ResolvePath(SaveFileName);
    uint32_t size = 0;
    char* text = (char*)LoadWholeFile(path, SaveFileLimit, &size);
    bool present = text || CanOpenForReading(path);
    std::string_view whole(text ? text : "", size);
    if (present && !ParseSaveLine(std::string(whole.substr(0, whole.find('\n'))), &Checkpoint))
        hge->System_Log("The save file %s holds no usable checkpoint; it is ignored", path.c_str());
    free(text);
    CheckpointExists = 0;
}
