#include "engine/input_script.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "engine/gamepad.h"
#include "engine/hge.h"

static const struct {
    const char* name;
    int code;
} NamedKeys[] = {
    {"SPACE", HGEK_SPACE},       {"ESCAPE", HGEK_ESCAPE},     {"ENTER", HGEK_ENTER},
    {"TAB", HGEK_TAB},           {"SHIFT", HGEK_SHIFT},       {"CTRL", HGEK_CTRL},
    {"ALT", HGEK_ALT},           {"DELETE", HGEK_DELETE},     {"LBUTTON", HGEK_LBUTTON},
    {"RBUTTON", HGEK_RBUTTON},   {"MBUTTON", HGEK_MBUTTON},   {"BACKSPACE", HGEK_BACKSPACE},
    {"PAUSE", HGEK_PAUSE},       {"CAPSLOCK", HGEK_CAPSLOCK}, {"PGUP", HGEK_PGUP},
    {"PGDN", HGEK_PGDN},         {"END", HGEK_END},           {"HOME", HGEK_HOME},
    {"LEFT", HGEK_LEFT},         {"UP", HGEK_UP},             {"RIGHT", HGEK_RIGHT},
    {"DOWN", HGEK_DOWN},         {"INSERT", HGEK_INSERT},     {"SEMICOLON", 186},
    {"EQUALS", 187},             {"COMMA", 188},              {"MINUS", 189},
    {"PERIOD", 190},             {"SLASH", 191},              {"GRAVE", 192},
    {"LBRACKET", 219},           {"BACKSLASH", 220},          {"RBRACKET", 221},
    {"APOSTROPHE", 222},
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
    if (n.size() == 7 && n.compare(0, 6, "NUMPAD") == 0 && std::isdigit((unsigned char)n[6]))
        return HGEK_NUMPAD0 + (n[6] - '0');
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
    if (code >= HGEK_NUMPAD0 && code <= HGEK_NUMPAD0 + 9)
        return "NUMPAD" + std::to_string(code - HGEK_NUMPAD0);
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

static bool ParsePadEvent(std::istringstream& in, InputEvent* e, std::string* why)
{
    std::string verb, name;
    in >> verb;
    verb = Upper(verb);
    if (verb == "CONNECT" || verb == "DISCONNECT") {
        e->kind = verb == "CONNECT" ? INPUT_PAD_CONNECT : INPUT_PAD_DISCONNECT;
        return true;
    }
    if (verb == "DOWN" || verb == "UP") {
        e->kind = verb == "DOWN" ? INPUT_PAD_DOWN : INPUT_PAD_UP;
        in >> name;
        e->padButton = PadButtonFromName(name);
        *why = "unknown pad button '" + name + "'";
        return e->padButton >= 0;
    }
    if (verb == "AXIS") {
        e->kind = INPUT_PAD_AXIS;
        in >> name;
        e->padAxis = PadAxisFromName(name);
        if (e->padAxis < 0) {
            *why = "unknown pad axis '" + name + "'";
            return false;
        }
        float low = e->padAxis >= PAD_LEFTTRIGGER ? 0.0f : -1.0f;
        *why = "pad axis " + Upper(name) + " needs a value from " + (low < 0 ? "-1" : "0") + " to 1";
        return (bool)(in >> e->value) && e->value >= low && e->value <= 1.0f;
    }
    *why = "unknown pad event '" + verb + "'";
    return false;
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
    } else if (verb == "PAD") {
        if (!ParsePadEvent(in, e, why))
            return false;
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
    case INPUT_PAD_CONNECT: return std::to_string(e.frame) + " pad connect";
    case INPUT_PAD_DISCONNECT: return std::to_string(e.frame) + " pad disconnect";
    case INPUT_PAD_DOWN: return std::to_string(e.frame) + " pad down " + PadButtonName(e.padButton);
    case INPUT_PAD_UP: return std::to_string(e.frame) + " pad up " + PadButtonName(e.padButton);
    case INPUT_PAD_AXIS:
        snprintf(buf, sizeof buf, "%d pad axis %s %g", e.frame, PadAxisName(e.padAxis).c_str(), e.value);
        return buf;
    }
    return "";
}
