// The level editor's view: the storey without darkness, tool previews,
// palettes and the help text.
#pragma once

void RenderEditor(float mx, float my);
