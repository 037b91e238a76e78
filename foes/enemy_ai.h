// The enemies' pass of a play frame: their life cycle, what they notice,
// their decisions and how they turn and walk.
#pragma once

// Once per play frame, after the player, the light map and the doors held
// by the player: corpses and enemies hold the doors they stand at, the
// fallen die and alarm their comrades, the living hear and see the player's
// shot and take a step of their state; dying enemies become bodies once
// their animations have ended.
void UpdateEnemies(float dt);

// Enemy i chooses what to do next from its alarm, its contact with the
// player and what it sees: stand, turn, walk, strike or aim.
void EnemyDecide(int i);
