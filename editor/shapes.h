// Plain shapes the editor draws over the storey: filled boxes and outlines,
// in target pixels.
#pragma once

#include <cstdint>

void FillBox(float x, float y, float w, float h, uint32_t colour);
void OutlineBox(float x, float y, float w, float h, uint32_t colour);
