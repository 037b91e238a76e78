// The shop between storeys: healing first, then what the storeys ahead call
// for: pistol magazines for the police, the rifle and its magazines for the
// assault team, a helmet and a vest against their rifles.
#include "engine/hge.h"
#include "tools/autopilot/pilot_input.h"
#include "tools/autopilot/pilot_parts.h"
#include "world/campaign.h"
#include "world/player_state.h"

struct shop_spot_struct {
    int good;
    float x, y;  // the middle of its picture
    const char* name;
};

static const shop_spot_struct ShopSpots[] = {
    {GOOD_RIFLE, 160, 89, "rifle"},
    {GOOD_RIFLE_MAGAZINE, 354, 89, "rifle magazine"},
    {GOOD_SHOTGUN, 160, 211, "shotgun"},
    {GOOD_SHOTGUN_SHELL, 354, 211, "shotgun shell"},
    {GOOD_PISTOL, 75, 376, "pistol"},
    {GOOD_PISTOL_MAGAZINE, 185, 376, "pistol magazine"},
    {GOOD_REVOLVER, 75, 498, "revolver"},
    {GOOD_REVOLVER_ROUND, 185, 498, "revolver round"},
    {GOOD_GRENADE, 344, 371, "grenade"},
    {GOOD_HEALING, 344, 507, "healing"},
    {GOOD_HELMET, 514, 82, "helmet"},
    {GOOD_VEST, 514, 218, "vest"},
    {GOOD_KNUCKLES, 514, 371, "knuckles"},
    {GOOD_POCKET_VEST, 514, 505, "vest with pockets"},
};

// What to hold from which storey on, in the order it is bought.
struct shopping_struct {
    int fromStorey;
    int good;
    int count;  // spare units of ammunition to hold; 1 for the rest
};

static const shopping_struct ShoppingList[] = {
    {2, GOOD_HEALING, 1},
    {2, GOOD_KNUCKLES, 1},  // a blow then fells a guard, and no one hears it
    {7, GOOD_RIFLE, 1},
    {7, GOOD_RIFLE_MAGAZINE, 1},
    {3, GOOD_PISTOL_MAGAZINE, 1},
    {2, GOOD_VEST, 1},      // a round then seldom kills
    {3, GOOD_HELMET, 1},
    {8, GOOD_RIFLE_MAGAZINE, 2},
    {5, GOOD_PISTOL_MAGAZINE, 2},
};

// Points kept back on storeys 5 and 6 for the rifle and its magazine.
static const int RifleSavings = 240;

static bool Affordable(int good, int keep)
{
    const good_struct& g = Goods[good];
    if (BonusPoints - g.price < keep)
        return false;
    if (g.ammunition && PocketUsed() + PocketSize[g.weapon] > PocketCapacity())
        return false;
    return good != GOOD_HEALING || Health < MaxHealth;
}

static bool Wanted(const shopping_struct& s)
{
    if (StoreyNumber < s.fromStorey)
        return false;
    const good_struct& g = Goods[s.good];
    if (g.ammunition)
        return Reserve[g.weapon] < s.count;
    if (s.good == GOOD_HEALING)
        return Health < MaxHealth;
    return !GoodOwned(s.good);
}

static int WantedGood()
{
    bool saving = StoreyNumber >= 5 && StoreyNumber < 7 && !OwnsRifle;
    for (const shopping_struct& s : ShoppingList) {
        bool essential = s.good == GOOD_HEALING || s.good == GOOD_RIFLE || s.good == GOOD_VEST ||
                         (s.good == GOOD_PISTOL_MAGAZINE && s.count == 1);
        if (Wanted(s) && Affordable(s.good, saving && !essential ? RifleSavings : 0))
            return s.good;
    }
    return -1;
}

void ShopFrame(int)
{
    int good = WantedGood();
    if (good < 0) {
        TapKey(HGEK_SPACE);  // out of the lift
        return;
    }
    for (const shop_spot_struct& spot : ShopSpots) {
        if (spot.good != good)
            continue;
        if (!MouseAt(spot.x, spot.y)) {
            MoveMouse(spot.x, spot.y);
            return;
        }
        TapKey(HGEK_LBUTTON);
        PilotReport.bought += PilotReport.bought.empty() ? spot.name : std::string(", ") + spot.name;
    }
}
