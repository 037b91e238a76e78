#include "screens/upgrade.h"

#include <string>

#include "assets/music.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "world/campaign.h"
#include "world/player_state.h"

std::string ShopText;

enum { KIND_LONG_GUN, KIND_HANDGUN, KIND_AMMUNITION, KIND_SERVICE, KIND_GEAR, KIND_LABEL, KIND_EXIT };

// A hot rectangle: left < x < right and top < y < bottom, or top <= y when
// topIncluded (the lower rows of the statistics column).
struct hot_rect_struct {
    float left, right, top, bottom;
    bool topIncluded;
    int kind;
    int good;           // GOOD_* for the goods, -1 otherwise
    const char* title;  // the first line(s) of its text
    const char* worn;   // gear: the text once owned
    const char* context = nullptr;  // of the title's translation, where the word alone is ambiguous
};

static const hot_rect_struct HotRects[] = {
    {25, 295, 34, 144, false, KIND_LONG_GUN, GOOD_RIFLE, "Автомат\n"_cp, nullptr},
    {304, 405, 34, 145, false, KIND_AMMUNITION, GOOD_RIFLE_MAGAZINE, "Магазин\n"_cp, nullptr, "ammunition"},
    {25, 295, 155, 267, false, KIND_LONG_GUN, GOOD_SHOTGUN, "Дробовик\n"_cp, nullptr},
    {304, 405, 155, 267, false, KIND_AMMUNITION, GOOD_SHOTGUN_SHELL, "Патрон\n"_cp, nullptr, "shotgun"},
    {25, 126, 321, 431, false, KIND_HANDGUN, GOOD_PISTOL, "Пистолет\n"_cp, nullptr},
    {135, 236, 321, 431, false, KIND_AMMUNITION, GOOD_PISTOL_MAGAZINE, "Магазин\n"_cp, nullptr, "ammunition"},
    {25, 126, 443, 554, false, KIND_HANDGUN, GOOD_REVOLVER, "Револьвер\n"_cp, nullptr},
    {135, 236, 443, 554, false, KIND_AMMUNITION, GOOD_REVOLVER_ROUND, "Патрон\n"_cp, nullptr, "revolver"},
    {293, 395, 316, 427, false, KIND_AMMUNITION, GOOD_GRENADE, "Граната\n"_cp, nullptr},
    {293, 396, 451, 563, false, KIND_SERVICE, GOOD_HEALING, "Лечение\n"_cp, nullptr},
    {464, 565, 26, 138, false, KIND_GEAR, GOOD_HELMET, "Каска\n"_cp, "На голове"_cp},
    {464, 565, 162, 275, false, KIND_GEAR, GOOD_VEST, "Бронежилет\n"_cp, "Надет"_cp},
    {464, 565, 316, 426, false, KIND_GEAR, GOOD_KNUCKLES, "Кастет\n"_cp, "На руке"_cp},
    // Worn, the vest with pockets reads as the helmet does, as it always has.
    {464, 565, 451, 560, false, KIND_GEAR, GOOD_POCKET_VEST, "Жилет с\nкарманами\n"_cp, "Надет"_cp},
    {615, 772, 286, 321, false, KIND_LABEL, -1, "Бонусные\nочки,\nполученные\nза разгром\nи убийство"_cp, nullptr},
    {615, 772, 321, 346, true, KIND_LABEL, -1, "Занятое\nместо в\nкарманах"_cp, nullptr},
    {615, 772, 346, 370, true, KIND_LABEL, -1, "Жизни"_cp, nullptr},
    {615, 772, 370, 402, true, KIND_LABEL, -1, "Запасные\nмагазины\nдля\nавтомата"_cp, nullptr},
    {615, 772, 402, 427, true, KIND_LABEL, -1, "Запасные\nпатроны\nдля\nдробовика"_cp, nullptr},
    {615, 772, 427, 453, true, KIND_LABEL, -1, "Запасные\nмагазины\nдля\nпистолета"_cp, nullptr},
    {615, 772, 453, 472, true, KIND_LABEL, -1, "Запасные\nпатроны\nдля\nревольвера"_cp, nullptr},
    {615, 772, 472, 507, true, KIND_LABEL, -1, "Гранат\nс собой"_cp, nullptr},
    {608, 790, 530, 574, false, KIND_EXIT, -1, "Выйти из\nлифта"_cp, nullptr},
};

static bool Inside(const hot_rect_struct& r, float x, float y)
{
    bool top = r.topIncluded ? r.top <= y : r.top < y;
    return r.left < x && x < r.right && top && y < r.bottom;
}

static std::string PriceLine(int good)
{
    return Tr("Цена: "_cp) + std::to_string(Goods[good].price) + "\n";
}

// Where an owned weapon is: in its slot ("on the belt" or "in the pocket")
// or left in the lift.
static std::string WeaponPlace(const hot_rect_struct& r)
{
    int w = Goods[r.good].weapon;
    if (r.kind == KIND_LONG_GUN)
        return Tr(LongGunSlot == w ? "На ремне"_cp : "В лифте"_cp);
    return Tr(HandgunSlot == w ? "В кармане"_cp : "В лифте"_cp);
}

static std::string TextOf(const hot_rect_struct& r)
{
    std::string text = TrIn(r.context, r.title);
    switch (r.kind) {
    case KIND_LONG_GUN:
    case KIND_HANDGUN:
        return text + (GoodOwned(r.good) ? WeaponPlace(r) : PriceLine(r.good));
    case KIND_AMMUNITION:
        return text + PriceLine(r.good) + Tr("Размер: "_cp) + std::to_string(PocketSize[Goods[r.good].weapon]);
    case KIND_SERVICE:
        return text + PriceLine(r.good);
    case KIND_GEAR:
        return text + (GoodOwned(r.good) ? std::string(Tr(r.worn)) : PriceLine(r.good));
    default:
        return text;
    }
}

// What this frame's clicks did, for its sounds.
struct shop_result_struct {
    bool bought, refused, taken, left;
};

static void Click(const hot_rect_struct& r, int pocketUsed, shop_result_struct* result)
{
    if (r.kind == KIND_EXIT) {
        NextCampaignStep();
        result->left = true;
        return;
    }
    if (r.good < 0)
        return;
    switch (ChooseGood(r.good, pocketUsed)) {
    case SHOP_BOUGHT: result->bought = true; break;
    case SHOP_REFUSED: result->refused = true; break;
    case SHOP_TAKEN: result->taken = true; break;
    }
}

static void PlayShopSounds(const shop_result_struct& result)
{
    if (!SoundOn)
        return;
    if (result.taken)
        PlaySound(SND_BACKPACK_1 + hge->Random_Int(1, 3) - 1);
    if (result.refused)
        PlaySound(SND_ERROR);
    if (result.bought)
        PlaySound(SND_BELL);
}

void UpgradeFrame(float, float mx, float my)
{
    KeepMusicPlaying(Sounds[SND_SCREEN_MUSIC]);
    if (hge->Input_KeyDown(HGEK_ESCAPE)) {
        hge->Channel_StopAll();
        GameMode = MODE_MENU;
        return;
    }
    ShopText.clear();
    shop_result_struct result = {};
    int pocketUsed = PocketUsed();
    bool clicked = hge->Input_KeyDown(HGEK_LBUTTON);
    for (const hot_rect_struct& r : HotRects) {
        if (!Inside(r, mx, my))
            continue;
        ShopText = TextOf(r);
        if (clicked)
            Click(r, pocketUsed, &result);
    }
    // A click on the way out has already taken the step; Space in the same
    // frame would take a second one and skip a whole storey.
    if (hge->Input_KeyDown(HGEK_SPACE) && !result.left)
        NextCampaignStep();
    PlayShopSounds(result);
}

static void RenderIf(bool shown, int sprite, float x, float y)
{
    if (shown)
        RenderSprite(Sprites[sprite], x, y);
}

static void RenderGoods()
{
    RenderIf(HasVest, SPR_VEST, 464, 163);
    RenderIf(HasPocketVest, SPR_POCKET_VEST, 464, 451);
    RenderIf(HasHelmet, SPR_HELMET, 464, 26);
    RenderIf(HasKnuckles, SPR_KNUCKLES, 464, 316);
    RenderIf(OwnsPistol, SPR_PISTOL_OWNED, 25, 321);
    RenderIf(OwnsRevolver, SPR_REVOLVER_OWNED, 25, 443);
    RenderIf(OwnsRifle, SPR_RIFLE_OWNED, 25, 34);
    RenderIf(OwnsShotgun, SPR_SHOTGUN_OWNED, 25, 155);
    RenderIf(HandgunSlot == WEAPON_PISTOL, SPR_PISTOL_CARRIED, 25, 321);
    RenderIf(HandgunSlot == WEAPON_REVOLVER, SPR_REVOLVER_CARRIED, 25, 443);
    RenderIf(LongGunSlot == WEAPON_RIFLE, SPR_RIFLE_CARRIED, 25, 34);
    RenderIf(LongGunSlot == WEAPON_SHOTGUN, SPR_SHOTGUN_CARRIED, 25, 155);
}

static void RenderStatistics()
{
    const float x = 650;
    ShopFont->printf(x, 290, HGETEXT_LEFT, "%d", BonusPoints);
    ShopFont->printf(x, 318, HGETEXT_LEFT, "%d/%d", PocketUsed(), PocketCapacity());
    ShopFont->printf(x, 343, HGETEXT_LEFT, "%d/%d", Health, MaxHealth);
    ShopFont->printf(x, 370, HGETEXT_LEFT, "%d", Reserve[WEAPON_RIFLE]);
    ShopFont->printf(x, 401, HGETEXT_LEFT, "%d", Reserve[WEAPON_SHOTGUN]);
    ShopFont->printf(x, 425, HGETEXT_LEFT, "%d", Reserve[WEAPON_PISTOL]);
    ShopFont->printf(x, 449, HGETEXT_LEFT, "%d", Reserve[WEAPON_REVOLVER]);
    ShopFont->printf(x, 475, HGETEXT_LEFT, "%d", Reserve[WEAPON_GRENADE]);
}

void RenderUpgrade(float mx, float my)
{
    RenderSprite(Sprites[SPR_UPGRADE], 0, 0);
    RenderGoods();
    if (ShopFont) {
        ShopFont->Render(616, 29, HGETEXT_LEFT, ShopText.c_str());
        RenderStatistics();
    }
    RenderSprite(Sprites[SPR_CURSOR], mx, my);
}
