// The level editor's view: the storey without darkness with the previews of
// the current tool, or a palette page, and over both the help and status text.
#pragma once

#include <string>

// The help and status text of the last drawing (Windows-1251).
extern std::string EditorText;

// (mx, my) is the mouse in target pixels, already halved when zoomed.
void RenderEditor(float mx, float my);
// What the editor draws on the picture after the view: its news and
// verdict at the foot, and an open file dialog, the same size zoomed or not.
void RenderEditorOnScreen();
