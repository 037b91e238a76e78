#include "engine/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/browser.h"

static bool SameNameIgnoringCase(const std::string& a, const char* b)
{
    size_t n = a.size();
    for (size_t i = 0; i < n; i++) {
        if (b[i] == 0 || std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
            return false;
    }
    return b[n] == 0;
}

static bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

static std::string Join(const std::string& dir, const std::string& entry)
{
    if (dir.empty())
        return entry;
    return dir.back() == '/' ? dir + entry : dir + "/" + entry;
}

// The entry of folder dir whose name equals part without regard to case, or
// part itself when there is none (an exact match always wins).
static std::string MatchEntry(const std::string& dir, const std::string& part)
{
    if (Exists(Join(dir, part)))
        return part;
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return part;
    std::string found = part;
    while (dirent* e = readdir(d)) {
        if (SameNameIgnoringCase(part, e->d_name)) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

static std::vector<std::string> SplitPath(const std::string& name)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : name) {
        if (c == '/' || c == '\\') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

static bool IsAbsolute(const std::string& name)
{
    return !name.empty() && (name[0] == '/' || name[0] == '\\');
}

std::string ResolvePathIn(const std::string& folder, const std::string& name)
{
    bool absolute = IsAbsolute(name);
    // The folder is taken as it is written; only the name is matched.
    std::string path = absolute ? "/" : folder;
    bool missing = !path.empty() && !Exists(path);
    bool any = false;
    for (const std::string& part : SplitPath(name)) {
        if (part.empty() || part == ".")
            continue;
        std::string entry = (missing || part == "..") ? part : MatchEntry(path, part);
        path = Join(path, entry);
        any = true;
        if (!missing && !Exists(path))
            missing = true;
    }
    return any || absolute ? path : name;
}

static std::vector<std::string> ReadFolders = {""};
static std::string WriteFolder;

void SetFileFolders(const std::vector<std::string>& readFolders, const std::string& writeFolder)
{
    ReadFolders = readFolders;
    WriteFolder = writeFolder;
}

std::string ResolveWritePath(const std::string& name)
{
    return ResolvePathIn(WriteFolder, name);
}

std::string ResolvePath(const std::string& name)
{
    if (IsAbsolute(name))
        return ResolvePathIn("", name);
    for (const std::string& folder : ReadFolders) {
        std::string path = ResolvePathIn(folder, name);
        if (Exists(path))
            return path;
    }
    return ResolveWritePath(name);
}

bool MakeFolders(const std::string& path)
{
    std::string sofar;
    for (const std::string& part : SplitPath(path)) {
        sofar = sofar.empty() && IsAbsolute(path) ? "/" + part : Join(sofar, part);
        if (!part.empty() && !Exists(sofar))
            mkdir(sofar.c_str(), 0755);
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Whether a path lies inside a folder the game only reads (an installed
// copy's data).
static bool InsideReadOnlyFolder(const std::string& path)
{
    for (const std::string& folder : ReadFolders) {
        if (folder.empty() || folder == WriteFolder)
            continue;
        std::string prefix = folder.back() == '/' ? folder : folder + "/";
        if (path.compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

void* LoadWholeFile(const std::string& name, uint32_t* size)
{
    std::ifstream in(ResolvePath(name), std::ios::binary);
    if (!in)
        return nullptr;
    std::stringstream ss;
    ss << in.rdbuf();
    std::string data = ss.str();
    char* buf = (char*)malloc(data.size() + 1);
    memcpy(buf, data.data(), data.size());
    buf[data.size()] = 0;
    if (size)
        *size = (uint32_t)data.size();
    return buf;
}

long WriteStopsAfterBytes = -1;

static bool WriteAll(FILE* f, const std::string& data)
{
    size_t n = data.size();
    bool stops = WriteStopsAfterBytes >= 0 && (size_t)WriteStopsAfterBytes < n;
    if (stops)
        n = (size_t)WriteStopsAfterBytes;
    if (fwrite(data.data(), 1, n, f) != n || fflush(f) != 0)
        return false;
    return !stops;
}

bool WriteWholeFile(const std::string& name, const std::string& data)
{
    std::string path = ResolveWritePath(name);
    if (InsideReadOnlyFolder(path))
        return false;
    std::string temp = path + ".tmp";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool written = WriteAll(f, data);
    if (!written && WriteStopsAfterBytes >= 0) {
        fclose(f);
        return false;  // a killed program cleans nothing up
    }
    written = written && fsync(fileno(f)) == 0;
    written = fclose(f) == 0 && written;
    if (!written || rename(temp.c_str(), path.c_str()) != 0) {
        remove(temp.c_str());
        return false;
    }
#ifdef __EMSCRIPTEN__
    KeepFileAcrossVisits(path);
#endif
    return true;
}

static void AddFilesOf(const std::string& dir, std::vector<std::string>* names)
{
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return;
    while (dirent* e = readdir(d)) {
        struct stat st;
        if (stat(Join(dir, e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names->push_back(e->d_name);
    }
    closedir(d);
}

std::vector<std::string> FilesInFolder(const std::string& name)
{
    std::vector<std::string> names;
    AddFilesOf(ResolveWritePath(name), &names);
    for (const std::string& folder : ReadFolders)
        AddFilesOf(ResolvePathIn(folder, name), &names);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
