// How hurt the player is, felt without a panel: a short red flash at the
// edges of the picture after every hit (stronger for a bigger one), and a
// slow red pulse there while health is below a quarter of its maximum.
#pragma once

extern float HurtFlashTime;      // seconds left of the flash after the last hit
extern float HurtFlashStrength;  // 0..1, from the size of the last hit
extern float LowHealthPulse;     // seconds into the pulse of low health

const float HurtFlashSeconds = 0.5f;

// Once per play frame, after everything that can hurt the player: a fall of
// health since the last frame starts the flash; the pulse runs while health
// is low and the player alive.
void UpdateHurtFlash(float dt);
// A storey was (re)entered: its health is the one to compare with, and no
// flash or pulse carries over.
void ForgetHurt();
// The red over the world, under the cursor (drawn into the view, so it
// doubles with the zoom).
void DrawHurtFlash();
// The opacity (0..255) of the red at the very edge of the picture now.
int HurtEdgeAlpha();
