#include "player/weapons.h"

#include <algorithm>
#include <cmath>

#include "assets/character_sets.h"
#include "foes/combat.h"
#include "foes/grenades.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "player/strike.h"
#include "world/player_state.h"
#include "world/storey.h"

uint8_t WeaponChanged = 0;
uint8_t ShotNoise = 0;

// How each gun fires and reloads, by weapon number.
struct gun_struct {
    int fireSound;
    int reloadSound;    // the sound that starts a reload
    float spread;       // largest turn of a bullet off the facing
    int bullets;        // per shot
    bool scatter;       // with something in the aim cell, every pellet aims a little off
    bool roundByRound;  // reloaded one round per cycle (else a whole magazine)
};

static const gun_struct Guns[WEAPON_COUNT] = {
    {},
    {SND_REVOLVER_FIRE, SND_REVOLVER_LOAD, 0.05f, 1, false, true},
    {SND_PISTOL_FIRE, SND_PISTOL_RELOAD, 0.05f, 1, false, false},
    {SND_SHOTGUN_FIRE, SND_SHOTGUN_OPEN, 0.12f, 5, true, true},
    {SND_RIFLE_FIRE, SND_RIFLE_RELOAD, 0.05f, 1, false, false},
    {},
};

const float RifleBurstSpread = 0.03f;
const int ShotgunShellFrame = 3;  // a further shell skips the opening of the gun
const float PopupSeconds = 2.0f;

static bool IsGun(int w)
{
    return w >= WEAPON_REVOLVER && w <= WEAPON_RIFLE;
}

static bool IsHandgun(int w)
{
    return w == WEAPON_REVOLVER || w == WEAPON_PISTOL;
}

static int16_t& LoadedRounds(int gun)
{
    return IsHandgun(gun) ? HandgunLoaded : LongGunLoaded;
}

static bool Pressed(int key)
{
    return hge->Input_KeyDown(key);
}

// The weapon's action animation, played once from its first frame.
static void StartHandsAction(int action)
{
    PlayerHandsAnim.reset(PlayOnceCopy(HandsAnimation(PlayerHandsSet(), CurrentWeapon, action)));
}

static bool ActionPlayed()
{
    return !AnimationPlaying(PlayerHandsAnim.get());
}

static void EndAction()
{
    HandsState = HANDS_READY;
    WeaponChanged = 1;
}

// --- aiming

// The muzzle's height above the floor.
static float GunHeight()
{
    return Crouching ? 60.0f : 80.0f;
}

static int AimedObject()
{
    if (!CellInside(AimCellX, AimCellY))
        return -1;
    return ObjectMap[CellIndex(AimCellX, AimCellY)];
}

static float TargetHeight(bool repeatedShot)
{
    int o = AimedObject();
    if (o < 0)
        return 65.0f;
    float size = (float)ObjectTypeOf(Objects[o]).size;
    if (CurrentWeapon == WEAPON_REVOLVER)
        return std::min(size, 70.0f) * 0.95f;
    return std::min(0.95f * size, repeatedShot ? 80.0f : 70.0f);
}

float AimSlope(bool repeatedShot)
{
    // The mouse on the player's own centre still gives a finite slope.
    float distance = std::max(hypotf(AimX - PlayerX, AimY - PlayerY), 1.0f);
    return (TargetHeight(repeatedShot) - GunHeight()) / distance;
}

// --- firing

static void FireBullet(float spread, float baseSlope)
{
    float angle = PlayerAngle + hge->Random_Float(-spread, spread);
    float slope = baseSlope * hge->Random_Float(0.95f, 1.05f);
    FireShot(PlayerX, PlayerY, angle, ShotDamage[CurrentWeapon], GunHeight(), slope, true, false);
}

static void ShotFired(const gun_struct& gun)
{
    ShotNoise = 1;
    PlaySound(gun.fireSound);
    StartHandsAction(HANDS_FIRE);
    HandsState = HANDS_FIRING;
}

static void FireGun()
{
    int16_t& loaded = LoadedRounds(CurrentWeapon);
    if (loaded <= 0) {
        PlaySound(SND_HAMMER_CLICK);
        return;
    }
    loaded -= 1;
    const gun_struct& gun = Guns[CurrentWeapon];
    float base = AimSlope(false);
    bool scatter = gun.scatter && AimedObject() >= 0;
    for (int b = 0; b < gun.bullets; b++)
        FireBullet(gun.spread, scatter ? base * hge->Random_Float(0.95f, 1.05f) : base);
    ShotFired(gun);
}

int WeaponAfterLastGrenade()
{
    bool longGunReady = LongGunSlot > 0 && LongGunLoaded > 0;
    if (longGunReady || HandgunSlot < 1 || HandgunLoaded < 1)
        return LongGunSlot;
    return HandgunSlot;
}

static void PullPin()
{
    // A restored game can hold a grenade in hand with none left to throw.
    if (Reserve[WEAPON_GRENADE] <= 0) {
        PlaySound(SND_HAMMER_CLICK);
        return;
    }
    Reserve[WEAPON_GRENADE] -= 1;
    AmmoPopupTime = PopupSeconds;
    HandsState = HANDS_THROWING;
    PlaySound(SND_GRENADE_PIN);
    StartHandsAction(HANDS_FIRE);
    if (Reserve[WEAPON_GRENADE] > 0)
        return;
    // The throw still plays out; the strike values follow the new weapon so
    // that a blow with it is not left with the grenade's reach of nothing.
    CurrentWeapon = WeaponAfterLastGrenade();
    SetStrikeValuesForWeapon();
}

static void PullTrigger()
{
    if (IsGun(CurrentWeapon))
        FireGun();
    else if (CurrentWeapon == WEAPON_GRENADE)
        PullPin();
}

// With the trigger held the rifle fires again each time its fire animation
// has played, so its rate of fire is the length of that animation.
static void FinishFiring()
{
    bool burst = CurrentWeapon == WEAPON_RIFLE && hge->Input_GetKeyState(HGEK_LBUTTON);
    if (burst && LongGunLoaded > 0) {
        LongGunLoaded -= 1;
        FireBullet(RifleBurstSpread, AimSlope(true));
        ShotFired(Guns[WEAPON_RIFLE]);
        return;
    }
    if (burst)
        PlaySound(SND_HAMMER_CLICK);
    EndAction();
}

// --- throwing

static void ReleaseGrenade()
{
    float tx = AimX, ty = AimY;
    // A throw at the player's own centre lands a pixel ahead of him instead.
    if (!(hypotf(tx - PlayerX, ty - PlayerY) >= 1.0f)) {
        tx = PlayerX + cosf(PlayerAngle);
        ty = PlayerY + sinf(PlayerAngle);
    }
    ThrowGrenade(PlayerX, PlayerY, tx, ty);
}

// --- reloading

static void StartReload()
{
    if (!IsGun(CurrentWeapon))
        return;
    const gun_struct& gun = Guns[CurrentWeapon];
    if (LoadedRounds(CurrentWeapon) >= MagazineSize[CurrentWeapon] || Reserve[CurrentWeapon] <= 0)
        return;
    PlaySound(gun.reloadSound);
    if (gun.roundByRound)
        ActionInterrupt = 0;
    StartHandsAction(HANDS_RELOAD);
    HandsState = HANDS_RELOADING;
}

static void ReloadAnotherCycle(int sound, int fromFrame)
{
    PlaySound(sound);
    HandsState = HANDS_RELOADING;
    WeaponChanged = 0;
    StartHandsAction(HANDS_RELOAD);
    if (fromFrame > 0 && PlayerHandsAnim)
        PlayerHandsAnim->SetFrame(fromFrame);
}

// One unit of spare ammunition goes; the gun then holds rounds.
static void TakeFromReserve(int16_t& loaded, int rounds)
{
    loaded = (int16_t)rounds;
    Reserve[CurrentWeapon] -= 1;
    AmmoPopupTime = PopupSeconds;
}

// Every cycle puts a round in; the cylinder closes when full or when the
// player wants his hands back.
static void RevolverCycleDone()
{
    TakeFromReserve(HandgunLoaded, HandgunLoaded + 1);
    if (HandgunLoaded >= MagazineSize[WEAPON_REVOLVER] || ActionInterrupt)
        PlaySound(SND_REVOLVER_CLOSE);
    else if (Reserve[WEAPON_REVOLVER] > 0)
        ReloadAnotherCycle(SND_REVOLVER_LOAD, 0);
}

// The first cycle only opens the gun; each further one adds a shell.
static void ShotgunCycleDone()
{
    if (LongGunLoaded >= MagazineSize[WEAPON_SHOTGUN] || ActionInterrupt) {
        PlaySound(SND_SHOTGUN_CLOSE);
    } else if (Reserve[WEAPON_SHOTGUN] > 0) {
        TakeFromReserve(LongGunLoaded, LongGunLoaded + 1);
        ReloadAnotherCycle(SND_SHOTGUN_SHELL, ShotgunShellFrame);
    }
}

static void ReloadCycleDone()
{
    EndAction();
    switch (CurrentWeapon) {
    case WEAPON_REVOLVER: RevolverCycleDone(); break;
    case WEAPON_SHOTGUN: ShotgunCycleDone(); break;
    // The rounds left in the old magazine are lost with it.
    case WEAPON_PISTOL: TakeFromReserve(HandgunLoaded, MagazineSize[WEAPON_PISTOL]); break;
    case WEAPON_RIFLE: TakeFromReserve(LongGunLoaded, MagazineSize[WEAPON_RIFLE]); break;
    }
}

// --- switching

static void TakeWeapon(int w)
{
    CurrentWeapon = w;
    WeaponChanged = 1;
}

// With a gun in hand both keys swap to the gun in the other slot.
static void SwapGuns()
{
    if (IsHandgun(CurrentWeapon)) {
        if (LongGunSlot > 0)
            TakeWeapon(LongGunSlot);
    } else if (HandgunSlot > 0) {
        TakeWeapon(HandgunSlot);
    }
}

static bool HandsHoldNoGun()
{
    return CurrentWeapon == WEAPON_NONE || CurrentWeapon == WEAPON_GRENADE;
}

static void KeyOne()
{
    AmmoPopupTime = PopupSeconds;
    if (HandsHoldNoGun())
        TakeWeapon(LongGunSlot > 0 ? LongGunSlot : HandgunSlot);
    else
        SwapGuns();
}

static void KeyTwo()
{
    AmmoPopupTime = PopupSeconds;
    if (!HandsHoldNoGun())
        SwapGuns();
    else if (HandgunSlot > 0)
        TakeWeapon(HandgunSlot);
    else if (LongGunSlot > 0)
        TakeWeapon(LongGunSlot);
}

static void WeaponKeys()
{
    if (HandsState == HANDS_READY && Pressed('1'))
        KeyOne();
    if (HandsState == HANDS_READY && Pressed('2'))
        KeyTwo();
    if (HandsState == HANDS_READY && Pressed('3') && Reserve[WEAPON_GRENADE] > 0)
        TakeWeapon(WEAPON_GRENADE);
    if (WeaponChanged) {
        SetStrikeValuesForWeapon();
        AmmoPopupTime = PopupSeconds;
        PlayRandomSound(SND_BACKPACK_1, 3);
    }
}

// Developer mode: grenades and, by turns, the shotgun with the revolver or
// the rifle with the pistol, all loaded.
static void GiveTestKit()
{
    struct kit_gun_struct {
        int weapon, loaded, reserve;
    };
    static const kit_gun_struct Kits[2][2] = {
        {{WEAPON_SHOTGUN, 5, 15}, {WEAPON_REVOLVER, 7, 21}},
        {{WEAPON_RIFLE, 30, 2}, {WEAPON_PISTOL, 17, 2}},
    };
    const kit_gun_struct* kit = Kits[LongGunSlot == WEAPON_SHOTGUN ? 1 : 0];
    Reserve[WEAPON_GRENADE] = 4;
    WeaponChanged = 1;
    LongGunSlot = kit[0].weapon;
    LongGunLoaded = kit[0].loaded;
    Reserve[kit[0].weapon] = kit[0].reserve;
    HandgunSlot = kit[1].weapon;
    HandgunLoaded = kit[1].loaded;
    Reserve[kit[1].weapon] = kit[1].reserve;
    CurrentWeapon = LongGunSlot;
    SetStrikeValuesForWeapon();
}

// --- the frame

static void ReadyHands()
{
    if (Pressed(HGEK_LBUTTON) && CurrentWeapon > 0)
        PullTrigger();
    bool strike = Pressed(HGEK_RBUTTON) || (Pressed(HGEK_LBUTTON) && CurrentWeapon == WEAPON_NONE);
    if (HandsState == HANDS_READY && strike) {
        HandsState = HANDS_STRIKING;
        StartHandsAction(HANDS_UDAR);
    }
    if (HandsState == HANDS_READY && Pressed(HGEK_SPACE))
        UseLift();
    if (HandsState == HANDS_READY && Pressed('R'))
        StartReload();
    WeaponChanged = 0;
    WeaponKeys();
    if (DeveloperMode && Pressed(HGEK_TAB))
        GiveTestKit();
}

static void NoteInterruptions()
{
    const int keys[] = {HGEK_LBUTTON, HGEK_RBUTTON, HGEK_SPACE, '1', '2', '3'};
    for (int key : keys)
        if (Pressed(key))
            ActionInterrupt = 1;
}

void HandsFrame()
{
    NoteInterruptions();
    ShotNoise = 0;
    if (HandsState == HANDS_READY) {
        ReadyHands();
        return;
    }
    if (!ActionPlayed())
        return;
    switch (HandsState) {
    case HANDS_FIRING: FinishFiring(); break;
    case HANDS_STRIKING:
        EndAction();
        ResolveStrike();
        break;
    case HANDS_RELOADING: ReloadCycleDone(); break;
    case HANDS_THROWING:
        EndAction();
        ReleaseGrenade();
        break;
    default: EndAction(); break;
    }
}
