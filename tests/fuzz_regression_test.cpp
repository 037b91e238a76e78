// Every input that once broke a file loader (kept in tests/fuzz/<loader>/)
// is read again by the same loader: it must neither crash nor hang.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/program.h"
#include "tests/support/temp_dir.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fs = std::filesystem;

class FuzzRegression : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzRegression, KeptInputsLoadWithoutHarm)
{
    const fuzz_target_struct* target = FindFuzzTarget(GetParam());
    ASSERT_NE(target, nullptr);
    fs::path folder = fs::path(QUARVEL_SOURCE_DIR) / "tests" / "fuzz" / GetParam();
    HGE* saved = hge;
    ChangeDir in(QUARVEL_SOURCE_DIR);
    PrepareFuzzing("");
    int inputs = 0;
    if (fs::exists(folder)) {
        for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
            std::string data = ReadWholeFile(e.path().string());
            SCOPED_TRACE(e.path().filename().string());
            target->run((const uint8_t*)data.data(), data.size());
            inputs++;
        }
    }
    hge = saved;
    RecordProperty("inputs", inputs);
}

static std::vector<std::string> TargetNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < FuzzTargetCount; i++)
        names.push_back(FuzzTargets[i].name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Loaders, FuzzRegression, ::testing::ValuesIn(TargetNames()));
