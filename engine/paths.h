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

// Writes a whole file so that the old one is never lost: the data go to a
// temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the old one. False when any step fails
// (the old file is then untouched and the temporary one removed).
bool WriteWholeFile(const std::string& name, const std::string& data);

// For tests: a write stops dead after this many bytes, as if the program
// had been killed (the temporary file stays behind); below 0, never.
extern long WriteStopsAfterBytes;
