#include "world/storey_swap.h"

#include <utility>

void SwapStorey(storey_struct& s)
{
    std::swap(LevelWidth, s.width);
    std::swap(LevelHeight, s.height);
    FloorMap.swap(s.floors);
    ObjectMap.swap(s.objectMap);
    LightMap.swap(s.light);
    DoorZoneMap.swap(s.doorZones);
    ReachMap.swap(s.reach);
    LitCells.swap(s.litCells);
    Objects.swap(s.objects);
    DoorList.swap(s.doors);
    EnemyStarts.swap(s.enemyStarts);
    std::swap(PlayerStartX, s.startX);
    std::swap(PlayerStartY, s.startY);
    std::swap(LiftX, s.liftX);
    std::swap(LiftY, s.liftY);
    std::swap(CardCell, s.cards);
    std::swap(CardHeld, s.held);
}
