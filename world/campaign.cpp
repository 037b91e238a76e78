#include "world/campaign.h"

int32_t CampaignStep = 0;
int32_t StoreyNumber = 1;
int32_t DialogueNumber = 1;
