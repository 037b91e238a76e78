// The hooks through which the storey model and the campaign cause what they
// must on the floors above them (enemies, the player's body).
#pragma once

// Points every hook at its handler; called at start-up (and by tests that
// load storeys without starting the program).
void InstallGameHooks();
