#include "tools/levelc/map_compiler.h"

#include <map>
#include <sstream>
#include <vector>

#include "assets/catalogue.h"
#include "world/storey.h"

enum { MARK_FLOOR, MARK_OBJECT, MARK_ENEMY, MARK_START, MARK_LIFT, MARK_CARD };

struct legend_entry_struct {
    int kind;
    int type;      // floor or object type
    int rotation;
    int card;
    enemy_start_struct enemy;
    int line;
};

struct map_struct {
    int width = 0, height = 0;
    std::map<char32_t, legend_entry_struct> legend;
    std::vector<std::u32string> rows[3];  // floors, objects, marks; one character a cell
    int firstRowLine[3] = {0, 0, 0};
    bool hasGrid[3] = {false, false, false};
};

// The enemy presets of the editor: legs, hands, head, alarm, lives, weapon.
static const int EnemyPresets[5][6] = {
    {0, 0, 0, 0, 10, 0}, {1, 2, 4, 3, 15, 1}, {1, 1, 6, 5, 15, 2}, {1, 1, 6, 5, 15, 3}, {2, 3, 5, 8, 20, 4},
};

// Maps are UTF-8, so any letter or symbol can stand for an item.
static bool DecodeUtf8(const std::string& text, std::u32string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size();) {
        unsigned char c = (unsigned char)text[i];
        int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > text.size())
            return false;
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < len; k++) {
            unsigned char cc = (unsigned char)text[i + k];
            if ((cc >> 6) != 0x2)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        out->push_back(cp);
        i += len;
    }
    return true;
}

static std::string Utf8(char32_t cp)
{
    std::string s;
    if (cp < 0x80) {
        s += (char)cp;
    } else if (cp < 0x800) {
        s += (char)(0xC0 | (cp >> 6));
        s += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += (char)(0xE0 | (cp >> 12));
        s += (char)(0x80 | ((cp >> 6) & 0x3F));
        s += (char)(0x80 | (cp & 0x3F));
    } else {
        s += (char)(0xF0 | (cp >> 18));
        s += (char)(0x80 | ((cp >> 12) & 0x3F));
        s += (char)(0x80 | ((cp >> 6) & 0x3F));
        s += (char)(0x80 | (cp & 0x3F));
    }
    return s;
}

static std::string Where(int line, int column)
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

static bool Fail(std::string* error, int line, int column, const std::string& what)
{
    *error = Where(line, column) + what;
    return false;
}

static int FindFloorType(const std::string& name)
{
    for (size_t i = 0; i < FloorTypes.size(); i++)
        if (FloorTypes[i].name == name)
            return (int)i;
    return -1;
}

static void ApplyPreset(enemy_start_struct& e, int preset)
{
    const int* p = EnemyPresets[preset - 1];
    e.legs_set = p[0];
    e.hands_set = p[1];
    e.head_set = p[2];
    e.alarm = p[3];
    e.lives = p[4];
    e.weapon = p[5];
}

static bool ParseEnemy(std::istringstream& in, legend_entry_struct& entry, std::string* why)
{
    enemy_start_struct& e = entry.enemy;
    e = {10, 0, 0, 0, 0, 0, 0, 0};
    std::string key;
    int value;
    while (in >> key) {
        if (!(in >> value)) {
            *why = "'" + key + "' needs a number";
            return false;
        }
        if (key == "preset" && value >= 1 && value <= 5)
            ApplyPreset(e, value);
        else if (key == "legs") e.legs_set = value;
        else if (key == "hands") e.hands_set = value;
        else if (key == "head") e.head_set = value;
        else if (key == "weapon" && value >= 0 && value <= 4) e.weapon = value;
        else if (key == "alarm") e.alarm = value;
        else if (key == "lives") e.lives = value;
        else {
            *why = "unknown enemy setting '" + key + " " + std::to_string(value) + "'";
            return false;
        }
    }
    return true;
}

static bool ParseCard(std::istringstream& in, legend_entry_struct& entry, std::string* why)
{
    static const char* const names[CARD_COUNT] = {"lift", "red", "green", "blue"};
    std::string colour;
    in >> colour;
    for (int k = 0; k < CARD_COUNT; k++) {
        if (colour == names[k]) {
            entry.card = k;
            return true;
        }
    }
    *why = "a card is lift, red, green or blue, not '" + colour + "'";
    return false;
}

static bool ParseTypedEntry(std::istringstream& in, legend_entry_struct& entry, std::string* why)
{
    std::string name;
    in >> name;
    entry.type = entry.kind == MARK_FLOOR ? FindFloorType(name) : FindObjectType(name);
    if (entry.type < 0) {
        *why = std::string("no ") + (entry.kind == MARK_FLOOR ? "floor" : "object") + " type named '" + name + "'";
        return false;
    }
    if (entry.kind == MARK_OBJECT && (in >> entry.rotation) && (entry.rotation < 0 || entry.rotation > 3)) {
        *why = "a rotation is 0, 1, 2 or 3 quarter turns";
        return false;
    }
    return true;
}

// "<char> <kind> ...". Returns false for a line that is not an entry (a comment).
static bool ReadLegendEntry(const std::string& line, int number, map_struct& m, bool* bad, std::string* error)
{
    std::istringstream in(line);
    std::string symbol, kind;
    std::u32string letters;
    if (!(in >> symbol >> kind) || !DecodeUtf8(symbol, &letters) || letters.size() != 1)
        return false;
    char32_t key = letters[0];
    static const std::map<std::string, int> kinds = {{"floor", MARK_FLOOR}, {"object", MARK_OBJECT},
                                                     {"enemy", MARK_ENEMY}, {"start", MARK_START},
                                                     {"lift", MARK_LIFT},   {"card", MARK_CARD}};
    auto k = kinds.find(kind);
    if (k == kinds.end())
        return false;
    legend_entry_struct entry{k->second, -1, 0, -1, {}, number};
    std::string why;
    bool ok = true;
    if (entry.kind == MARK_FLOOR || entry.kind == MARK_OBJECT)
        ok = ParseTypedEntry(in, entry, &why);
    else if (entry.kind == MARK_ENEMY)
        ok = ParseEnemy(in, entry, &why);
    else if (entry.kind == MARK_CARD)
        ok = ParseCard(in, entry, &why);
    if (ok && m.legend.count(key)) {
        why = "'" + symbol + "' is already in the legend (line " + std::to_string(m.legend[key].line) + ")";
        ok = false;
    }
    if (!ok) {
        *bad = true;
        *error = Where(number, 1) + why;
        return true;
    }
    m.legend[key] = entry;
    return true;
}

static int GridIndex(const std::string& word)
{
    return word == "floors" ? 0 : word == "objects" ? 1 : word == "marks" ? 2 : -1;
}

static bool ReadMap(const std::string& text, map_struct& m, std::string* error)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool inLegend = false;
    while (std::getline(in, line)) {
        number++;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string first;
        if (!(words >> first))
            continue;
        int grid = GridIndex(first);
        if (grid >= 0) {
            if (m.width < 1 || m.height < 1)
                return Fail(error, number, 1, "the size must come before the grids");
            m.hasGrid[grid] = true;
            m.firstRowLine[grid] = number + 1;
            for (int r = 0; r < m.height; r++) {
                std::string row;
                if (!std::getline(in, row))
                    return Fail(error, number + r + 1, 1, "the " + first + " grid needs " + std::to_string(m.height) + " rows");
                if (!row.empty() && row.back() == '\r')
                    row.pop_back();
                std::u32string cells;
                if (!DecodeUtf8(row, &cells))
                    return Fail(error, number + r + 1, 1, "the row is not UTF-8 text");
                if ((int)cells.size() > m.width)
                    return Fail(error, number + r + 1, m.width + 1, "the row is wider than the storey");
                cells.resize(m.width, U' ');
                m.rows[grid].push_back(cells);
            }
            number += m.height;
            inLegend = false;
        } else if (first == "size") {
            if (!(words >> m.width >> m.height) || m.width < 1 || m.height < 1 || m.width > 4899 || m.height > 4899)
                return Fail(error, number, 1, "size needs a width and a height from 1 to 4899");
        } else if (first == "legend") {
            inLegend = true;
        } else {
            bool bad = false;
            if (inLegend && ReadLegendEntry(line, number, m, &bad, error)) {
                if (bad)
                    return false;
            } else if (first[0] != '#') {
                return Fail(error, number, 1, "what is '" + first + "'?");
            }
        }
    }
    return true;
}

static const legend_entry_struct* Entry(const map_struct& m, char32_t c)
{
    auto it = m.legend.find(c);
    return it == m.legend.end() ? nullptr : &it->second;
}

static void Footprint(const legend_entry_struct& e, int grid, int* w, int* h)
{
    if (grid == 0) {
        *w = FloorTypes[e.type].width;
        *h = FloorTypes[e.type].height;
        return;
    }
    object_struct probe = MakeObject(e.type, e.rotation);
    ObjectFootprint(probe, w, h);
}

// Claims the footprint of the item anchored at (x, y) on its grid: every
// cell must hold the anchor's character and be free.
static bool Claim(const map_struct& m, int grid, int x, int y, int w, int h, std::vector<char>& claimed,
                  std::string* error)
{
    char32_t c = m.rows[grid][y][x];
    int line = m.firstRowLine[grid];
    for (int j = 0; j < h; j++) {
        for (int i = 0; i < w; i++) {
            int cx = x + i, cy = y + j;
            if (cx >= m.width || cy >= m.height)
                return Fail(error, line + y, x + 1, "the footprint of '" + Utf8(c) + "' (" + std::to_string(w) +
                                                         " x " + std::to_string(h) + ") leaves the storey");
            size_t at = (size_t)cy * m.width + cx;
            if (m.rows[grid][cy][cx] != c || claimed[at])
                return Fail(error, line + cy, cx + 1, "'" + Utf8(c) + "' placed at line " +
                                                          std::to_string(line + y) + ", column " + std::to_string(x + 1) +
                                                          " overlaps another item here");
            claimed[at] = 1;
        }
    }
    return true;
}

static bool BuildTypedGrid(const map_struct& m, int grid, std::string* error)
{
    static const char* const layer[2] = {"floor", "object"};
    std::vector<char> claimed((size_t)m.width * m.height, 0);
    for (int y = 0; y < m.height; y++) {
        for (int x = 0; x < m.width; x++) {
            char32_t c = m.rows[grid][y][x];
            if (c == U' ' || claimed[(size_t)y * m.width + x])
                continue;
            const legend_entry_struct* e = Entry(m, c);
            if (!e || e->kind != (grid == 0 ? MARK_FLOOR : MARK_OBJECT))
                return Fail(error, m.firstRowLine[grid] + y, x + 1,
                            "'" + Utf8(c) + "' is not " + (grid == 0 ? "a " : "an ") + layer[grid] + " in the legend");
            int w, h;
            Footprint(*e, grid, &w, &h);
            if (!Claim(m, grid, x, y, w, h, claimed, error))
                return false;
            if (grid == 0)
                FloorMap[CellIndex(x, y)] = e->type;
            else
                AddObject(MakeObject(e->type, e->rotation), x, y, false);
        }
    }
    return true;
}

static bool PlaceMark(const legend_entry_struct& e, int x, int y, bool* seenStart, bool* seenLift, int line,
                      std::string* error)
{
    switch (e.kind) {
    case MARK_ENEMY: {
        enemy_start_struct s = e.enemy;
        s.cell_x = x;
        s.cell_y = y;
        EnemyStarts.push_back(s);
        return true;
    }
    case MARK_START:
        if (*seenStart)
            return Fail(error, line, x + 1, "a second player start");
        *seenStart = true;
        PlayerStartX = x;
        PlayerStartY = y;
        return true;
    case MARK_LIFT:
        if (*seenLift)
            return Fail(error, line, x + 1, "a second lift");
        *seenLift = true;
        LiftX = x;
        LiftY = y;
        return true;
    case MARK_CARD:
        if (CardCell[e.card].x >= 0)
            return Fail(error, line, x + 1, "a second card of this colour");
        CardCell[e.card] = {x, y};
        return true;
    }
    return Fail(error, line, x + 1, "not a mark");
}

static bool BuildMarks(const map_struct& m, std::string* error)
{
    bool seenStart = false, seenLift = false;
    for (cell_struct& c : CardCell)
        c = {-1, -1};
    EnemyStarts.clear();
    for (int y = 0; y < m.height; y++) {
        int line = m.firstRowLine[2] + y;
        for (int x = 0; x < m.width; x++) {
            char32_t c = m.rows[2][y][x];
            if (c == U' ')
                continue;
            const legend_entry_struct* e = Entry(m, c);
            if (!e || e->kind == MARK_FLOOR || e->kind == MARK_OBJECT)
                return Fail(error, line, x + 1, "'" + Utf8(c) + "' is not a mark in the legend");
            if (!PlaceMark(*e, x, y, &seenStart, &seenLift, line, error))
                return false;
        }
    }
    if (!seenStart || !seenLift) {
        *error = seenStart ? "the marks grid needs a lift" : "the marks grid needs a player start";
        return false;
    }
    return true;
}

bool CompileMap(const std::string& text, std::string* error)
{
    map_struct m;
    if (!ReadMap(text, m, error))
        return false;
    for (int g = 0; g < 3; g++) {
        if (!m.hasGrid[g]) {
            static const char* const names[3] = {"floors", "objects", "marks"};
            *error = std::string("the map has no ") + names[g] + " grid";
            return false;
        }
    }
    ResetStoreyGrid(m.width, m.height);
    return BuildTypedGrid(m, 0, error) && BuildTypedGrid(m, 1, error) && BuildMarks(m, error);
}
