// Storeys by name in the editor: F5 saves the storey under its own name,
// Ctrl+S under a name typed in, Ctrl+O opens any storey file of the game's
// or the player's data folder, Ctrl+N makes a new storey of a chosen size,
// and F8 loads the scratch storey. Every save and load says what it did.
#pragma once

#include <string>
#include <vector>

enum { DIALOG_NONE, DIALOG_SAVE_AS, DIALOG_OPEN, DIALOG_NEW };

const int NewStoreySmallest = 8;
const int NewStoreyLargest = 4899;

extern int FileDialog;
extern std::string DialogName;                // typed for Ctrl+S
extern std::vector<std::string> DialogFiles;  // offered by Ctrl+O
extern int DialogChoice;                      // the file picked in the list
extern std::string DialogSize[2];             // width and height typed for Ctrl+N
extern int DialogField;                       // 0 width, 1 height

// The storey keys of an editor frame (F5, F8, Ctrl+S, Ctrl+O, Ctrl+N).
void StoreyFileKeys();
// A frame of the open dialog: it takes every key; Escape closes it.
void FileDialogFrame(float mx, float my);
void DrawFileDialog();

// Each says on screen how it went; true on success.
bool SaveStoreyAs(const std::string& name);
bool OpenStorey(const std::string& name);
bool MakeStorey(int width, int height);
