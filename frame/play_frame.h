// The play stage's frame: the mouse's world point, the developer zoom, and
// the action frame that runs the storey's passes in their fixed order.
#pragma once

// Start of every play frame, editing and playing alike: aim point, zoom key,
// then the editor or the action frame.
void PlayPrologue(float dt, float mx, float my);

// One frame of play (WORLD_PLAY).
void ActionFrame(float dt);
