// The campaign: the fixed sequence of steps that leads up the ten storeys.
#pragma once

#include <cstdint>

extern int32_t CampaignStep;    // the next step to perform, 0..40; 0: no campaign running
extern int32_t StoreyNumber;    // 1..10, the storey whose intro picture is shown
extern int32_t DialogueNumber;  // 1..10, the dialogue page to show
