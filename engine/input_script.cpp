#include "engine/input_script.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "engine/hge.h"

static const struct {
    const char* name;
    int code;
} NamedKeys[] = {
    {"SPACE", HGEK_SPACE},     {"ESCAPE", HGEK_ESCAPE},   {"ENTER", HGEK_ENTER},
    {"TAB", HGEK_TAB},         {"SHIFT", HGEK_SHIFT},     {"CTRL", HGEK_CTRL},
    {"ALT", HGEK_ALT},         {"DELETE", HGEK_DELETE},   {"LBUTTON", HGEK_LBUTTON},
    {"RBUTTON", HGEK_RBUTTON}, {"MBUTTON", HGEK_MBUTTON},
};

static std::string Upper(std::string s)
{
    for (char& c : s)
        c = (char)std::toupper((unsigned char)c);
    return s;
}

int KeyCodeFromName(const std::string& name)
{
    std::string n = Upper(name);
    if (n.size() == 1 && ((n[0] >= 'A' && n[0] <= 'Z') || (n[0] >= '0' && n[0] <= '9')))
        return n[0];
    if (n.size() >= 2 && n[0] == 'F' && std::isdigit((unsigned char)n[1])) {
        int f = std::atoi(n.c_str() + 1);
        if (f >= 1 && f <= 12 && n == "F" + std::to_string(f))
            return HGEK_F1 + f - 1;
    }
    for (const auto& k : NamedKeys)
        if (n == k.name)
            return k.code;
    return 0;
}

std::string KeyNameFromCode(int code)
{
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, (char)code);
    if (code >= HGEK_F1 && code < HGEK_F1 + 12)
        return "F" + std::to_string(code - HGEK_F1 + 1);
    for (const auto& k : NamedKeys)
        if (code == k.code)
            return k.name;
    return std::to_string(code);
}

static bool ParseKey(const std::string& word, int* key)
{
    bool digits = !word.empty();
    for (char c : word)
        digits = digits && std::isdigit((unsigned char)c);
    if (digits && word.size() > 1) {
        *key = std::atoi(word.c_str());
        return *key > 0 && *key < HGEK_MAXKEY;
    }
    *key = KeyCodeFromName(word);
    return *key != 0;
}

static bool ParseEventLine(std::istringstream& in, InputEvent* e, std::string* why)
{
    std::string verb;
    if (!(in >> e->frame >> verb) || e->frame < 0) {
        *why = "expected a frame number and an event";
        return false;
    }
    verb = Upper(verb);
    std::string word;
    if (verb == "DOWN" || verb == "UP") {
        e->kind = verb == "DOWN" ? INPUT_DOWN : INPUT_UP;
        if (!(in >> word) || !ParseKey(word, &e->key)) {
            *why = "unknown key '" + word + "'";
            return false;
        }
    } else if (verb == "MOUSE") {
        e->kind = INPUT_MOUSE;
        if (!(in >> e->x >> e->y)) {
            *why = "mouse needs X and Y";
            return false;
        }
    } else if (verb == "WHEEL") {
        e->kind = INPUT_WHEEL;
        if (!(in >> e->wheel)) {
            *why = "wheel needs a number of notches";
            return false;
        }
    } else if (verb == "DT") {
        e->kind = INPUT_DT;
        if (!(in >> e->dt) || e->dt < 0) {
            *why = "dt needs seconds";
            return false;
        }
    } else if (verb == "SEED") {
        e->kind = INPUT_SEED;
        long long v;
        if (!(in >> v)) {
            *why = "seed needs a number";
            return false;
        }
        e->seed = (uint32_t)v;
    } else {
        *why = "unknown event '" + verb + "'";
        return false;
    }
    if (in >> word) {
        *why = "unexpected '" + word + "'";
        return false;
    }
    return true;
}

bool ParseInputScript(const std::string& text, std::vector<InputEvent>* events, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        number++;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream in(line);
        std::string first;
        if (!(in >> first))
            continue;
        std::istringstream whole(line);
        InputEvent e;
        std::string why;
        if (!ParseEventLine(whole, &e, &why)) {
            *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        events->push_back(e);
    }
    return true;
}

std::string FormatInputEvent(const InputEvent& e)
{
    char buf[96];
    switch (e.kind) {
    case INPUT_DOWN: return std::to_string(e.frame) + " down " + KeyNameFromCode(e.key);
    case INPUT_UP: return std::to_string(e.frame) + " up " + KeyNameFromCode(e.key);
    case INPUT_MOUSE: snprintf(buf, sizeof buf, "%d mouse %g %g", e.frame, e.x, e.y); return buf;
    case INPUT_WHEEL: return std::to_string(e.frame) + " wheel " + std::to_string(e.wheel);
    case INPUT_DT: snprintf(buf, sizeof buf, "%d dt %.9g", e.frame, e.dt); return buf;
    case INPUT_SEED: return std::to_string(e.frame) + " seed " + std::to_string(e.seed);
    }
    return "";
}
