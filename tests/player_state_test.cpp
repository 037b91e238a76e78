// The player's inventory: pockets, the shop's goods, equipping weapons and
// the checkpoint.
#include <gtest/gtest.h>

#include "world/campaign.h"
#include "world/player_state.h"

struct PlayerStateFixture : ::testing::Test {
    void SetUp() override { NewGameState(); }
};

TEST_F(PlayerStateFixture, NewGameStartsWithAPistol)
{
    EXPECT_EQ(Health, 20);
    EXPECT_EQ(MaxHealth, 20);
    EXPECT_EQ(CurrentWeapon, WEAPON_PISTOL);
    EXPECT_EQ(HandgunSlot, WEAPON_PISTOL);
    EXPECT_EQ(HandgunLoaded, 17);
    EXPECT_EQ(LongGunSlot, 0);
    EXPECT_EQ(OwnsPistol, 1);
    EXPECT_EQ(OwnsRevolver + OwnsRifle + OwnsShotgun + HasHelmet + HasVest + HasKnuckles + HasPocketVest, 0);
    EXPECT_EQ(StruckObject, -1);
    EXPECT_EQ(PocketUsed(), 0);
}

TEST_F(PlayerStateFixture, PocketSpaceLimitsAmmunition)
{
    Reserve[WEAPON_REVOLVER] = 10;  // 10
    Reserve[WEAPON_SHOTGUN] = 5;    // 10
    Reserve[WEAPON_RIFLE] = 1;      // 40
    Reserve[WEAPON_GRENADE] = 2;    // 30
    EXPECT_EQ(PocketUsed(), 90);
    EXPECT_EQ(PocketCapacity(), 90);
    HasPocketVest = 1;
    EXPECT_EQ(PocketCapacity(), 140);
}

TEST_F(PlayerStateFixture, PistolMagazineNeedsPointsAndPocketSpace)
{
    BonusPoints = 24;
    EXPECT_EQ(ChooseGood(GOOD_PISTOL_MAGAZINE, PocketUsed()), SHOP_REFUSED);
    EXPECT_EQ(BonusPoints, 24);
    BonusPoints = 25;
    EXPECT_EQ(ChooseGood(GOOD_PISTOL_MAGAZINE, 70), SHOP_REFUSED);
    HasPocketVest = 1;
    EXPECT_EQ(ChooseGood(GOOD_PISTOL_MAGAZINE, 70), SHOP_BOUGHT);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_EQ(Reserve[WEAPON_PISTOL], 1);
}

TEST_F(PlayerStateFixture, RifleMagazineAndGrenadesAndRounds)
{
    BonusPoints = 1000;
    EXPECT_EQ(ChooseGood(GOOD_RIFLE_MAGAZINE, 60), SHOP_REFUSED);
    EXPECT_EQ(ChooseGood(GOOD_RIFLE_MAGAZINE, 50), SHOP_BOUGHT);
    EXPECT_EQ(ChooseGood(GOOD_GRENADE, 0), SHOP_BOUGHT);
    EXPECT_EQ(ChooseGood(GOOD_REVOLVER_ROUND, 0), SHOP_BOUGHT);
    EXPECT_EQ(ChooseGood(GOOD_SHOTGUN_SHELL, 0), SHOP_BOUGHT);
    EXPECT_EQ(BonusPoints, 1000 - 40 - 20 - 1 - 2);
    EXPECT_EQ(Reserve[WEAPON_RIFLE], 1);
    EXPECT_EQ(Reserve[WEAPON_GRENADE], 1);
    EXPECT_EQ(Reserve[WEAPON_REVOLVER], 1);
    EXPECT_EQ(Reserve[WEAPON_SHOTGUN], 1);
}

TEST_F(PlayerStateFixture, HealingOnlyBelowFullHealth)
{
    BonusPoints = 30;
    EXPECT_EQ(ChooseGood(GOOD_HEALING, 0), SHOP_REFUSED);
    EXPECT_EQ(BonusPoints, 30);
    Health = 3;
    EXPECT_EQ(ChooseGood(GOOD_HEALING, 0), SHOP_BOUGHT);
    EXPECT_EQ(Health, 20);
    EXPECT_EQ(BonusPoints, 15);
}

TEST_F(PlayerStateFixture, WeaponsAreBoughtOnceAndTakenFromTheLiftForFree)
{
    BonusPoints = 10;
    EXPECT_EQ(ChooseGood(GOOD_REVOLVER, 0), SHOP_BOUGHT);
    EXPECT_EQ(HandgunSlot, WEAPON_REVOLVER);
    EXPECT_EQ(HandgunLoaded, 7);
    EXPECT_EQ(CurrentWeapon, WEAPON_REVOLVER);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_EQ(ChooseGood(GOOD_PISTOL, 0), SHOP_TAKEN);  // owned from the start
    EXPECT_EQ(HandgunSlot, WEAPON_PISTOL);
    HandgunLoaded = 3;
    EXPECT_EQ(ChooseGood(GOOD_PISTOL, 0), SHOP_NOTHING);  // already in its slot
    EXPECT_EQ(HandgunLoaded, 3);
    EXPECT_EQ(ChooseGood(GOOD_REVOLVER, 0), SHOP_TAKEN);
    EXPECT_EQ(HandgunLoaded, 7);
    EXPECT_EQ(BonusPoints, 0);
}

TEST_F(PlayerStateFixture, BuyingALongGunMovesTheOtherToTheLift)
{
    BonusPoints = 320;
    EXPECT_EQ(ChooseGood(GOOD_RIFLE, 0), SHOP_BOUGHT);
    EXPECT_EQ(ChooseGood(GOOD_SHOTGUN, 0), SHOP_BOUGHT);
    EXPECT_EQ(LongGunSlot, WEAPON_SHOTGUN);
    EXPECT_EQ(LongGunLoaded, 5);
    EXPECT_EQ(OwnsRifle, 1);
    EXPECT_EQ(ChooseGood(GOOD_RIFLE, 0), SHOP_TAKEN);
    EXPECT_EQ(LongGunSlot, WEAPON_RIFLE);
    EXPECT_EQ(LongGunLoaded, 30);
    EXPECT_EQ(CurrentWeapon, WEAPON_RIFLE);
}

TEST_F(PlayerStateFixture, GearIsBoughtOnce)
{
    BonusPoints = 40;
    EXPECT_EQ(ChooseGood(GOOD_HELMET, 0), SHOP_BOUGHT);
    EXPECT_EQ(HasHelmet, 1);
    EXPECT_EQ(ChooseGood(GOOD_HELMET, 0), SHOP_NOTHING);
    EXPECT_EQ(ChooseGood(GOOD_VEST, 0), SHOP_REFUSED);
    EXPECT_TRUE(GoodOwned(GOOD_HELMET));
    EXPECT_FALSE(GoodOwned(GOOD_HEALING));
}

TEST_F(PlayerStateFixture, CheckpointRefillsTheGunsAndRestoresTheMeleeValues)
{
    LongGunSlot = WEAPON_RIFLE;
    LongGunLoaded = 3;
    HandgunLoaded = 1;
    CurrentWeapon = WEAPON_RIFLE;
    Reserve[WEAPON_RIFLE] = 2;
    HasKnuckles = 1;
    TakeCheckpoint(15);
    EXPECT_EQ(CheckpointExists, 1);
    EXPECT_EQ(LongGunLoaded, 30);
    EXPECT_EQ(HandgunLoaded, 17);
    EXPECT_EQ(Checkpoint.LongGunLoaded, 30);
    EXPECT_EQ(Checkpoint.step, 15);

    NewGameState();
    StrikeReachSq = 0;
    RestoreCheckpoint();
    EXPECT_EQ(CurrentWeapon, WEAPON_RIFLE);
    EXPECT_EQ(Reserve[WEAPON_RIFLE], 2);
    EXPECT_EQ(HasKnuckles, 1);
    EXPECT_FLOAT_EQ(StrikeReachSq, 2500);
    EXPECT_EQ(StrikeDamage, 20);
    EXPECT_EQ(CampaignStep, 15);
}
