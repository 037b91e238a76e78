#include "tests/support/runner.h"

#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tests/support/temp_dir.h"

static std::string Quote(const std::string& s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void LinkGameData(const std::string& dir, bool withStoreys)
{
    namespace fs = std::filesystem;
    fs::create_directories(dir + "/data");
    for (const fs::directory_entry& f : fs::directory_iterator(QUARVEL_SOURCE_DIR "/data")) {
        std::string name = f.path().filename().string();
        bool storey = f.path().extension() == ".lvl";
        if (name != "save" && (withStoreys || !storey))
            fs::create_symlink(f.path(), dir + "/data/" + name);
    }
    fs::create_directory_symlink(QUARVEL_SOURCE_DIR "/sound", dir + "/sound");
}

RunnerResult RunCommand(const std::string& program, const std::vector<std::string>& args)
{
    RunnerResult r;
    std::string cmd = Quote(program);
    for (const std::string& a : args)
        cmd += " " + Quote(a);
    cmd += " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

RunnerResult RunSim(const std::string& workdir, const std::vector<std::string>& args)
{
    std::string dumpFile = workdir + "/.runner-dump.json";
    std::remove(dumpFile.c_str());
    std::vector<std::string> all = {"--workdir", workdir, "--dump", dumpFile};
    all.insert(all.end(), args.begin(), args.end());
    RunnerResult r = RunCommand(QUARVEL_SIM, all);
    r.dump = ReadWholeFile(dumpFile);
    return r;
}

#ifdef QUARVEL_LEVELC
RunnerResult CompileStorey(const TempDir& dir, const std::string& map, const std::string& storey)
{
    dir.Write("storey.map", map);
    return RunCommand("/bin/sh",
                      {"-c", "cd " + Quote(dir.path) + " && " + Quote(QUARVEL_LEVELC) + " storey.map " + Quote(storey)});
}
#endif

int Occurrences(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

Picture ReadPng(const std::string& file)
{
    Picture pic;
    SDL_Surface* s = IMG_Load(file.c_str());
    if (!s)
        return pic;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (!argb)
        return pic;
    pic.width = argb->w;
    pic.height = argb->h;
    pic.pixels.resize((size_t)pic.width * pic.height);
    for (int y = 0; y < pic.height; y++)
        memcpy(&pic.pixels[(size_t)y * pic.width], (uint8_t*)argb->pixels + y * argb->pitch, (size_t)pic.width * 4);
    SDL_FreeSurface(argb);
    return pic;
}

bool WritePng(const std::string& file, int width, int height, uint32_t color)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s)
        return false;
    SDL_FillRect(s, nullptr, color);
    bool ok = IMG_SavePNG(s, file.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}
