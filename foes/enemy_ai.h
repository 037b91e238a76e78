// The enemies' pass of a play frame: the life cycle of every enemy, and
// (later) its perception, decisions and movement.
#pragma once

// Corpses and enemies hold the doors they stand at; dying enemies become
// bodies once their animations have ended.
void UpdateEnemies(float dt);
