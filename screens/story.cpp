#include "screens/story.h"

// The story screens arrive with the campaign.

void IntroFrame(float, float, float) {}
void DialogFrame(float, float, float) {}
void FinalFrame(float, float, float) {}
void RenderIntro(float, float) {}
void RenderDialog(float, float) {}
void RenderFinal(float, float) {}
