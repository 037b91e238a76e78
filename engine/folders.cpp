#include "engine/folders.h"

#include <sys/stat.h>

#include <cstdio>

#include "engine/paths.h"

static bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

static bool HoldsGameData(const std::string& folder)
{
    return Exists(ResolvePathIn(folder, "data/tex.png"));
}

// Where a player's own files go when the game is installed for everyone.
// A relative $XDG_DATA_HOME is to be ignored, as the XDG rules say.
static std::string PlayerDataFolder(const folder_search_struct& search)
{
    if (!search.xdgDataHome.empty() && search.xdgDataHome[0] == '/')
        return search.xdgDataHome + "/quarvel";
    if (!search.home.empty())
        return search.home + "/.local/share/quarvel";
    return "";
}

game_folders_struct FindGameFolders(const folder_search_struct& search)
{
    game_folders_struct found;
    found.data = found.user = search.workingFolder;
    if (HoldsGameData(search.workingFolder))
        return found;
    if (!search.programFolder.empty() && HoldsGameData(search.programFolder)) {
        found.data = found.user = search.programFolder;
        return found;
    }
    for (const std::string& shared : search.sharedFolders) {
        if (HoldsGameData(shared)) {
            found.data = shared;
            // Without a home folder there is nowhere of the player's own.
            std::string user = PlayerDataFolder(search);
            found.user = user.empty() ? search.workingFolder : user;
            found.installed = true;
            return found;
        }
    }
    return found;
}

bool UseGameFolders(const game_folders_struct& folders)
{
    if (!folders.installed) {
        SetFileFolders({folders.data}, folders.user);
        return true;
    }
    SetFileFolders({folders.user, folders.data}, folders.user);
    // The save is "Data/save" and the editor's storey "Data/temp.lvl": with
    // the folder made here both land in data/, whatever case they ask for.
    return MakeFolders(folders.user.empty() ? "data" : folders.user + "/data");
}

std::string UnusedScreenshotName(const std::string& folder, const std::tm& when)
{
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "quarvel-%Y-%m-%d-%H-%M-%S", &when);
    std::string base = folder.empty() ? stamp : folder + "/" + stamp;
    std::string name = base + ".png";
    for (int n = 2; Exists(name); n++)
        name = base + "-" + std::to_string(n) + ".png";
    return name;
}
