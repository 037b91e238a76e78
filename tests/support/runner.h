// Running the headless runner from a test, and reading what it wrote.
#pragma once

#include <string>
#include <vector>

struct TempDir;

struct RunnerResult {
    int exitCode = -1;
    std::string output;  // standard output and error
    std::string dump;    // the JSON dump, if one was asked for
};

// Links the shipped data/ and sound/ into dir (a scratch folder the runner
// plays in). The storeys come along only withStoreys; the save never does.
void LinkGameData(const std::string& dir, bool withStoreys = false);

// Runs a program with the given arguments: its exit status and output.
RunnerResult RunCommand(const std::string& program, const std::vector<std::string>& args);
// Runs quarvel-sim with the given arguments in workdir; "--dump" is added.
RunnerResult RunSim(const std::string& workdir, const std::vector<std::string>& args);

// Compiles map (the level compiler's text) into storey, a path inside dir;
// the compiler runs in dir, so it reads the data linked there. Only where
// the level compiler is built.
RunnerResult CompileStorey(const TempDir& dir, const std::string& map, const std::string& storey);

// How many times what appears in text (a dump, an output), overlaps counted.
int Occurrences(const std::string& text, const std::string& what);

// A PNG read back as 0xAARRGGBB pixels; empty when unreadable.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};
Picture ReadPng(const std::string& file);

// Writes a PNG of one colour (0xAARRGGBB).
bool WritePng(const std::string& file, int width, int height, uint32_t color);
