// What a storey is built from: the floor types and object types listed in
// "data/Objects.ini", whose pictures and numbers come from the atlas project,
// and the texture registry that maps file names to loaded textures.
#pragma once

#include <string>
#include <vector>

#include "assets/animation.h"

struct texture_struct {
    HTEXTURE handle;   // 0 when the file did not load
    std::string name;  // the bare file name, without "data/"
};

struct floor_type_struct {
    std::string name;          // also the atlas animation's name
    hgeAnimation* animation;   // the atlas's shared animation, or null
    int width, height;         // cells ("Width", "Height")
};

struct object_type_struct {
    std::string name;          // also the atlas animation's name
    hgeAnimation* animation;   // the atlas's shared animation, or null
    int kind;                  // "Type": how it takes part in the world rules
    std::string remains;       // "Destroy": the type it turns into when broken; "" vanishes
    int bonus;                 // "Bonus": points for breaking it
    int size;                  // "Size": its height against bullets
    int hit_chance;            // "Count": percent chance a low enough bullet hits it
    int armor;                 // "Armor": hit points of a new object
    int width, height;         // cells ("Width", "Height") at rotation 0
};

extern std::vector<texture_struct> TextureRegistry;
extern std::vector<floor_type_struct> FloorTypes;
extern std::vector<object_type_struct> ObjectTypes;

// Loads the atlas project, then the type lists, and appends the catalogue's
// textures to the registry.
void LoadCatalogue();
// The type lists and textures from a catalogue's text held in memory, with
// the atlas project as it is loaded now.
void LoadCatalogueText(const std::string& text);

// Deletes the atlas project with every animation the types hold (each once);
// the types stay, without pictures.
void ReleaseCatalogueAnimations();

// The handle of the first registry entry of that name; otherwise an error box
// and entry 0's handle.
HTEXTURE TextureByName(const std::string& name);

// The names of sections "Texture_1", "Texture_2", ... of the current INI
// file, up to the first section without a "Name".
std::vector<std::string> ListedTextureNames();

// The index of the first object type of that name, or -1.
int FindObjectType(const std::string& name);
