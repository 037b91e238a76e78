// Every picture, sprite, font and sound of the game by its role: loaded once
// at start-up with the start-up values of every subsystem, released at the
// end.
#pragma once

#include <string>

#include "assets/animation.h"
#include "assets/font.h"
#include "engine/hge.h"

// Roles of the sprite table. The effect kinds index it directly (27 to 30).
enum {
    SPR_DARKNESS = 0,       // one cell of darkness, tinted per cell ("black")
    SPR_GREY = 1,
    SPR_LIFT = 2,
    SPR_MENU = 3,
    SPR_NEW_GAME_HIGHLIT = 4,
    SPR_RESTART_HIGHLIT = 5,
    SPR_RESTART = 6,
    SPR_CONTROLS_HIGHLIT = 7,
    SPR_CONTINUE = 8,
    SPR_CONTINUE_HIGHLIT = 9,
    SPR_EXIT_HIGHLIT = 10,
    SPR_CURSOR = 11,
    SPR_CONTROLS_PICTURE = 12,
    SPR_DIALOG = 13,
    SPR_FINAL = 14,
    SPR_BUILDING_1 = 15,    // storeys 1..10 are 15..24
    SPR_UPGRADE = 25,
    SPR_SPLASH = 26,
    SPR_SPARK = 27,
    SPR_BLAST = 28,
    SPR_DEBRIS = 29,
    SPR_BLOOD = 30,
    SPR_GRENADE = 31,
    SPR_CARD_LIFT = 32,     // then red, green, blue
    SPR_START = 36,
    SPR_AIM = 37,
    SPR_ALARM_LOW = 38,
    SPR_ALARM_HIGH = 39,
    SPR_ALARM_MIDDLE = 40,
    SPR_MUSIC_OFF = 41,
    SPR_SOUND_OFF = 42,
    SPR_RIFLE_OWNED = 43,
    SPR_SHOTGUN_OWNED = 44,
    SPR_PISTOL_OWNED = 45,
    SPR_REVOLVER_OWNED = 46,
    SPR_HELMET = 47,
    SPR_POCKET_VEST = 48,
    SPR_VEST = 49,
    SPR_KNUCKLES = 50,
    SPR_RIFLE_CARRIED = 51,
    SPR_SHOTGUN_CARRIED = 52,
    SPR_PISTOL_CARRIED = 53,
    SPR_REVOLVER_CARRIED = 54,
    SPRITE_COUNT = 55
};

// The pictures registered first, in this order; entry 0 is the presence test
// of the whole game data and the fallback texture.
const int REGISTRY_PICTURE_COUNT = 17;
extern const char* const RegistryPictures[REGISTRY_PICTURE_COUNT];
// The file each of them was last loaded from (a language's own copy or the
// game's).
extern std::string RegistryPictureFiles[REGISTRY_PICTURE_COUNT];

// Sprites cut from the registry pictures, in the order they are made.
struct picture_sprite_struct {
    int sprite;    // index in Sprites
    int registry;  // index in TextureRegistry
    float x, y, w, h;
};
const int PICTURE_SPRITE_COUNT = 37;
extern const picture_sprite_struct PictureSprites[PICTURE_SPRITE_COUNT];

// Sprites taken from the atlas project by name.
struct atlas_sprite_struct {
    int sprite;
    const char* name;
};
const int ATLAS_SPRITE_COUNT = 18;
extern const atlas_sprite_struct AtlasSprites[ATLAS_SPRITE_COUNT];

// An atlas entry that did not load is null (a picture that did not load is
// an untextured rectangle); use the null-safe drawing helpers of
// assets/animation.h.
extern hgeAnimation* Sprites[SPRITE_COUNT];

extern hgeFont* HudFont;       // "data/font2.fnt"
extern hgeFont* SpeakerFontA;  // "data/font1.fnt", red: who opens an exchange
extern hgeFont* SpeakerFontB;  // "data/font1.fnt", blue: who answers
extern hgeFont* ShopFont;      // "data/font1.fnt", dark slate

// The sounds, in load order; each is known by its file name.
enum {
    SND_MENU_MUSIC,
    SND_GRENADE_EXPLOSION,
    SND_GRENADE_FLOOR_1,
    SND_GRENADE_FLOOR_2,
    SND_GRENADE_FLOOR_3,
    SND_GRENADE_PIN,
    SND_SCREEN_MUSIC,
    SND_GAME_MUSIC,
    SND_HAMMER_CLICK,
    SND_BELL,
    SND_ERROR,
    SND_BACKPACK_1,
    SND_BACKPACK_2,
    SND_BACKPACK_3,
    SND_HIT_1,
    SND_HIT_2,
    SND_HIT_3,
    SND_HIT_MISS,
    SND_SHOTGUN_FIRE,
    SND_SHOTGUN_OPEN,
    SND_SHOTGUN_CLOSE,
    SND_SHOTGUN_SHELL,
    SND_REVOLVER_FIRE,
    SND_REVOLVER_LOAD,
    SND_REVOLVER_CLOSE,
    SND_PISTOL_FIRE,
    SND_PISTOL_RELOAD,
    SND_RIFLE_FIRE,
    SND_RIFLE_RELOAD,
    SOUND_COUNT
};

extern const char* const SoundFiles[SOUND_COUNT];
extern HEFFECT Sounds[SOUND_COUNT];

extern bool SoundOn;  // sound effects may play; changed only by the main menu

// Plays a sound effect once, when sound effects are on.
void PlaySound(int sound);
// Plays one of count sounds from first on, chosen at random, when sound
// effects are on.
void PlayRandomSound(int first, int count);

extern HTARGET WorldTarget;            // the play stage is drawn here, screen sized
extern hgeSprite* WorldTargetSprite;   // covers WorldTarget's texture

// True when the game can start; false after it has already run Cleanup.
bool LoadResources();
void FreeResources();

// Asks the engine to decode the pictures play draws (the atlas, the HUD's
// font, the people of the storey just loaded) between the frames of the
// storey's intro and dialogue, so that its first frames do not wait for them.
void PrefetchStoreyPictures();

// Steps of the start-up, also used by tests that draw the screens without
// starting the whole program: the sounds first..last, the 17 pictures
// registered, the four fonts, and the sprites cut from the pictures.
void LoadSounds(int first, int last);
void RegisterPictures();
void LoadFonts();
void BuildPictureSprites();
// After the language has changed: the pictures that have their own copy in
// one language or the other are loaded anew (the old textures freed) and
// their sprites cut again, so every screen shows the new words at once.
// Pictures of the language still on their way (a web page fetches them
// only now) are asked for; the Russian ones show until they arrive.
void ShowLanguagePictures();
// Called every frame: shows the language's pictures once they have arrived.
void ShowArrivedPictures();
