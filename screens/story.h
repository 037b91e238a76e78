// The still screens between storeys: the building picture of the storey to
// come, the story dialogue and the final picture. Each asks the campaign for
// its next step when the player presses a key or clicks.
#pragma once

// Any key leads on; Escape leaves for the menu, where Continue returns to
// the same screen.
void IntroFrame(float dt, float mx, float my);
void DialogFrame(float dt, float mx, float my);
// Any key, Escape included, ends the campaign.
void FinalFrame(float dt, float mx, float my);

void RenderIntro(float mx, float my);
void RenderDialog(float mx, float my);
void RenderFinal(float mx, float my);

// The number of lines of a text (one more than its line breaks).
int LineCount(const char* text);
