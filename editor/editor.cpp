#include "editor/editor.h"

// The editor arrives in developer mode's own issue.

void EditorFrame(float) {}
void BuildPalettePages() {}
