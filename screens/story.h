// The still screens between storeys: the building picture of the storey to
// come, the story dialogue and the final picture.
#pragma once

void IntroFrame(float dt, float mx, float my);
void DialogFrame(float dt, float mx, float my);
void FinalFrame(float dt, float mx, float my);

void RenderIntro(float mx, float my);
void RenderDialog(float mx, float my);
void RenderFinal(float mx, float my);
