// The headless runner end to end: the real program frame on SDL's dummy
// drivers, scripted input, screenshots and the state dump.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/runner.h"
#include "tests/support/temp_dir.h"

struct RunnerFixture : ::testing::Test {
    TempDir dir;
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path + "/data");
        ASSERT_TRUE(WritePng(dir.path + "/data/tex.png", 64, 64, 0xFF808080));
    }
};

TEST_F(RunnerFixture, WritesAScreenshotAndTheModeVariables)
{
    std::string shot = dir.path + "/shot.png";
    RunnerResult r = RunSim(dir.path, {"--frames", "10", "--screenshot", shot});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    Picture pic = ReadPng(shot);
    EXPECT_EQ(pic.width, 800);
    EXPECT_EQ(pic.height, 590);
    EXPECT_NE(r.dump.find("\"GameMode\": -1"), std::string::npos) << r.dump;
    EXPECT_NE(r.dump.find("\"GameStage\": 0"), std::string::npos);
    EXPECT_NE(r.dump.find("\"WorldMode\": 1"), std::string::npos);
    EXPECT_NE(r.dump.find("\"frames\": 10"), std::string::npos);
}

TEST_F(RunnerFixture, RejectsABadScriptNamingItsLine)
{
    std::string script = dir.Write("in.txt", "0 mouse 1 2\n1 press A\n");
    RunnerResult r = RunSim(dir.path, {"--input", script});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("line 2: unknown event 'PRESS'"), std::string::npos) << r.output;
}

TEST_F(RunnerFixture, BenchPrintsTheTimingReport)
{
    RunnerResult r = RunSim(dir.path, {"--frames", "5", "--bench"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("frames 5"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("update mean"), std::string::npos);
    EXPECT_NE(r.output.find("render mean"), std::string::npos);
}
