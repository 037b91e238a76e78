// Where the game's data are found and where its own files go: the working
// folder, the folder of the program, or an installed copy whose save,
// settings and screenshots live in the player's own data folder.
#pragma once

#include <ctime>
#include <string>
#include <vector>

struct folder_search_struct {
    std::string workingFolder;               // "" for the working folder itself
    std::string programFolder;               // the executable's folder; "" when unknown
    std::vector<std::string> sharedFolders;  // installed copies, in the order to try
    std::string xdgDataHome;                 // $XDG_DATA_HOME, possibly empty
    std::string home;                        // $HOME, possibly empty
};

struct game_folders_struct {
    std::string data;  // holds data/ and sound/
    std::string user;  // the save, the settings and the screenshots
    bool installed = false;
};

// The first of the working folder, the program's folder and the shared
// folders that holds the game's data ("data/tex.png"). A game found in the
// working folder or beside the program keeps its files where its data are,
// as it always has; an installed one (a shared folder, however it was
// found) writes only into the player's data folder ($XDG_DATA_HOME/quarvel,
// else ~/.local/share/quarvel). With no data
// anywhere the working folder is used, and the start-up reports what is
// missing.
game_folders_struct FindGameFolders(const folder_search_struct& search);

// Points file names at the folders: the player's folder is read before the
// installed data (the save and the editor's storey live there) and is the
// only one written to; it is created with its data folder when needed.
// False when the player's folder cannot be made.
bool UseGameFolders(const game_folders_struct& folders);

// A screenshot's file name in folder for a moment of local time, that no
// file there has: "quarvel-2024-05-01-18-30-05.png", then with "-2", "-3"
// and so on before the extension.
std::string UnusedScreenshotName(const std::string& folder, const std::tm& when);
