#include "engine/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The entry of folder dir whose name equals part without regard to case, or
// part itself when there is none (an exact match always wins).
static std::string MatchEntry(const std::string& dir, const std::string& part)
{
    std::string exact = dir.empty() ? part : dir + "/" + part;
    if (Exists(exact))
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

std::string ResolvePath(const std::string& name)
{
    std::vector<std::string> parts = SplitPath(name);
    std::string path;
    bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\');
    bool missing = false;
    for (size_t i = 0; i < parts.size(); i++) {
        const std::string& part = parts[i];
        if (part.empty() || part == ".") {
            if (i == 0 && absolute)
                path = "/";
            continue;
        }
        std::string dir = path;
        std::string entry = (missing || part == "..") ? part : MatchEntry(dir, part);
        path = dir.empty() ? entry : (dir == "/" ? "/" + entry : dir + "/" + entry);
        if (!missing && !Exists(path))
            missing = true;
    }
    return path.empty() ? name : path;
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
    std::string path = ResolvePath(name);
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
