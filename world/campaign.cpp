#include "world/campaign.h"

int32_t CampaignStep = 0;
int32_t StoreyNumber = 1;
int32_t DialogueNumber = 1;
void (*CampaignStepHook)() = nullptr;

// The campaign's steps and the save file are being built; until then these
// do nothing.
void NextCampaignStep() {}
void WriteSaveFile() {}
void ReadSaveFile() {}
