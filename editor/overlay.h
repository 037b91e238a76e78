// The level editor's view: the storey without darkness with the previews of
// the current tool, or a palette page, and over both the help and status text.
#pragma once

#include <string>

// The help and status text of the last drawing (Windows-1251).
extern std::string EditorText;

// (mx, my) is the mouse in target pixels, already halved when zoomed.
void RenderEditor(float mx, float my);
