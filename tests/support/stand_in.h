// Small stand-in storeys for tests of the campaign, written where the game
// looks for its storeys.
#pragma once

#include <string>

#include "tests/support/temp_dir.h"

// Storey k of the stand-in campaign: k cells wide and one high (the width
// tells which storey is loaded), start and lift at (0, 0), no cards.
std::string StandInStorey(int k);

// Writes data/1.lvl .. data/10.lvl into the folder.
void WriteStandInCampaign(const TempDir& dir);

// The sounds, pictures and fonts of the screens, loaded from the shipped data
// folder into whatever engine is in place, and released again.
struct ScreenResources {
    ScreenResources();
    ~ScreenResources();
};
