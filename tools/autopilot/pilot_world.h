// What the autopilot makes of the storey in play, as a player reads it off
// the screen: the enemies in sight, whether a bullet would reach them, the
// furniture within a blow, and the way on foot to where he is going.
#pragma once

#include <vector>

#include "world/storey.h"

struct seen_enemy_struct {
    int index;        // in Enemies
    const void* id;   // the same enemy from frame to frame: its head, which it keeps until it dies
    float x, y;
    float distance;   // pixels from the player
    bool armed;
    bool alerted;     // it comes at him, weapon raised (not fleeing, not calm)
    bool clearShot;   // no wall, closed door or tall fixture in between
    float aimX, aimY; // a point of its body a bullet reaches, if there is one
};

// Picture coordinates of a world point with the camera as it stands.
float ScreenXOf(float worldX);
float ScreenYOf(float worldY);
// Living enemies in lit cells on the screen, nearest first.
std::vector<seen_enemy_struct> SeenEnemies();
// Whether a bullet from (x0, y0) would fly to (x1, y1) past walls, closed
// doors and fixtures taller than a bullet at chest height (furniture in the
// way breaks, and the bullet flies on).
bool ClearShot(float x0, float y0, float x1, float y1);

// A breakable object with a bonus in one of the eight cells around cell
// (x, y), or -1; its cell in *cell. Objects in the skipped cells do not count.
int BreakableNextTo(int x, int y, const std::vector<int>& skipped, cell_struct* cell);
// The way to the nearest corner whose cell below and right has breakable
// furniture next to it, no longer than reach corners; empty when there is none.
std::vector<cell_struct> WayToFurniture(const std::vector<int>& skipped, size_t reach);

// The free corner nearest the point, or (-1, -1).
cell_struct NearestFreeCorner(float x, float y);
// The way over free corners from the player to a corner of the card's cell
// (standing there he takes it), or into the lift area; empty when there is
// none.
std::vector<cell_struct> WayToCard(int card);
std::vector<cell_struct> WayToLift();
// Whether the enemy could shoot him where he stands: its eyes reach his cell.
bool SeesPlayer(const seen_enemy_struct& e);
// The way, no longer than reach corners, to a corner from which a bullet
// reaches the enemy (orHidden: or where the enemy cannot see him); empty
// when there is none.
std::vector<cell_struct> WayToFiringPosition(const seen_enemy_struct& e, size_t reach, bool orHidden);
