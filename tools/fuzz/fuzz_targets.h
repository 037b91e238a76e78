// The loaders of every file a player can hand the game, each behind one
// entry that takes the file's bytes from memory: fuzzed by libFuzzer, and
// replayed on the inputs that once broke them by the regression tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct fuzz_target_struct {
    const char* name;  // also the folder of its seeds and regression inputs
    void (*run)(const uint8_t* data, size_t size);
};

extern const fuzz_target_struct FuzzTargets[];
extern const int FuzzTargetCount;

// The target of that name, or null.
const fuzz_target_struct* FindFuzzTarget(const std::string& name);

// Sets up a stand-in engine and the shipped catalogues read from dataRoot
// (the folder holding data/), once.
void PrepareFuzzing(const std::string& dataRoot);
