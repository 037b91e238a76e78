#include "world/level_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>
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

// The largest storey the format can hold: the largest grid with a floor, an
// object and an enemy start on every cell, each line ended by CR LF.
const uint64_t LargestStoreyCells = (uint64_t)NumberCodeMax * NumberCodeMax;
const size_t LevelFileLimit = (size_t)(4 + 2 * LargestStoreyCells + 8 * LargestStoreyCells + 4 + 4 + 16 +
                                       16 * LargestStoreyCells + 2 * LevelLines);

static std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (lines.size() < LevelLines && !text.empty()) {
        size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    lines.resize(LevelLines);  // missing lines count as empty
    return lines;
}

// Numbers of the file being read that lay outside the code (a damaged file).
static int NumbersOutsideCode = 0;

// Number k of a line of pairs; outside the code's range, the nearest number
// in it.
static int Pair(std::string_view line, size_t k)
{
    int n = DecodeNumber(line[2 * k], line[2 * k + 1]);
    if (InNumberCodeRange(n))
        return n;
    NumbersOutsideCode++;
    return ClampToNumberCode(n);
}

static void ReadFloors(std::string_view line)
{
    size_t pairs = std::min(line.size() / 2, FloorMap.size());
    for (size_t s = 0; s < pairs; s++)
        FloorMap[s] = Pair(line, s);
}

static void ReadObjects(std::string_view line, const std::string& path)
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

static void ReadCards(std::string_view line)
{
    for (int k = 0; k < CARD_COUNT; k++)
        PlaceCard(k, line.size() < 16 ? cell_struct{-1, -1} : cell_struct{Pair(line, 2 * k), Pair(line, 2 * k + 1)});
}

static void ReadEnemyStarts(std::string_view line)
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
    char* data = (char*)LoadWholeFile(path, LevelFileLimit, &length);
    if (!data) {
        hge->System_Log("Can't open the level file %s", path.c_str());
        return false;
    }
    bool read = ReadLevelText(std::string_view(data, length), path);
    free(data);
    return read;
}

bool ReadLevelText(std::string_view text, const std::string& path)
{
    std::vector<std::string_view> lines = SplitLines(text);
    NumbersOutsideCode = 0;
    std::string_view size = lines[0];
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
    if (NumbersOutsideCode > 0)
        hge->System_Log("%s is damaged: %d numbers lie outside the number code; each is read as the nearest one in it",
                        path.c_str(), NumbersOutsideCode);
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

static void Codes(coded_text_struct& t, std::initializer_list<int> numbers)
{
    for (int n : numbers)
        AppendNumber(t, n);
}

static void EndLine(coded_text_struct& t)
{
    t.text += "\r\n";
}

// The seven lines; a number the code cannot hold is named once per file.
std::string LevelFileText()
{
    coded_text_struct t;
    Codes(t, {LevelWidth, LevelHeight});
    EndLine(t);
    for (int f : FloorMap)
        AppendNumber(t, f);
    EndLine(t);
    for (const object_struct& o : Objects)
        Codes(t, {o.type, o.cell_x, o.cell_y, o.rotation});
    EndLine(t);
    Codes(t, {PlayerStartX, PlayerStartY});
    EndLine(t);
    Codes(t, {LiftX, LiftY});
    EndLine(t);
    for (const cell_struct& c : CardCell)
        Codes(t, {c.x, c.y});
    EndLine(t);
    for (const enemy_start_struct& s : EnemyStarts)
        Codes(t, {s.alarm, s.lives, s.hands_set, s.head_set, s.weapon, s.cell_x, s.cell_y, s.legs_set});
    EndLine(t);
    ReportUnencodedNumber(t);
    return t.text;
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
    coded_text_struct t;
    Codes(t, {width, height});
    EndLine(t);
    EndLine(t);  // no floors
    EndLine(t);  // no objects
    Codes(t, {2, 2});
    EndLine(t);
    Codes(t, {5, 2});
    EndLine(t);
    EndLine(t);  // no cards
    EndLine(t);  // no enemies
    return ReadLevelText(t.text, "a new storey");
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
    std::error_code error;
    return std::filesystem::is_regular_file(ResolvePath("data/" + name), error);
}
