#include "tests/support/play_through.h"

float PlayThrough(const hgeAnimation* a)
{
    if (!a)
        return -1;
    hgeAnimation copy(*a);
    copy.SetMode(HGEANIM_FWD | HGEANIM_NOLOOP);
    copy.Play();
    copy.Update(0);
    const float step = 0.001f;
    float t = 0;
    while (copy.IsPlaying() && t < 10) {
        copy.Update(step);
        t += step;
    }
    return t;
}
