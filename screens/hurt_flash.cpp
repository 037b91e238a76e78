#include "screens/hurt_flash.h"

#include <algorithm>
#include <cmath>

#include "frame/modes.h"
#include "frame/program.h"
#include "world/angles.h"
#include "world/player_state.h"

float HurtFlashTime = 0;
float HurtFlashStrength = 0;
float LowHealthPulse = 0;

static int32_t HealthSeen = 0;

const float FlashPeakAlpha = 150;     // the red of the strongest hit, 0..255
const float PulseLowAlpha = 30, PulseHighAlpha = 75;
const float PulseSeconds = 1.4f;      // one beat of the low-health pulse
const float BandShare = 0.12f;        // the red reaches this far in, as a share of the picture's height

void ForgetHurt()
{
    HealthSeen = Health;
    HurtFlashTime = 0;
    LowHealthPulse = 0;
}

// Half of the maximum health in one hit gives the strongest flash; even a
// graze is seen.
static float HitStrength(int lost)
{
    float half = std::max(1.0f, MaxHealth / 2.0f);
    return std::clamp(lost / half, 0.3f, 1.0f);
}

static bool HealthLow()
{
    return !Dead && Health * 4 < MaxHealth;
}

void UpdateHurtFlash(float dt)
{
    if (Health < HealthSeen) {
        HurtFlashStrength = HitStrength(HealthSeen - Health);
        HurtFlashTime = HurtFlashSeconds;
    } else if (HurtFlashTime > 0) {
        HurtFlashTime -= dt;
    }
    HealthSeen = Health;
    LowHealthPulse = HealthLow() ? LowHealthPulse + dt : 0;
}

int HurtEdgeAlpha()
{
    float flash = HurtFlashTime > 0 ? FlashPeakAlpha * HurtFlashStrength * HurtFlashTime / HurtFlashSeconds : 0;
    float pulse = 0;
    if (HealthLow()) {
        float beat = 0.5f - 0.5f * cosf(LowHealthPulse * 2 * Pi / PulseSeconds);
        pulse = PulseLowAlpha + (PulseHighAlpha - PulseLowAlpha) * beat;
    }
    return (int)std::max(flash, pulse);
}

static hgeVertex EdgeVertex(float x, float y, uint32_t colour)
{
    return {x, y, 0.5f, colour, 0, 0};
}

// One side of the picture: red at its outer edge, fading to nothing inside.
static void DrawBand(float ox0, float oy0, float ox1, float oy1, float ix1, float iy1, float ix0, float iy0,
                     uint32_t red)
{
    hgeQuad q;
    q.v[0] = EdgeVertex(ox0, oy0, red);
    q.v[1] = EdgeVertex(ox1, oy1, red);
    q.v[2] = EdgeVertex(ix1, iy1, red & 0x00FFFFFF);
    q.v[3] = EdgeVertex(ix0, iy0, red & 0x00FFFFFF);
    q.tex = 0;
    q.blend = BLEND_DEFAULT;
    hge->Gfx_RenderQuad(&q);
}

void DrawHurtFlash()
{
    int alpha = HurtEdgeAlpha();
    if (alpha <= 0)
        return;
    uint32_t red = ((uint32_t)std::min(alpha, 255) << 24) | 0x00CC0000u;
    float w = ViewCentre.x * 2, h = ViewCentre.y * 2, b = h * BandShare;
    DrawBand(0, 0, w, 0, w - b, b, b, b, red);          // top
    DrawBand(w, h, 0, h, b, h - b, w - b, h - b, red);  // bottom
    DrawBand(0, h, 0, 0, b, b, b, h - b, red);          // left
    DrawBand(w, 0, w, h, w - b, h - b, w - b, b, red);  // right
}
