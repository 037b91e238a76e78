#include "world/level_file.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/paths.h"
#include "frame/program.h"
#include "world/number_code.h"
#include "world/player_state.h"
#include "world/storey.h"

const int LevelLines = 7;

void (*StoreyLoadedHook)() = nullptr;
std::string LoadedLevelName;
int LevelLoads = 0;

static std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (lines.size() < LevelLines && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    lines.resize(LevelLines);  // missing lines count as empty
    return lines;
}

// Number k of a line of pairs.
static int Pair(const std::string& line, size_t k)
{
    return DecodeNumber(line[2 * k], line[2 * k + 1]);
}

static void ReadFloors(const std::string& line)
{
    size_t pairs = std::min(line.size() / 2, FloorMap.size());
    for (size_t s = 0; s < pairs; s++)
        FloorMap[s] = Pair(line, s);
}

static void ReadObjects(const std::string& line, const std::string& path)
{
    bool reported = false;
    for (size_t k = 0; 8 * k + 8 <= line.size(); k++) {
        int t = Pair(line, 4 * k), x = Pair(line, 4 * k + 1), y = Pair(line, 4 * k + 2), r = Pair(line, 4 * k + 3);
        if (t < 0 || t >= (int)ObjectTypes.size()) {
            if (!reported)
                hge->System_Log("%s: object type %d is not in the catalogue; such objects are left out", path.c_str(), t);
            reported = true;
            continue;
        }
        if (!CellInside(x, y))
            continue;
        // Nothing is marked while a storey loads, so there is nothing to
        // remove first; skipping the scan keeps large storeys quick to load.
        AddObject(MakeObject(t, r), x, y, false);
    }
}

static void ReadCards(const std::string& line)
{
    for (int k = 0; k < CARD_COUNT; k++) {
        CardCell[k] = line.size() < 16 ? cell_struct{-1, -1} : cell_struct{Pair(line, 2 * k), Pair(line, 2 * k + 1)};
        CardHeld[k] = CardCell[k].x < 0;
    }
}

static void ReadEnemyStarts(const std::string& line)
{
    EnemyStarts.clear();
    for (size_t k = 0; 16 * k + 16 <= line.size(); k++) {
        enemy_start_struct s;
        size_t p = 8 * k;
        s.alarm = Pair(line, p);
        s.lives = Pair(line, p + 1);
        s.hands_set = Pair(line, p + 2);
        s.head_set = Pair(line, p + 3);
        s.weapon = Pair(line, p + 4);
        s.cell_x = Pair(line, p + 5);
        s.cell_y = Pair(line, p + 6);
        s.legs_set = Pair(line, p + 7);
        if (!CellInside(s.cell_x, s.cell_y))
            continue;
        EnemyStarts.push_back(s);
    }
}

bool ReadLevelFile(const std::string& path)
{
    uint32_t length = 0;
    char* data = (char*)LoadWholeFile(path, &length);
    if (!data) {
        hge->System_Log("Can't open the level file %s", path.c_str());
        return false;
    }
    std::string text(data, length);
    free(data);
    return ReadLevelText(text, path);
}

bool ReadLevelText(const std::string& text, const std::string& path)
{
    std::vector<std::string> lines = SplitLines(text);
    const std::string& size = lines[0];
    int w = size.size() >= 4 ? Pair(size, 0) : 0, h = size.size() >= 4 ? Pair(size, 1) : 0;
    if (w < 1 || h < 1) {
        hge->System_Log("The level file %s has no usable size; the storey stays as it was", path.c_str());
        return false;
    }
    ResetStoreyGrid(w, h);
    ReadFloors(lines[1]);
    ReadObjects(lines[2], path);
    if (lines[3].size() > 3) {
        PlayerStartX = Pair(lines[3], 0);
        PlayerStartY = Pair(lines[3], 1);
    }
    if (lines[4].size() > 3) {
        LiftX = Pair(lines[4], 0);
        LiftY = Pair(lines[4], 1);
    }
    ReadCards(lines[5]);
    ReadEnemyStarts(lines[6]);
    ResetStoreyValues();
    if (StoreyLoadedHook)
        StoreyLoadedHook();
    return true;
}

bool LoadLevel(const std::string& name)
{
    if (!ReadLevelFile(ResolvePath("data/" + name)))
        return false;
    LoadedLevelName = name;
    LevelLoads++;
    return true;
}

static std::string Codes(std::initializer_list<int> numbers)
{
    std::string s;
    for (int n : numbers)
        s += EncodeNumber(n);
    return s;
}

// Windows text: every line ends with CR LF.
static std::string JoinLines(const std::string (&lines)[LevelLines])
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string LevelFileText()
{
    std::string lines[LevelLines];
    lines[0] = Codes({LevelWidth, LevelHeight});
    for (int f : FloorMap)
        lines[1] += EncodeNumber(f);
    for (const object_struct& o : Objects)
        lines[2] += Codes({o.type, o.cell_x, o.cell_y, o.rotation});
    lines[3] = Codes({PlayerStartX, PlayerStartY});
    lines[4] = Codes({LiftX, LiftY});
    for (const cell_struct& c : CardCell)
        lines[5] += Codes({c.x, c.y});
    for (const enemy_start_struct& s : EnemyStarts)
        lines[6] += Codes({s.alarm, s.lives, s.hands_set, s.head_set, s.weapon, s.cell_x, s.cell_y, s.legs_set});
    return JoinLines(lines);
}

bool WriteLevelFile(const std::string& path)
{
    if (!WriteWholeFile(path, LevelFileText())) {
        hge->System_Log("Can't write the level file %s", path.c_str());
        return false;
    }
    return true;
}

bool SaveLevel(const std::string& name)
{
    return WriteLevelFile(ResolveWritePath("Data/" + name));
}

bool NewStorey(int width, int height)
{
    if (width < 1 || height < 1 || width > NumberCodeMax || height > NumberCodeMax)
        return false;
    const std::string lines[LevelLines] = {Codes({width, height}), "", "", Codes({2, 2}), Codes({5, 2}), "", ""};
    return ReadLevelText(JoinLines(lines), "a new storey");
}

bool IsStoreyFileName(const std::string& name)
{
    if (name.size() <= 4)
        return false;
    std::string end = name.substr(name.size() - 4);
    for (char& c : end)
        c = (char)std::tolower((unsigned char)c);
    return end == ".lvl";
}

std::vector<std::string> StoreyFileNames()
{
    std::vector<std::string> names;
    for (const std::string& name : FilesInFolder("data"))
        if (IsStoreyFileName(name))
            names.push_back(name);
    return names;
}

bool StoreyFileExists(const std::string& name)
{
    return (bool)std::ifstream(ResolvePath("data/" + name));
}
