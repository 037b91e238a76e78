// Level files: a storey as seven text lines of two-character number codes
// (size; floors; objects; player start; lift; cards; enemy starts).
#pragma once

#include <string>
#include <string_view>

// Loads "data/<name>" into the storey, its enemy starts and the player's
// per-storey values, then runs StoreyLoadedHook. A file that cannot be opened
// or has no usable size leaves the storey as it was (false, and a line in the
// log).
bool LoadLevel(const std::string& name);
// The name the storey in play was last loaded by (empty before any load).
extern std::string LoadedLevelName;

// What a load causes above the storey model: the enemies made from their
// starts, the effects and grenades of the old storey gone, the player on his
// start cell with fresh animations. Set by the frame at start-up.
extern void (*StoreyLoadedHook)();
// Writes the storey to "Data/<name>" (the same folder; letter case does not
// matter) in the folder the game writes to, replacing the file.
bool SaveLevel(const std::string& name);

// The same for any path.
bool ReadLevelFile(const std::string& path);
// The same from a level file's text held in memory; name is only for the log.
bool ReadLevelText(std::string_view text, const std::string& name);
bool WriteLevelFile(const std::string& path);
