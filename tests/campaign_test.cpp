// The campaign's 41 steps, its checkpoints and the save file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/cp1251.h"
#include "engine/paths.h"
#include "frame/modes.h"
#include "tests/support/fake_engine.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_dir.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/number_code.h"
#include "world/player_state.h"
#include "world/storey.h"

struct CampaignFixture : ::testing::Test {
    FakeEngineScope fake;
    TempDir dir;
    ChangeDir in{dir.path};

    void SetUp() override
    {
        WriteStandInCampaign(dir);
        CampaignStep = 0;
        CheckpointExists = 0;
        Checkpoint = {};
        Checkpoint.Health = -1;
        GameMode = MODE_MENU;
    }

    void StepTo(int step)
    {
        while (CampaignStep != step)
            NextCampaignStep();
    }

    std::string SaveFile() const { return ReadWholeFile(dir.path + "/data/save"); }
};

static char StageLetter()
{
    if (GameMode == MODE_MENU)
        return 'M';
    return "IDPUG"[GameStage];
}

TEST_F(CampaignFixture, FortyOneStepsLeadUpTheTenStoreysAndBackToTheMenu)
{
    std::string stages, storeys, dialogues;
    for (int step = 0; step <= LastCampaignStep; step++) {
        ASSERT_EQ(CampaignStep, step);
        NextCampaignStep();
        stages += StageLetter();
        if (GameStage == STAGE_LEVEL_INTRO && GameMode == MODE_GAME) {
            storeys += std::to_string(StoreyNumber) + " ";
            EXPECT_EQ(LevelWidth, StoreyNumber);
        }
        if (GameStage == STAGE_DIALOG)
            dialogues += std::to_string(DialogueNumber) + " ";
    }
    EXPECT_EQ(stages, "IDP" + std::string("IDUPIDUPIDUPIDUPIDUPIDUPIDUPIDUPIDUP") + "GM");
    EXPECT_EQ(storeys, "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_EQ(dialogues, "1 2 3 4 5 6 7 8 9 10 ");
    EXPECT_EQ(CampaignStep, 0);
    EXPECT_TRUE(fake.engine.messages.empty());
}

TEST_F(CampaignFixture, LeavingStoreyOneByTheLiftTakesTheFirstCheckpoint)
{
    StepTo(3);
    EXPECT_EQ(CheckpointExists, 0);  // storey 1 has none
    EXPECT_EQ(GameStage, STAGE_PLAY);
    HandgunLoaded = 4;
    LongGunSlot = WEAPON_SHOTGUN;
    LongGunLoaded = 1;
    NextCampaignStep();
    EXPECT_EQ(CampaignStep, 4);
    EXPECT_EQ(CheckpointExists, 1);
    EXPECT_EQ(Checkpoint.step, 3);
    EXPECT_EQ(HandgunLoaded, 17);
    EXPECT_EQ(LongGunLoaded, 5);
    EXPECT_EQ(Checkpoint.HandgunLoaded, 17);
    EXPECT_EQ(LevelWidth, 2);
    EXPECT_EQ(StoreyNumber, 2);
    EXPECT_EQ(GameMode, MODE_GAME);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
}

TEST_F(CampaignFixture, DyingOnStoreyFiveReplaysItWithWhatWasBoughtInTheLift)
{
    StepTo(18);  // the shop before storey 5
    EXPECT_EQ(GameStage, STAGE_UPGRADE);
    BonusPoints = 200;
    ASSERT_EQ(ChooseGood(GOOD_RIFLE, PocketUsed()), SHOP_BOUGHT);
    NextCampaignStep();
    EXPECT_EQ(GameStage, STAGE_PLAY);
    EXPECT_EQ(Checkpoint.step, 15);
    EXPECT_EQ(Checkpoint.OwnsRifle, 1);
    // He dies: the death sequence ends the campaign and shows the menu.
    Health = -3;
    OwnsRifle = 0;
    LongGunSlot = 0;
    CampaignStep = 0;
    RestoreCheckpoint();
    NextCampaignStep();
    EXPECT_EQ(CampaignStep, 16);
    EXPECT_EQ(StoreyNumber, 5);
    EXPECT_EQ(LevelWidth, 5);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
    EXPECT_EQ(OwnsRifle, 1);
    EXPECT_EQ(LongGunSlot, WEAPON_RIFLE);
    EXPECT_EQ(LongGunLoaded, 30);
    EXPECT_EQ(BonusPoints, 0);
    EXPECT_GT(Health, 0);
    EXPECT_EQ(StrikeDamage, 20);
}

TEST_F(CampaignFixture, FinishingStoreyTenEndsTheCampaignWithNothingToSave)
{
    dir.Write("data/save", "old save\r\n");
    StepTo(39);
    EXPECT_EQ(GameStage, STAGE_PLAY);
    EXPECT_EQ(StoreyNumber, 10);
    EXPECT_GT(Checkpoint.Health, 0);
    NextCampaignStep();  // the lift
    EXPECT_EQ(GameStage, STAGE_GAME_OVER);
    EXPECT_EQ(CampaignStep, 40);
    NextCampaignStep();  // a key on the final picture
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 0);
    EXPECT_EQ(CheckpointExists, 0);
    EXPECT_EQ(Checkpoint.Health, 0);
    WriteSaveFile();
    EXPECT_EQ(SaveFile(), "old save\r\n");
}

TEST_F(CampaignFixture, ANewGameForgetsTheStoreyToRestartButKeepsTheSave)
{
    StepTo(8);  // storey 3 reached: a checkpoint exists
    ASSERT_EQ(CheckpointExists, 1);
    CampaignStep = 0;
    NextCampaignStep();
    EXPECT_EQ(CheckpointExists, 0);
    EXPECT_EQ(Checkpoint.step, 7);
    EXPECT_EQ(StoreyNumber, 1);
    EXPECT_EQ(LevelWidth, 1);
}

TEST_F(CampaignFixture, AMissingStoreyIsNamedAndTheMenuComesBack)
{
    std::filesystem::remove(dir.path + "/data/4.lvl");
    StepTo(11);  // play on storey 3
    NextCampaignStep();
    ASSERT_EQ(fake.engine.messages.size(), 1u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Не удалось загрузить этаж: data/4.lvl"_cp));
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 0);
    EXPECT_EQ(StoreyNumber, 3);  // no intro names a storey that is not there
    // The checkpoint of storey 4 was taken: once its file exists Continue
    // leads there.
    EXPECT_EQ(Checkpoint.step, 11);
    dir.Write("data/4.lvl", StandInStorey(4));
    RestoreCheckpoint();
    NextCampaignStep();
    EXPECT_EQ(StoreyNumber, 4);
    EXPECT_EQ(GameStage, STAGE_LEVEL_INTRO);
    EXPECT_EQ(CampaignStep, 12);
}

TEST_F(CampaignFixture, WithoutTheFirstStoreyNoGameStarts)
{
    std::filesystem::remove(dir.path + "/data/1.lvl");
    NextCampaignStep();
    EXPECT_EQ(fake.engine.messages.size(), 1u);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(CampaignStep, 0);
}

// A checkpoint the game could have taken, with as many different values in
// the 23 places as that allows.
static checkpoint_struct DistinctCheckpoint()
{
    checkpoint_struct c{};
    c.LongGunLoaded = 11;
    c.HandgunLoaded = 12;
    c.BonusPoints = 1300;
    c.Health = 14;
    c.MaxHealth = 15;
    c.CurrentWeapon = WEAPON_RIFLE;
    const int16_t reserve[WEAPON_COUNT] = {0, 3, 1, 5, 0, 2};  // 66 of 90 pocket units
    for (int w = 0; w < WEAPON_COUNT; w++)
        c.Reserve[w] = reserve[w];
    c.step = 31;
    c.HasVest = 1;
    c.OwnsRifle = 1;
    c.OwnsPistol = 1;
    c.LongGunSlot = WEAPON_RIFLE;
    c.HandgunSlot = WEAPON_PISTOL;
    return c;
}

TEST_F(CampaignFixture, TheSaveLineHoldsTheTwentyThreeNumbersInTheirOrder)
{
    std::string line = SaveLine(DistinctCheckpoint());
    ASSERT_EQ(line.size(), 46u);
    std::vector<int> v;
    for (size_t k = 0; k < 46; k += 2)
        v.push_back(DecodeNumber(line[k], line[k + 1]));
    EXPECT_EQ(v, (std::vector<int>{11, 12, 1300, 14, 15, 4, 0, 3, 1, 5, 0, 2, 31, 1, 0, 0, 0, 1, 0, 1, 0, 4, 2}));
}

TEST_F(CampaignFixture, TheSaveIsWrittenAtExitAndReadAtStartUp)
{
    Checkpoint = DistinctCheckpoint();
    WriteSaveFile();
    EXPECT_EQ(SaveFile(), SaveLine(DistinctCheckpoint()) + "\r\n");
    Checkpoint = {};
    CheckpointExists = 1;
    CurrentWeapon = WEAPON_PISTOL;
    Reserve[WEAPON_PISTOL] = 3;
    ReadSaveFile();
    EXPECT_EQ(SaveLine(Checkpoint), SaveLine(DistinctCheckpoint()));
    EXPECT_EQ(CheckpointExists, 0);
    EXPECT_EQ(CurrentWeapon, 0);
    EXPECT_EQ(Reserve[WEAPON_PISTOL], 0);
}

TEST_F(CampaignFixture, TheSaveIsFoundWhateverTheLetterCaseOfItsFolderAndName)
{
    std::filesystem::rename(dir.path + "/data", dir.path + "/DATA");
    dir.Write("DATA/Save", SaveLine(DistinctCheckpoint()) + "\r\n");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.step, 31);
    Checkpoint.BonusPoints = 7;
    WriteSaveFile();
    EXPECT_FALSE(std::filesystem::exists(dir.path + "/Data/save"));
    checkpoint_struct read;
    ASSERT_TRUE(ParseSaveLine(ReadWholeFile(dir.path + "/DATA/Save"), &read));
    EXPECT_EQ(read.BonusPoints, 7);
}

TEST_F(CampaignFixture, AShortMissingOrOddSaveLeavesNothingToContinue)
{
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, -1);
    std::string line = SaveLine(DistinctCheckpoint());
    dir.Write("data/save", line.substr(0, 45) + "\r\n");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, -1);
    dir.Write("data/save", line + "\r\n");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, 14);
    dir.Write("data/save", line);  // no line break at all
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, 14);
    // neither an endless device nor a named pipe holds the start-up
    std::filesystem::remove(dir.path + "/data/save");
    std::filesystem::create_symlink("/dev/zero", dir.path + "/data/save");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, -1);
    std::filesystem::remove(dir.path + "/data/save");
    ASSERT_EQ(mkfifo((dir.path + "/data/save").c_str(), 0600), 0);
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, -1);
}

TEST_F(CampaignFixture, ASaveNoGameCouldHaveWrittenIsIgnoredAsAWhole)
{
    auto damaged = [](void (*damage)(checkpoint_struct&)) {
        checkpoint_struct c = DistinctCheckpoint();
        damage(c);
        return SaveLine(c) + "\r\n";
    };
    void (*damages[])(checkpoint_struct&) = {
        [](checkpoint_struct& c) { c.step = 4; },
        [](checkpoint_struct& c) { c.step = 39; },
        [](checkpoint_struct& c) { c.step = -1; },
        [](checkpoint_struct& c) { c.CurrentWeapon = 6; },
        [](checkpoint_struct& c) { c.LongGunSlot = WEAPON_PISTOL; },
        [](checkpoint_struct& c) { c.HandgunSlot = WEAPON_SHOTGUN; },
        [](checkpoint_struct& c) { c.HasHelmet = 2; },
        [](checkpoint_struct& c) { c.OwnsRevolver = -1; },
        [](checkpoint_struct& c) { c.Reserve[WEAPON_GRENADE] = -2; },
        [](checkpoint_struct& c) { c.BonusPoints = -5; },
        [](checkpoint_struct& c) { c.HandgunLoaded = -1; },
        // values in range that no game could have saved
        [](checkpoint_struct& c) { c.Health = c.MaxHealth + 1; },
        [](checkpoint_struct& c) { c.LongGunLoaded = 31; },
        [](checkpoint_struct& c) { c.HandgunLoaded = 18; },
        [](checkpoint_struct& c) { c.Reserve[WEAPON_RIFLE] = 1; },  // 106 pocket units
        [](checkpoint_struct& c) { c.CurrentWeapon = WEAPON_SHOTGUN; },
        [](checkpoint_struct& c) { c.OwnsPistol = 0; },
    };
    for (auto damage : damages) {
        dir.Write("data/save", damaged(damage));
        ReadSaveFile();
        EXPECT_EQ(Checkpoint.Health, -1) << damaged(damage);
    }
    std::string line = SaveLine(DistinctCheckpoint());
    line[4] = line[5] = '\x7f';  // bonus points 6177, beyond what the code holds
    dir.Write("data/save", line + "\r\n");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Health, -1);
    checkpoint_struct roomy = DistinctCheckpoint();
    roomy.HasPocketVest = 1;
    roomy.Reserve[WEAPON_RIFLE] = 1;
    dir.Write("data/save", SaveLine(roomy) + "\r\n");
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.Reserve[WEAPON_RIFLE], 1);
    for (int step : {3, 7, 35}) {
        checkpoint_struct c = DistinctCheckpoint();
        c.step = step;
        dir.Write("data/save", SaveLine(c) + "\r\n");
        ReadSaveFile();
        EXPECT_EQ(Checkpoint.step, step);
    }
}

TEST_F(CampaignFixture, TooManyBonusPointsAreReportedOnceAndSavedAsTheLargestNumber)
{
    Checkpoint = DistinctCheckpoint();
    Checkpoint.BonusPoints = 5000;
    Checkpoint.Health = Checkpoint.MaxHealth = 6000;
    WriteSaveFile();
    ASSERT_EQ(fake.engine.messages.size(), 1u);
    EXPECT_EQ(fake.engine.messages[0], std::string("Число5000невозможно сериализовать"_cp));
    checkpoint_struct read;
    ASSERT_TRUE(ParseSaveLine(SaveFile(), &read));
    EXPECT_EQ(read.BonusPoints, 4899);
}

TEST_F(CampaignFixture, ASaveKilledHalfWrittenLeavesTheOldOne)
{
    std::string old = SaveLine(DistinctCheckpoint()) + "\r\n";
    dir.Write("data/save", old);
    Checkpoint = DistinctCheckpoint();
    Checkpoint.BonusPoints = 99;
    WriteStopsAfterBytes = 20;
    WriteSaveFile();
    WriteStopsAfterBytes = -1;
    EXPECT_EQ(SaveFile(), old);
    ReadSaveFile();
    EXPECT_EQ(Checkpoint.BonusPoints, 1300);
}
