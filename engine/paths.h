// File names matched without regard to letter case, the way the game's data
// folders were laid out on the system it was written for ("Data/save" and
// "data/1.lvl" live in the same folder).
#pragma once

#include <cstdint>
#include <string>

// The existing path whose components match name's without regard to case
// (backslashes count as separators). Components that do not exist yet are kept
// as written, so the result can also be used to create a file.
std::string ResolvePath(const std::string& name);

// The whole file in memory (with a terminating zero byte past its end), or
// null when it cannot be read; free it with free().
void* LoadWholeFile(const std::string& name, uint32_t* size);
