// Doors that open for whoever stands in their zone (coloured ones for the
// player only with their card), and the key cards lying on the floor.
#pragma once

#include <string>

// Called once per frame for each occupant of door d's zone.
void HoldDoor(int d);
// Holds the door whose zone covers cell (x, y), if any.
void HoldDoorAt(int x, int y);
// Advances every door's animation; a door nobody held since the last update
// starts to close.
void UpdateDoors(float dt);
// Whether the player may open doors of this type.
bool PlayerCanOpen(const std::string& doorType);
// The player holds the door of the zone he stands in, if he may open it.
void PlayerHoldsDoor();
// Cards within one cell of the player are taken.
void PickUpCards();
