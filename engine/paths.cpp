#include "engine/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

bool IsRegularFileWithin(const std::string& path, size_t limit)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 && (uint64_t)st.st_size <= limit;
}

// Without O_NONBLOCK opening a named pipe waits for a writer.
static int OpenForReading(const std::string& path)
{
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool CanOpenForReading(const std::string& path)
{
    int fd = OpenForReading(path);
    if (fd >= 0)
        close(fd);
    return fd >= 0;
}

// Reads what an open file holds when it is a regular file of at most limit
// bytes. A file that shrinks meanwhile gives what is left of it.
static char* ReadRegularFile(int fd, size_t limit, uint32_t* size)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 || (uint64_t)st.st_size > limit)
        return nullptr;
    size_t length = (size_t)st.st_size;
    char* buf = (char*)malloc(length + 1);
    if (!buf)
        return nullptr;
    size_t got = 0;
    while (got < length) {
        ssize_t n = read(fd, buf + got, length - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            free(buf);
            return nullptr;
        }
        if (n == 0)
            break;
        got += (size_t)n;
    }
    buf[got] = 0;
    if (size)
        *size = (uint32_t)got;
    return buf;
}

void* LoadWholeFile(const std::string& name, size_t limit, uint32_t* size)
{
    int fd = OpenForReading(ResolvePath(name));
    if (fd < 0)
        return nullptr;
    char* buf = ReadRegularFile(fd, limit, size);
    close(fd);
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

// A new file of that name, never an existing one: whatever stands there (a
// file left by a killed program, a link planted in its place, a named pipe)
// is removed first, and the creation neither follows a link nor opens a
// file that appeared meanwhile.
static FILE* CreateTemporaryFile(const std::string& temp)
{
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = open(temp.c_str(), flags, 0666);
    if (fd < 0 && errno == EEXIST && unlink(temp.c_str()) == 0)
        fd = open(temp.c_str(), flags, 0666);
    if (fd < 0)
        return nullptr;
    FILE* f = fdopen(fd, "wb");
    if (!f)
        close(fd);
    return f;
}

bool WriteWholeFile(const std::string& name, const std::string& data)
{
    std::string path = ResolveWritePath(name);
    if (InsideReadOnlyFolder(path))
        return false;
    std::string temp = path + ".tmp";
    FILE* f = CreateTemporaryFile(temp);
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
