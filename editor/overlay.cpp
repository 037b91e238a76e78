#include "editor/overlay.h"

void RenderEditor(float, float) {}
