// Hand grenades: thrown on an arc toward the aim point, bouncing off floors,
// furniture, walls and closed doors, exploding into shrapnel after their
// fuse.
#pragma once

#include <cstdint>
#include <vector>

struct grenade_struct {
    float x, y;           // world pixels
    float direction;      // direction of travel over the floor
    float speed;          // pixels per second over the floor
    float climb;          // height gained per pixel travelled
    float climb_change;   // change of climb per pixel travelled (gravity)
    float height;         // above the floor, in the bullets' height unit
    float vx, vy;         // speed along x and y
    float fuse;           // seconds left until the explosion
    float rotation;       // drawing angle
    float spin;           // change of rotation per second
    int32_t cell;         // CellIndex of its cell
};

extern std::vector<grenade_struct> Grenades;  // in throw order; emptied by every level load

// A grenade thrown from (x, y) toward the point (tx, ty).
void ThrowGrenade(float x, float y, float tx, float ty);
// Flight, bounces and explosions of one frame.
void UpdateGrenades(float dt);
