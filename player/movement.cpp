#include "player/movement.h"

#include "engine/cp1251.h"
#include "frame/program.h"
#include "world/storey.h"

float PlayerX = 0, PlayerY = 0;
float PlayerAngle = 0;
int PlayerCellX = 0, PlayerCellY = 0;
int PoseCode = 10;
float CameraX = 400, CameraY = 295;
float CameraTargetX = 400, CameraTargetY = 295;
float AimX = 0, AimY = 0;
int AimCellX = 0, AimCellY = 0;
cell_rect_struct VisibleCells = {0, 0, 0, 0};

void WarnIfManRadiusTooLarge()
{
    if (man_radius >= CellWidth || man_radius >= CellHeight)
        hge->System_MessageBox("Внимание! man_radius больше стороны ячейки"_cp, "Error", MB_OK | MB_ICONERROR);
}
