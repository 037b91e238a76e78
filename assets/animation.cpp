#include "assets/animation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "frame/program.h"

hgeAnimation::hgeAnimation(HTEXTURE texture, int frames, float fps, float x, float y, float w, float h)
    : hgeSprite(texture, x, y, w, h)
{
    imageWidth = texture ? hge->Texture_GetWidth(texture, true) : 0;
    frameCount = frames < 1 ? 1 : frames;
    fps = std::min(fps, MaxAnimationFps);
    secondsPerFrame = fps > 0 ? 1.0f / fps : std::numeric_limits<float>::infinity();
}

// More steps in one update would only go round the frames again; a frame of
// weeks would otherwise keep the loop below busy for good.
const int MaxStepsPerUpdate = 10000;

void hgeAnimation::SetMode(int m)
{
    mode = m;
    if (mode & HGEANIM_REV) {
        step = -1;
        SetFrame(frameCount - 1);
    } else {
        step = 1;
        SetFrame(0);
    }
}

void hgeAnimation::Play()
{
    playing = true;
    sinceLastFrame = -1.0f;
    SetMode(mode);
}

void hgeAnimation::SetFrame(int n)
{
    n %= frameCount;
    if (n < 0)
        n += frameCount;
    currentFrame = n;

    // A frame narrower than half a pixel would make every column count zero.
    int w = std::max(1, (int)lroundf(width));
    int columns = std::max(1, imageWidth / w);
    float fx = tx + n * width, fy = ty;
    if (fx > imageWidth - width) {
        n -= (int)lroundf(imageWidth - tx) / w;
        if (n < 0)
            n = 0;
        fx = width * (n % columns);
        fy = ty + height * (1 + n / columns);
    }
    SetTextureCoords(fx, fy, fx + width, fy + height);
}

void hgeAnimation::Update(float dt)
{
    if (!playing)
        return;
    if (sinceLastFrame == -1.0f)
        sinceLastFrame = 0;
    else if (!std::isnan(dt))
        sinceLastFrame += dt;
    for (int steps = 0; playing && sinceLastFrame >= secondsPerFrame; steps++) {
        if (steps == MaxStepsPerUpdate) {
            sinceLastFrame = std::isfinite(sinceLastFrame) ? fmodf(sinceLastFrame, secondsPerFrame) : 0;
            break;
        }
        sinceLastFrame -= secondsPerFrame;
        if (currentFrame + step == frameCount) {
            switch (mode) {
            case HGEANIM_FWD:
            case HGEANIM_REV | HGEANIM_PINGPONG: playing = false; break;
            case HGEANIM_FWD | HGEANIM_PINGPONG:
            case HGEANIM_FWD | HGEANIM_PINGPONG | HGEANIM_LOOP:
            case HGEANIM_REV | HGEANIM_PINGPONG | HGEANIM_LOOP: step = -step; break;
            }
        } else if (currentFrame + step < 0) {
            switch (mode) {
            case HGEANIM_REV:
            case HGEANIM_FWD | HGEANIM_PINGPONG: playing = false; break;
            case HGEANIM_REV | HGEANIM_PINGPONG:
            case HGEANIM_FWD | HGEANIM_PINGPONG | HGEANIM_LOOP:
            case HGEANIM_REV | HGEANIM_PINGPONG | HGEANIM_LOOP: step = -step; break;
            }
        }
        if (playing)
            SetFrame(currentFrame + step);
    }
}

void RenderSprite(hgeSprite* sprite, float x, float y)
{
    if (sprite)
        sprite->Render(x, y);
}

void RenderSpriteEx(hgeSprite* sprite, float x, float y, float rot, float scale)
{
    if (sprite)
        sprite->RenderEx(x, y, rot, scale);
}

void SetSpriteColor(hgeSprite* sprite, uint32_t color)
{
    if (sprite)
        sprite->SetColor(color);
}

void UpdateAnimation(hgeAnimation* anim, float dt)
{
    if (anim)
        anim->Update(dt);
}

bool AnimationPlaying(const hgeAnimation* anim)
{
    return anim && anim->IsPlaying();
}

hgeAnimation* CopyAnimation(const hgeAnimation* anim)
{
    return anim ? new hgeAnimation(*anim) : nullptr;
}

hgeAnimation* PlayOnceCopy(const hgeAnimation* anim)
{
    hgeAnimation* copy = CopyAnimation(anim);
    if (copy) {
        copy->SetMode(HGEANIM_FWD);
        copy->Play();
    }
    return copy;
}
