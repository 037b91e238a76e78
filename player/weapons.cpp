#include "player/weapons.h"

uint8_t WeaponChanged = 0;
uint8_t ShotNoise = 0;
