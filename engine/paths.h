// File names matched without regard to letter case, the way the game's data
// folders were laid out on the system it was written for ("Data/save" and
// "data/1.lvl" live in the same folder).
#pragma once

#include <cstddef>
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

// Whether the file of a path can be opened for reading (without waiting, be
// it a named pipe).
bool CanOpenForReading(const std::string& path);

// The largest files the game reads whole, by kind; no real file comes near.
// A storey's largest size is its format's (see the level files).
const size_t SaveFileLimit = 4096;             // one line of 46 characters
const size_t KeySettingsLimit = 1 << 20;       // keys.cfg
const size_t IniFileLimit = 16 << 20;          // the catalogues, the atlas project
const size_t ResourceFileLimit = 16 << 20;     // what the engine reads whole: the fonts
const size_t MediaFileLimit = 64 << 20;        // a picture or a sound

// Whether a path names a regular file of at most limit bytes: what a
// decoder that opens the file itself may be given (a named pipe would hold
// it up, an endless device or a huge file would fill the memory).
bool IsRegularFileWithin(const std::string& path, size_t limit);

// The whole file in memory (with a terminating zero byte past its end), read
// at once, or null when it cannot be read: missing, not a regular file (a
// folder, a device, a named pipe, which is never waited for), larger than
// limit bytes, or too large for the memory left. Free it with free().
void* LoadWholeFile(const std::string& name, size_t limit, uint32_t* size);

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
