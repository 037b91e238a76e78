// Sounds and channels of the SDL engine. Without an audio device, or with a
// mixer that cannot decode MP3, the game runs silently: sounds still load
// (by name) and "play", so the game's logic and the runner's record of
// sounds stay the same.
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "engine/paths.h"
#include "engine/sdl_engine.h"

void SdlEngine::InitAudio()
{
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        System_Log("No audio device, the game runs silently: %s", Mix_GetError());
        return;
    }
    if ((Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) == 0) {
        System_Log("The mixer cannot decode MP3, the game runs silently: %s", Mix_GetError());
        Mix_CloseAudio();
        return;
    }
    Mix_AllocateChannels(MixerChannels);
    audioOpen = true;
}

void SdlEngine::ShutdownAudio()
{
    if (audioOpen) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }
    for (EngineSound& s : sounds) {
        if (s.chunk)
            Mix_FreeChunk(s.chunk);
        if (s.track)
            Mix_FreeMusic(s.track);
    }
    sounds.clear();
    if (audioOpen) {
        Mix_CloseAudio();
        Mix_Quit();
    }
    audioOpen = false;
}

// The size of a regular file of at most a sound's size, or -1 when it is
// none or cannot be opened.
static long FileSize(const std::string& path)
{
    if (!IsRegularFileWithin(path, MediaFileLimit))
        return -1;
    SDL_RWops* f = SDL_RWFromFile(path.c_str(), "rb");
    if (!f)
        return -1;
    long size = (long)SDL_RWsize(f);
    SDL_RWclose(f);
    return size;
}

HEFFECT SdlEngine::Effect_Load(const char* filename, uint32_t size)
{
    (void)size;
    if (!filename)
        return 0;
    EngineSound s;
    s.path = ResolvePath(filename);
    long bytes = FileSize(s.path);
    if (bytes < 0)
        return 0;
    s.name = filename;
    s.isTrack = bytes > TrackFileSize;
    s.undecoded = audioOpen && !s.isTrack;
    sounds.push_back(s);
    return (HEFFECT)sounds.size();
}

// The file is checked again: it may have been replaced since it was loaded.
void SdlEngine::DecodeSound(EngineSound* s)
{
    s->undecoded = false;
    s->chunk = IsRegularFileWithin(s->path, MediaFileLimit) ? Mix_LoadWAV(s->path.c_str()) : nullptr;
    s->failed = !s->chunk;
    if (s->failed)
        System_Log("Can't load sound %s: %s", s->name.c_str(), Mix_GetError());
}

bool SdlEngine::DecodeOneSound()
{
    for (EngineSound& s : sounds) {
        if (s.undecoded) {
            DecodeSound(&s);
            return true;
        }
    }
    return false;
}

void SdlEngine::Effect_Free(HEFFECT eff)
{
    if (eff == 0 || eff > sounds.size())
        return;
    EngineSound& s = sounds[eff - 1];
    if (s.chunk)
        Mix_FreeChunk(s.chunk);
    if (s.track)
        Mix_FreeMusic(s.track);
    s = EngineSound();
}

HCHANNEL SdlEngine::Effect_Play(HEFFECT eff)
{
    return Effect_PlayEx(eff, 100, 0, 1.0f, false);
}

// A channel handle carries a generation, so an old handle never speaks for
// a later sound that happens to play on the same mixer channel.
static HCHANNEL ChannelHandle(SdlEngine* e, int ch)
{
    unsigned gen = e->nextGeneration;
    e->nextGeneration = (e->nextGeneration + 1) & 0xFFFFFF;
    if (e->nextGeneration == 0)
        e->nextGeneration = 1;
    e->channelGeneration[ch] = gen;
    return (HCHANNEL)((gen << 8) | (unsigned)ch);
}

// A track's stream is opened when it is first played, and kept.
void SdlEngine::OpenTrack(EngineSound* s)
{
    s->track = IsRegularFileWithin(s->path, MediaFileLimit) ? Mix_LoadMUS(s->path.c_str()) : nullptr;
    s->failed = !s->track;
    if (s->failed)
        System_Log("Can't load sound %s: %s", s->name.c_str(), Mix_GetError());
}

// Music has no pan.
HCHANNEL SdlEngine::PlayTrack(EngineSound* s, int volume, bool loop)
{
    Mix_VolumeMusic(std::clamp(volume, 0, 100) * MIX_MAX_VOLUME / 100);
    if (Mix_PlayMusic(s->track, loop ? -1 : 0) != 0)
        return 0;
    return ChannelHandle(this, TrackChannel);
}

// A sound that cannot be decoded plays as one that did not load: silence,
// and nothing in the record of sounds played.
HCHANNEL SdlEngine::Effect_PlayEx(HEFFECT eff, int volume, int pan, float pitch, bool loop)
{
    (void)pitch;  // the game only plays at the natural pitch
    if (eff == 0 || eff > sounds.size())
        return 0;
    EngineSound& s = sounds[eff - 1];
    if (s.undecoded)
        DecodeSound(&s);
    if (s.isTrack && audioOpen && !s.track && !s.failed)
        OpenTrack(&s);
    if (s.failed || s.name.empty())
        return 0;
    RecordEngineEvent("sound", s.name);
    if (!audioOpen)
        return 0;
    if (s.isTrack)
        return PlayTrack(&s, volume, loop);
    if (!s.chunk)
        return 0;
    int ch = Mix_PlayChannel(-1, s.chunk, loop ? -1 : 0);
    if (ch < 0 || ch >= MixerChannels)
        return 0;
    volume = std::clamp(volume, 0, 100);
    pan = std::clamp(pan, -100, 100);
    Mix_Volume(ch, volume * MIX_MAX_VOLUME / 100);
    Uint8 left = (Uint8)(pan > 0 ? 255 * (100 - pan) / 100 : 255);
    Uint8 right = (Uint8)(pan < 0 ? 255 * (100 + pan) / 100 : 255);
    Mix_SetPanning(ch, left, right);
    return ChannelHandle(this, ch);
}

static bool SplitChannel(const SdlEngine* e, HCHANNEL chn, int* ch)
{
    if (chn == 0 || !e->audioOpen)
        return false;
    *ch = (int)(chn & 0xFF);
    return *ch <= TrackChannel && e->channelGeneration[*ch] == (chn >> 8);
}

void SdlEngine::Channel_Stop(HCHANNEL chn)
{
    int ch;
    if (!SplitChannel(this, chn, &ch))
        return;
    if (ch == TrackChannel)
        Mix_HaltMusic();
    else
        Mix_HaltChannel(ch);
}

void SdlEngine::Channel_StopAll()
{
    if (!audioOpen)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
}

bool SdlEngine::Channel_IsPlaying(HCHANNEL chn)
{
    int ch;
    if (!SplitChannel(this, chn, &ch))
        return false;
    return ch == TrackChannel ? Mix_PlayingMusic() != 0 : Mix_Playing(ch) != 0;
}

SoundFileInfo InspectSoundFile(const std::string& name)
{
    SoundFileInfo info;
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels))
        return info;
    Mix_Chunk* chunk = Mix_LoadWAV(ResolvePath(name).c_str());
    if (!chunk)
        return info;
    int bytes = SDL_AUDIO_BITSIZE(format) / 8;
    size_t samples = chunk->alen / bytes;
    info.seconds = (double)samples / channels / rate;
    for (size_t i = 0; i < samples; i++) {
        double v = 0;
        if (format == AUDIO_S16SYS)
            v = ((Sint16*)chunk->abuf)[i] / 32768.0;
        else if (format == AUDIO_F32SYS)
            v = ((float*)chunk->abuf)[i];
        else if (format == AUDIO_S32SYS)
            v = ((Sint32*)chunk->abuf)[i] / 2147483648.0;
        info.peak = std::max(info.peak, std::fabs(v));
    }
    Mix_FreeChunk(chunk);
    info.ok = true;
    return info;
}
