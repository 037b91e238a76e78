#include "frame/hooks.h"

#include "editor/test_run.h"
#include "foes/combat.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "screens/hurt_flash.h"
#include "world/campaign.h"
#include "world/level_file.h"
#include "world/storey.h"

// Nothing of the previous storey survives a load: its enemies, bodies,
// grenades and effects go, the enemies of the new one stand at their starts
// and the player stands at his.
static void StartLoadedStorey()
{
    Effects.clear();
    Grenades.clear();
    Enemies.clear();
    Corpses.clear();
    ForgetUnusableWeaponReport();
    for (const enemy_start_struct& s : EnemyStarts)
        CreateEnemy(s.cell_x, s.cell_y, s.lives, s.alarm, s.weapon, s.legs_set, s.hands_set, s.head_set);
    PlayerX = (float)(PlayerStartX * CellWidth);
    PlayerY = (float)(PlayerStartY * CellHeight);
    // Until the first frame finds it, the player's cell is his start cell,
    // not where he stood in the previous storey (the lift tests it).
    PlayerCellX = CellTowardZero(PlayerX, CellWidth);
    PlayerCellY = CellTowardZero(PlayerY, CellHeight);
    GivePlayerFreshAnimations();
    ForgetHurt();
    PrefetchStoreyPictures();
}

// A campaign step may also restore the health of a checkpoint.
static void AfterCampaignStep()
{
    GivePlayerFreshAnimations();
    ForgetHurt();
}

void InstallGameHooks()
{
    StoreyLoadedHook = StartLoadedStorey;
    CampaignStepHook = AfterCampaignStep;
    CampaignStepOverride = TestRunTakesCampaignStep;
}
