// Doors that open for whoever stands in their zone (coloured ones for the
// player only with their card), the key cards lying on the floor, and the
// lift that ends the storey.
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
// Called every live frame: pushing (walking without moving) against a door
// he may not open plays the error sound once per push.
void NoticeDoorPush(bool pushing, float direction);
// Cards within one cell of the player are taken.
void PickUpCards();

// Whether cell (x, y) lies in the 4 x 4 cells from which the lift is used:
// one up and left of the lift's cell, two down and right.
bool InLiftArea(int x, int y);
// Space with ready hands: in the lift area with the lift card the storey
// ends (a little more health on the way up); without the card an error
// sound. Anywhere it shows the bonus points.
void UseLift();
