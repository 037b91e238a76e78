// Level files: a storey as seven text lines of two-character number codes
// (size; floors; objects; player start; lift; cards; enemy starts).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Loads "data/<name>" into the storey, its enemy starts and the player's
// per-storey values, then runs StoreyLoadedHook. A file that cannot be opened
// or has no usable size leaves the storey as it was (false, and a line in the
// log).
bool LoadLevel(const std::string& name);
// How many storeys LoadLevel has loaded so far (the editor's history holds
// for one storey only).
extern int LevelLoads;
// The name the storey in play was last loaded by, or saved under in the
// editor (empty before any load, and for a storey the editor made new).
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
// The level file's text of the storey in memory.
std::string LevelFileText();

// Makes the storey in play an empty one of width x height cells, as a load
// would: no floors, objects, cards or enemies, the start at cell (2, 2) and
// the lift at (5, 2). False for a size the level file cannot hold.
bool NewStorey(int width, int height);

// Whether a file name ends in ".lvl", in any letter case.
bool IsStoreyFileName(const std::string& name);
// The names of the storey files ("*.lvl", any letter case) in the data
// folder of the game and of the player, in byte order.
std::vector<std::string> StoreyFileNames();
// Whether a storey file of that name is there to load.
bool StoreyFileExists(const std::string& name);
