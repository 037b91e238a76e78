#include "foes/grenades.h"

std::vector<grenade_struct> Grenades;

// Grenades are being built; until then a throw makes none.
void ThrowGrenade(float, float, float, float) {}
void UpdateGrenades(float) {}
