// The player's lasting state (health, points, weapons, ammunition, gear),
// the per-weapon tables, the pocket rule, the goods of the shop, the
// per-storey values and the checkpoint.
#pragma once

#include <cstdint>

enum {
    WEAPON_NONE = 0,
    WEAPON_REVOLVER = 1,
    WEAPON_PISTOL = 2,
    WEAPON_SHOTGUN = 3,
    WEAPON_RIFLE = 4,
    WEAPON_GRENADE = 5,
    WEAPON_COUNT = 6
};

enum {
    HANDS_READY = 0,
    HANDS_FIRING = 1,
    HANDS_STRIKING = 2,
    HANDS_RELOADING = 4,
    HANDS_THROWING = 5
};

// --- lasting values, kept across storeys and copied by the checkpoint
extern int32_t Health;       // the player dies when it becomes negative
extern int32_t MaxHealth;
extern int32_t BonusPoints;
extern int32_t CurrentWeapon;
extern int16_t LongGunSlot;    // 0, WEAPON_SHOTGUN or WEAPON_RIFLE
extern int16_t HandgunSlot;    // 0, WEAPON_REVOLVER or WEAPON_PISTOL
extern int16_t LongGunLoaded;
extern int16_t HandgunLoaded;
extern int16_t Reserve[WEAPON_COUNT];  // spare rounds, magazines, shells, magazines, grenades
extern int16_t HasHelmet, HasKnuckles, HasPocketVest, HasVest;
extern int16_t OwnsRifle, OwnsShotgun, OwnsPistol, OwnsRevolver;

// Melee values of the weapon in hand.
extern float StrikeReachSq;
extern int StrikeDamage;

extern const int MagazineSize[WEAPON_COUNT];
extern const int StrikeDamageByWeapon[WEAPON_COUNT];
extern const float StrikeReachSqByWeapon[WEAPON_COUNT];
extern const int ShotDamage[WEAPON_COUNT];
extern const int PocketSize[WEAPON_COUNT];  // pocket space of one unit of Reserve[w]

// --- per-storey values, reset by every level load
extern int32_t HandsState;
extern uint8_t Crouching;
extern uint8_t ActionInterrupt;
extern uint8_t Dead;
extern int32_t StruckObject;  // object found by the last melee strike, or -1
extern int PrevPoseCode;      // last frame's motion code (the body chooses its animations by it)

struct checkpoint_struct {
    int32_t Health, MaxHealth, BonusPoints, CurrentWeapon;
    int16_t LongGunSlot, HandgunSlot, LongGunLoaded, HandgunLoaded;
    int16_t Reserve[WEAPON_COUNT];
    int16_t HasHelmet, HasKnuckles, HasPocketVest, HasVest;
    int16_t OwnsRifle, OwnsShotgun, OwnsPistol, OwnsRevolver;
    int32_t step;  // the campaign step it was taken at
};

extern checkpoint_struct Checkpoint;
extern uint8_t CheckpointExists;  // a checkpoint was taken during this run

// The lasting values as they are now (step 0).
checkpoint_struct LastingValues();
// Makes the lasting values those of c (its step aside), with the melee
// values of its weapon.
void SetLastingValues(const checkpoint_struct& c);

int PocketUsed();
int PocketCapacity();
// The same for any spare ammunition, with or without the vest with pockets.
int PocketUsedBy(const int16_t reserve[WEAPON_COUNT]);
int PocketCapacityWith(int hasPocketVest);

// Everything a new game starts with.
void NewGameState();
// Refills both guns, then copies every lasting value into the checkpoint.
void TakeCheckpoint(int step);
// Copies every lasting value back; the campaign resumes at the checkpoint's step.
void RestoreCheckpoint();
// The melee values of the weapon in hand.
void SetStrikeValuesForWeapon();
// The per-storey values of a fresh storey.
void ResetStoreyValues();

// The goods of the shop.
enum {
    GOOD_RIFLE,
    GOOD_RIFLE_MAGAZINE,
    GOOD_SHOTGUN,
    GOOD_SHOTGUN_SHELL,
    GOOD_PISTOL,
    GOOD_PISTOL_MAGAZINE,
    GOOD_REVOLVER,
    GOOD_REVOLVER_ROUND,
    GOOD_GRENADE,
    GOOD_HEALING,
    GOOD_HELMET,
    GOOD_VEST,
    GOOD_KNUCKLES,
    GOOD_POCKET_VEST,
    GOOD_COUNT
};

struct good_struct {
    int price;
    int weapon;    // the weapon it is (or the ammunition is for); 0 for other goods
    bool ammunition;
};

extern const good_struct Goods[GOOD_COUNT];

// What choosing a good did.
enum { SHOP_NOTHING, SHOP_BOUGHT, SHOP_REFUSED, SHOP_TAKEN };

// Buys or takes a good by the shop's rules. pocketUsed is the pocket space
// used as the shop saw it at the start of its frame.
int ChooseGood(int good, int pocketUsed);
// Puts weapon w in its slot, fully loaded, and in hand.
void EquipWeapon(int w);
// Whether an item is owned (weapons) or worn (gear).
bool GoodOwned(int good);
