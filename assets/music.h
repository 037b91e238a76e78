// The music: one looping track at a time on its own channel, and the switch
// the menu turns it off and on with. Below the screens and the player's body
// that start tracks, and the resources that load them.
#pragma once

#include "engine/hge.h"

extern bool MusicOn;          // music may play; changed only by the main menu
extern HCHANNEL MusicChannel; // the music track last started

// Starts a track looping on MusicChannel (the caller checks MusicOn).
void StartMusic(HEFFECT track);
// Starts the track when music is on and the last one has fallen silent.
void KeepMusicPlaying(HEFFECT track);
