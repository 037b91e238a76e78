// The level editor's frame: tools, palettes, brushes, scratch save and load.
#pragma once

void EditorFrame(float dt);
// Lays the floor and object palettes out into pages (at start-up and on zoom).
void BuildPalettePages();
