// The upgrade shop visited in the lift between storeys.
#pragma once

void UpgradeFrame(float dt, float mx, float my);
void RenderUpgrade(float mx, float my);
