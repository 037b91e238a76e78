// Plain shapes drawn over a picture: filled boxes and outlines, in the
// pixels of the scene being drawn.
#pragma once

#include <cstdint>

void FillBox(float x, float y, float w, float h, uint32_t colour);
void OutlineBox(float x, float y, float w, float h, uint32_t colour);
