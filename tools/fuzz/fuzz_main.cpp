// One libFuzzer program per loader: built once for each target name, given
// as FUZZ_TARGET_NAME.
#include <cstdlib>

#include "tools/fuzz/fuzz_targets.h"

static const fuzz_target_struct* Target = nullptr;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* root = getenv("QUARVEL_DATA_ROOT");
    PrepareFuzzing(root ? root : QUARVEL_SOURCE_DIR);
    Target = FindFuzzTarget(FUZZ_TARGET_NAME);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Target->run(data, size);
    return 0;
}
