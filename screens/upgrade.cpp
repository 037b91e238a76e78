#include "screens/upgrade.h"

// The shop arrives with the campaign.

void UpgradeFrame(float, float, float) {}
void RenderUpgrade(float, float) {}
