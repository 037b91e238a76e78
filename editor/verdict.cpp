#include "editor/verdict.h"

#include <cmath>

#include "assets/translation.h"
#include "editor/storey_check.h"
#include "editor/texts.h"
#include "editor/undo.h"
#include "frame/modes.h"
#include "player/movement.h"

static bool Checked = false;
static int CheckedVersion = 0;
static bool CanFinish = false;
static std::vector<storey_fault_struct> Faults;

// The camera moves only when the place is out of sight.
static void BringIntoView(cell_struct at)
{
    float x = (at.x + 0.5f) * CellWidth, y = (at.y + 0.5f) * CellHeight;
    bool seen = fabsf(x - CameraX) < ViewCentre.x - CellWidth && fabsf(y - CameraY) < ViewCentre.y - CellHeight;
    if (at.x < 0 || seen)
        return;
    CameraX = x;
    CameraY = y;
}

void CheckEditedStorey()
{
    storey_walk_struct walk = WalkStorey();
    CanFinish = CheckFinish(walk).empty();
    Faults = CheckStoreyPlay(walk);
    Checked = true;
    CheckedVersion = HistoryVersion();
    BringIntoView(VerdictPlace());
}

bool VerdictShown()
{
    return Checked && CheckedVersion == HistoryVersion();
}

std::vector<std::string> VerdictLines()
{
    std::vector<std::string> lines = {Tr(CanFinish ? TextCanFinish : TextCannotFinish)};
    if (!Faults.empty())
        lines.push_back(FaultText(Faults[0]));
    if (Faults.size() > 1)
        lines.push_back(Tr(TextMoreFaults) + std::to_string(Faults.size()));
    return lines;
}

cell_struct VerdictPlace()
{
    if (Faults.empty() || !CellInside(Faults[0].at.x, Faults[0].at.y))
        return {-1, -1};
    return Faults[0].at;
}
