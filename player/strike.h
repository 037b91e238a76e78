// The player's melee blow: it hurts the nearest enemy within reach and breaks
// the furniture he faces.
#pragma once

// The end of a blow, once its animation has played: the enemy, the sound,
// then the object.
void ResolveStrike();
// Index in Enemies of the living enemy nearest to the player and closer than
// the weapon's reach, or -1.
int NearestEnemyInReach();
// Which way the player faces, in eighths of a turn: 0 and 8 west, 2 north,
// 4 east, 6 south.
int FacingSector(float angle);
// The breakable object beside the player on the side he faces, or -1; found,
// it turns the player squarely toward its cell.
int FindStruckObject();
