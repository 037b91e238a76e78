#include "world/storey.h"

int LevelWidth = 40, LevelHeight = 60;
int CellWidth = 40, CellHeight = 40;
