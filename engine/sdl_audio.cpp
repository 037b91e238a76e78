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
    if (audioOpen)
        Mix_HaltChannel(-1);
    for (EngineSound& s : sounds)
        if (s.chunk)
            Mix_FreeChunk(s.chunk);
    sounds.clear();
    if (audioOpen) {
        Mix_CloseAudio();
        Mix_Quit();
    }
    audioOpen = false;
}

static bool FileExists(const std::string& path)
{
    if (!IsRegularFileWithin(path, MediaFileLimit))
        return false;
    SDL_RWops* f = SDL_RWFromFile(path.c_str(), "rb");
    if (!f)
        return false;
    SDL_RWclose(f);
    return true;
}

HEFFECT SdlEngine::Effect_Load(const char* filename, uint32_t size)
{
    (void)size;
    if (!filename)
        return 0;
    std::string path = ResolvePath(filename);
    if (!FileExists(path))
        return 0;
    Mix_Chunk* chunk = nullptr;
    if (audioOpen && !DecodeSoundsLater) {
        chunk = Mix_LoadWAV(path.c_str());
        if (!chunk) {
            System_Log("Can't load sound %s: %s", filename, Mix_GetError());
            return 0;
        }
    }
    sounds.push_back({chunk, filename, path, audioOpen && DecodeSoundsLater});
    return (HEFFECT)sounds.size();
}

static void DecodeSound(SdlEngine* e, EngineSound* s)
{
    s->undecoded = false;
    s->chunk = Mix_LoadWAV(s->path.c_str());
    if (!s->chunk)
        e->System_Log("Can't load sound %s: %s", s->name.c_str(), Mix_GetError());
}

bool SdlEngine::DecodeOneSound()
{
    for (EngineSound& s : sounds) {
        if (s.undecoded) {
            DecodeSound(this, &s);
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
    s.chunk = nullptr;
    s.undecoded = false;
}

HCHANNEL SdlEngine::Effect_Play(HEFFECT eff)
{
    return Effect_PlayEx(eff, 100, 0, 1.0f, false);
}

HCHANNEL SdlEngine::Effect_PlayEx(HEFFECT eff, int volume, int pan, float pitch, bool loop)
{
    (void)pitch;  // the game only plays at the natural pitch
    if (eff == 0 || eff > sounds.size())
        return 0;
    EngineSound& s = sounds[eff - 1];
    RecordEngineEvent("sound", s.name);
    if (s.undecoded)
        DecodeSound(this, &s);
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
    // A channel handle carries a generation, so an old handle never speaks for
    // a later sound that happens to play on the same mixer channel.
    unsigned gen = nextGeneration;
    nextGeneration = (nextGeneration + 1) & 0xFFFFFF;
    if (nextGeneration == 0)
        nextGeneration = 1;
    channelGeneration[ch] = gen;
    return (HCHANNEL)((gen << 8) | (unsigned)ch);
}

static bool SplitChannel(const SdlEngine* e, HCHANNEL chn, int* ch)
{
    if (chn == 0 || !e->audioOpen)
        return false;
    *ch = (int)(chn & 0xFF);
    return *ch < MixerChannels && e->channelGeneration[*ch] == (chn >> 8);
}

void SdlEngine::Channel_Stop(HCHANNEL chn)
{
    int ch;
    if (SplitChannel(this, chn, &ch))
        Mix_HaltChannel(ch);
}

void SdlEngine::Channel_StopAll()
{
    if (audioOpen)
        Mix_HaltChannel(-1);
}

bool SdlEngine::Channel_IsPlaying(HCHANNEL chn)
{
    int ch;
    return SplitChannel(this, chn, &ch) && Mix_Playing(ch);
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
