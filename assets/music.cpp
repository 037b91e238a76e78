#include "assets/music.h"

#include "frame/program.h"

bool MusicOn = true;
HCHANNEL MusicChannel = 0;

void StartMusic(HEFFECT track)
{
    MusicChannel = hge->Effect_PlayEx(track, 100, 0, 1.0f, true);
}

void KeepMusicPlaying(HEFFECT track)
{
    if (!hge->Channel_IsPlaying(MusicChannel) && MusicOn)
        StartMusic(track);
}
