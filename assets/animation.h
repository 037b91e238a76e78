// hgeAnimation: a sprite whose source rectangle steps through frames laid out
// on its texture, left to right and then on the following rows.
#pragma once

#include "assets/sprite.h"

// Play mode bits.
const int HGEANIM_FWD = 0;
const int HGEANIM_REV = 1;
const int HGEANIM_PINGPONG = 2;
const int HGEANIM_NOPINGPONG = 0;
const int HGEANIM_LOOP = 4;
const int HGEANIM_NOLOOP = 0;

// Faster than any screen shows: a faster speed read from a file is taken as
// this one.
const float MaxAnimationFps = 1000;

class hgeAnimation : public hgeSprite {
public:
    // (x, y, w, h) is the first frame. Fewer than one frame counts as one;
    // an FPS of 0 or less never advances, one above MaxAnimationFps plays at
    // that speed.
    hgeAnimation(HTEXTURE texture, int frames, float fps, float x, float y, float w, float h);

    void Play();
    void Update(float dt);
    bool IsPlaying() const { return playing; }
    void SetMode(int mode);
    int GetMode() const { return mode; }
    // Wraps n into 0..frames-1 (negative n counts from the end).
    void SetFrame(int n);
    int GetFrame() const { return currentFrame; }
    int GetFrames() const { return frameCount; }

private:
    int imageWidth;
    bool playing = false;
    float secondsPerFrame;
    float sinceLastFrame = -1.0f;  // -1: the first frame has just begun
    int mode = HGEANIM_FWD | HGEANIM_LOOP;
    int step = 1;
    int frameCount;
    int currentFrame = 0;
};

// Safe use of an animation that may be missing: a picture or atlas entry that
// did not load is a null pointer, and every use of it does nothing.
void RenderSprite(hgeSprite* sprite, float x, float y);
void RenderSpriteEx(hgeSprite* sprite, float x, float y, float rot, float scale = 1.0f);
void SetSpriteColor(hgeSprite* sprite, uint32_t color);
void UpdateAnimation(hgeAnimation* anim, float dt);
bool AnimationPlaying(const hgeAnimation* anim);
// An independent copy that keeps the template's playing state; null for null.
hgeAnimation* CopyAnimation(const hgeAnimation* anim);
// A copy that plays once from its first frame and stops on its last, for
// actions and deaths (the people's templates loop); null for null.
hgeAnimation* PlayOnceCopy(const hgeAnimation* anim);
