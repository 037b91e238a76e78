// The sprite-atlas project ("data/qvl.apg"): its textures, one shared
// animation per name, and the named properties that describe floor and
// object types.
#pragma once

#include <string>
#include <vector>

#include "assets/animation.h"

struct apg_anim_struct {
    std::string name;               // compared exactly
    hgeAnimation* animation;        // owned by the project
    bool flag;                      // not used by the game
    float real1, real2;             // not used by the game
    std::vector<std::string> property_values;  // one per property name; "" when absent
};

struct apg_tex_struct {
    std::string name;               // the texture file, relative to the working folder
    HTEXTURE texture;               // 0 when it failed to load
    bool listed;                    // not used by the game
    bool usable;                    // lookups skip textures that did not load
    std::vector<std::string> property_names;
    std::vector<apg_anim_struct> animations;
};

struct atlas_ref_struct {
    bool valid;
    int texture, animation;
};

extern std::vector<apg_tex_struct> AtlasTextures;
extern std::string AtlasProjectName;
extern atlas_ref_struct LastAtlasAnimation;  // the last animation found by name

// Replaces the loaded project with the file's; nothing happens when the file
// cannot be opened. Leaves the engine's INI file pointed at the project.
void LoadAtlasProject(const std::string& file);
// The same from a project's text held in memory.
void LoadAtlasProjectText(const std::string& text);
// Points the engine's INI reads at a text held in memory instead of a file.
void UseIniText(const std::string& text);
// Deletes every animation and frees every texture of the project.
void ClearAtlasProject();
// The project's shared animation of that name (first texture, then first
// animation wins), or null.
hgeAnimation* FindAtlasAnimation(const std::string& name);

// A property of an animation; an empty animation name means the animation
// last found by name. The default when there is no such animation, no such
// property or no value.
std::string GetAtlasProperty(const std::string& anim, const std::string& property, const std::string& def);
int GetAtlasPropertyInt(const std::string& anim, const std::string& property, int def);
float GetAtlasPropertyFloat(const std::string& anim, const std::string& property, float def);
