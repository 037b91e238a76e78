// Storey maps: the readable source of the level files. A map draws the
// storey as three character grids (floors, objects, marks) with a legend
// naming floor and object types by their catalogue names; the compiler
// builds the storey through the game's own object rules, so that the level
// file it writes is exactly what the editor would write.
#pragma once

#include <string>

// Builds the storey in memory from a map. On failure returns false with
// "line L, column C: what is wrong" in error; the storey is then undefined.
// The catalogue (and, for set checks, the character sets) must be loaded.
bool CompileMap(const std::string& text, std::string* error);
