// The soak: seeded random input a player could give (moving, aiming,
// firing, striking, reloading, weapon keys, grenades, Space, Escape into the
// menu and back, clicks anywhere on every screen), and the checks made after
// every frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input_script.h"

// The input of a soak of that many frames.
std::vector<InputEvent> MakeSoakInput(int frames, uint32_t seed);

// Whether every position and angle in the game is a finite number; otherwise
// what is not, in *what.
bool GameStateIsFinite(std::string* what);
