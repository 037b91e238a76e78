// What the player sees: the light map, refilled every play frame from rays
// cast from his cell to the edges of the visible rectangle, and fading where
// he no longer looks.
#pragma once

// Fades every cell by 3, finds VisibleCells and PlayerCellX/Y, lights the
// player's cell and casts the rays.
void UpdateLightMap();
// Lights the cells along a ray between two cells: sight passes empty floor
// and furniture, sees up to three cells into a wall and stops at a closed door.
void CastSightRay(int x0, int y0, int x1, int y1);
