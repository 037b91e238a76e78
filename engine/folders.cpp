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

static bool SameFolder(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    return stat(a.empty() ? "." : a.c_str(), &sa) == 0 && stat(b.empty() ? "." : b.c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

static game_folders_struct Installed(const folder_search_struct& search, const std::string& shared)
{
    game_folders_struct found;
    found.data = shared;
    // Without a home folder there is nowhere of the player's own.
    std::string user = PlayerDataFolder(search);
    found.user = user.empty() ? search.workingFolder : user;
    found.installed = true;
    return found;
}

// A copy of the game in folder, which keeps its own files unless the folder
// is an installed one, however it was reached (started from inside the
// installation, or through a link).
static game_folders_struct CopyIn(const folder_search_struct& search, const std::string& folder)
{
    for (const std::string& shared : search.sharedFolders)
        if (SameFolder(folder, shared))
            return Installed(search, shared);
    game_folders_struct found;
    found.data = found.user = folder;
    return found;
}

game_folders_struct FindGameFolders(const folder_search_struct& search)
{
    if (HoldsGameData(search.workingFolder))
        return CopyIn(search, search.workingFolder);
    if (!search.programFolder.empty() && HoldsGameData(search.programFolder))
        return CopyIn(search, search.programFolder);
    for (const std::string& shared : search.sharedFolders)
        if (HoldsGameData(shared))
            return Installed(search, shared);
    game_folders_struct found;
    found.data = found.user = search.workingFolder;
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
