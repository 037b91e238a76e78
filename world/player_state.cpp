#include "world/player_state.h"

#include "world/campaign.h"

int32_t Health = 0;
int32_t MaxHealth = 0;
int32_t BonusPoints = 0;
int32_t CurrentWeapon = WEAPON_NONE;
int16_t LongGunSlot = 0;
int16_t HandgunSlot = 0;
int16_t LongGunLoaded = 0;
int16_t HandgunLoaded = 0;
int16_t Reserve[WEAPON_COUNT] = {};
int16_t HasHelmet = 0, HasKnuckles = 0, HasPocketVest = 0, HasVest = 0;
int16_t OwnsRifle = 0, OwnsShotgun = 0, OwnsPistol = 0, OwnsRevolver = 0;
float StrikeReachSq = 3600.0f;
int StrikeDamage = 10;

const int MagazineSize[WEAPON_COUNT] = {0, 7, 17, 5, 30, 0};
const int StrikeDamageByWeapon[WEAPON_COUNT] = {10, 10, 10, 20, 20, 0};
const float StrikeReachSqByWeapon[WEAPON_COUNT] = {1800, 1800, 1800, 2500, 2500, 0};
const int ShotDamage[WEAPON_COUNT] = {0, 10, 15, 15, 20, 15};
const int PocketSize[WEAPON_COUNT] = {0, 1, 25, 2, 40, 15};

int32_t HandsState = HANDS_READY;
uint8_t Crouching = 0;
uint8_t ActionInterrupt = 0;
uint8_t Dead = 0;
int32_t StruckObject = -1;
int PrevPoseCode = 0;

checkpoint_struct Checkpoint = {};
uint8_t CheckpointExists = 0;

const good_struct Goods[GOOD_COUNT] = {
    {200, WEAPON_RIFLE, false},    {40, WEAPON_RIFLE, true},     {120, WEAPON_SHOTGUN, false},
    {2, WEAPON_SHOTGUN, true},     {50, WEAPON_PISTOL, false},   {25, WEAPON_PISTOL, true},
    {10, WEAPON_REVOLVER, false},  {1, WEAPON_REVOLVER, true},   {20, WEAPON_GRENADE, true},
    {15, 0, false},                {40, 0, false},               {100, 0, false},
    {5, 0, false},                 {80, 0, false},
};

int PocketUsedBy(const int16_t reserve[WEAPON_COUNT])
{
    int used = 0;
    for (int w = 1; w < WEAPON_COUNT; w++)
        used += PocketSize[w] * reserve[w];
    return used;
}

int PocketCapacityWith(int hasPocketVest)
{
    return 90 + 50 * hasPocketVest;
}

int PocketUsed()
{
    return PocketUsedBy(Reserve);
}

int PocketCapacity()
{
    return PocketCapacityWith(HasPocketVest);
}

void SetStrikeValuesForWeapon()
{
    int w = (CurrentWeapon >= 0 && CurrentWeapon < WEAPON_COUNT) ? CurrentWeapon : WEAPON_NONE;
    StrikeReachSq = StrikeReachSqByWeapon[w];
    StrikeDamage = StrikeDamageByWeapon[w];
}

void ResetStoreyValues()
{
    HandsState = HANDS_READY;
    Crouching = 0;
    ActionInterrupt = 0;
    Dead = 0;
    StruckObject = -1;
}

void NewGameState()
{
    Health = MaxHealth = 20;
    BonusPoints = 0;
    LongGunSlot = 0;
    LongGunLoaded = 0;
    HandgunSlot = WEAPON_PISTOL;
    HandgunLoaded = 17;
    CurrentWeapon = WEAPON_PISTOL;
    StrikeReachSq = 1800;
    StrikeDamage = 10;
    for (int16_t& r : Reserve)
        r = 0;
    HasHelmet = HasKnuckles = HasPocketVest = HasVest = 0;
    OwnsRifle = OwnsShotgun = OwnsRevolver = 0;
    OwnsPistol = 1;
    ResetStoreyValues();
    PrevPoseCode = 0;
}

// The lasting values, one field list for both directions of the copy.
template <typename A, typename B>
static void CopyLastingValues(A& to, const B& from)
{
    to.Health = from.Health;
    to.MaxHealth = from.MaxHealth;
    to.BonusPoints = from.BonusPoints;
    to.CurrentWeapon = from.CurrentWeapon;
    to.LongGunSlot = from.LongGunSlot;
    to.HandgunSlot = from.HandgunSlot;
    to.LongGunLoaded = from.LongGunLoaded;
    to.HandgunLoaded = from.HandgunLoaded;
    for (int w = 0; w < WEAPON_COUNT; w++)
        to.Reserve[w] = from.Reserve[w];
    to.HasHelmet = from.HasHelmet;
    to.HasKnuckles = from.HasKnuckles;
    to.HasPocketVest = from.HasPocketVest;
    to.HasVest = from.HasVest;
    to.OwnsRifle = from.OwnsRifle;
    to.OwnsShotgun = from.OwnsShotgun;
    to.OwnsPistol = from.OwnsPistol;
    to.OwnsRevolver = from.OwnsRevolver;
}

// The live values seen as one record, so the checkpoint copy is one list.
struct live_values_struct {
    int32_t &Health, &MaxHealth, &BonusPoints, &CurrentWeapon;
    int16_t &LongGunSlot, &HandgunSlot, &LongGunLoaded, &HandgunLoaded;
    int16_t (&Reserve)[WEAPON_COUNT];
    int16_t &HasHelmet, &HasKnuckles, &HasPocketVest, &HasVest;
    int16_t &OwnsRifle, &OwnsShotgun, &OwnsPistol, &OwnsRevolver;
};

static live_values_struct Live()
{
    return {Health,     MaxHealth,   BonusPoints,   CurrentWeapon, LongGunSlot, HandgunSlot,
            LongGunLoaded, HandgunLoaded, Reserve,  HasHelmet,     HasKnuckles, HasPocketVest,
            HasVest,    OwnsRifle,   OwnsShotgun,   OwnsPistol,    OwnsRevolver};
}

static int MagazineOf(int slot)
{
    return (slot >= 0 && slot < WEAPON_COUNT) ? MagazineSize[slot] : 0;
}

checkpoint_struct LastingValues()
{
    checkpoint_struct c{};
    CopyLastingValues(c, Live());
    return c;
}

void TakeCheckpoint(int step)
{
    CheckpointExists = 1;
    LongGunLoaded = (int16_t)MagazineOf(LongGunSlot);
    HandgunLoaded = (int16_t)MagazineOf(HandgunSlot);
    Checkpoint = LastingValues();
    Checkpoint.step = step;
}

void SetLastingValues(const checkpoint_struct& c)
{
    live_values_struct live = Live();
    CopyLastingValues(live, c);
    SetStrikeValuesForWeapon();
}

void RestoreCheckpoint()
{
    SetLastingValues(Checkpoint);
    CampaignStep = Checkpoint.step;
}

void EquipWeapon(int w)
{
    if (w == WEAPON_REVOLVER || w == WEAPON_PISTOL) {
        HandgunSlot = (int16_t)w;
        HandgunLoaded = (int16_t)MagazineSize[w];
    } else {
        LongGunSlot = (int16_t)w;
        LongGunLoaded = (int16_t)MagazineSize[w];
    }
    CurrentWeapon = w;
}

static int16_t* ItemFlag(int good)
{
    switch (good) {
    case GOOD_RIFLE: return &OwnsRifle;
    case GOOD_SHOTGUN: return &OwnsShotgun;
    case GOOD_PISTOL: return &OwnsPistol;
    case GOOD_REVOLVER: return &OwnsRevolver;
    case GOOD_HELMET: return &HasHelmet;
    case GOOD_VEST: return &HasVest;
    case GOOD_KNUCKLES: return &HasKnuckles;
    case GOOD_POCKET_VEST: return &HasPocketVest;
    default: return nullptr;
    }
}

bool GoodOwned(int good)
{
    int16_t* flag = ItemFlag(good);
    return flag && *flag;
}

static bool InItsSlot(int w)
{
    return w == LongGunSlot || w == HandgunSlot;
}

static bool PurchaseAllowed(const good_struct& g, int good, int pocketUsed)
{
    if (BonusPoints < g.price)
        return false;
    if (g.ammunition && pocketUsed + PocketSize[g.weapon] > PocketCapacity())
        return false;
    return good != GOOD_HEALING || Health < MaxHealth;
}

static void MakePurchase(const good_struct& g, int good)
{
    BonusPoints -= g.price;
    if (g.ammunition) {
        Reserve[g.weapon] += 1;
    } else if (good == GOOD_HEALING) {
        Health = MaxHealth;
    } else {
        *ItemFlag(good) = 1;
        if (g.weapon)
            EquipWeapon(g.weapon);
    }
}

int ChooseGood(int good, int pocketUsed)
{
    if (good < 0 || good >= GOOD_COUNT)
        return SHOP_NOTHING;
    const good_struct& g = Goods[good];
    if (GoodOwned(good)) {
        if (!g.weapon || InItsSlot(g.weapon))
            return SHOP_NOTHING;
        EquipWeapon(g.weapon);
        return SHOP_TAKEN;
    }
    if (!PurchaseAllowed(g, good, pocketUsed))
        return SHOP_REFUSED;
    MakePurchase(g, good);
    return SHOP_BOUGHT;
}
