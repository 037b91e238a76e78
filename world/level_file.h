// Level files: a storey as seven text lines of two-character number codes
// (size; floors; objects; player start; lift; cards; enemy starts).
#pragma once

#include <string>

// Loads "data/<name>" into the storey, its enemies and a fresh player. A file
// that cannot be opened or has no usable size leaves the storey as it was
// (false, and a line in the log).
bool LoadLevel(const std::string& name);
// Writes the storey to "Data/<name>" (the same folder; letter case does not
// matter), replacing the file.
bool SaveLevel(const std::string& name);

// The same for any path.
bool ReadLevelFile(const std::string& path);
bool WriteLevelFile(const std::string& path);
