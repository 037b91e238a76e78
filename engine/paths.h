// File names matched without regard to letter case, the way the game's data
// folders were laid out on the system it was written for ("Data/save" and
// "data/1.lvl" live in the same folder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where a relative name is looked for: the read folders in order (the
// user's own folder before the installed game's), and the one folder the
// game writes into. By default both are the working folder (""); absolute
// names are never moved.
void SetFileFolders(const std::vector<std::string>& readFolders, const std::string& writeFolder);

// The existing path whose components match name's without regard to case
// (backslashes count as separators), in the first read folder that holds it.
// When none does, the name in the write folder: components that do not
// exist yet are kept as written, so the result can be used to create a file.
std::string ResolvePath(const std::string& name);
// Where the game writes a file of that name: always in the write folder.
std::string ResolveWritePath(const std::string& name);
// The same in one given folder ("" for the working folder).
std::string ResolvePathIn(const std::string& folder, const std::string& name);

// Creates a folder and the folders above it; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// The whole file in memory (with a terminating zero byte past its end), or
// null when it cannot be read; free it with free().
void* LoadWholeFile(const std::string& name, uint32_t* size);

// Writes a whole file so that the old one is never lost: the data go to a
// temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the old one. False when any step fails
// (the old file is then untouched and the temporary one removed), and for
// a path inside a read folder other than the write folder: an installed
// game's own files are never written.
bool WriteWholeFile(const std::string& name, const std::string& data);

// For tests: a write stops dead after this many bytes, as if the program
// had been killed (the temporary file stays behind); below 0, never.
extern long WriteStopsAfterBytes;

// The names of the files in folder `name` (matched without regard to case)
// of the write folder and every read folder, each name once, in byte order.
std::vector<std::string> FilesInFolder(const std::string& name);
