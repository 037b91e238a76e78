#include "engine/key_map.h"

#include <cctype>
#include <sstream>

#include "engine/input_script.h"

const key_action_struct KeyActions[KEY_ACTION_COUNT] = {
    {"up", 'W'},           {"down", 'S'},           {"left", 'A'},          {"right", 'D'},
    {"fire", HGEK_LBUTTON}, {"strike", HGEK_RBUTTON}, {"crouch", HGEK_SHIFT}, {"reload", 'R'},
    {"longgun", '1'},      {"handgun", '2'},        {"grenade", '3'},       {"use", HGEK_SPACE},
    {"menu", HGEK_ESCAPE}, {"screenshot", HGEK_F12}, {"hud", 'H'},
};

struct key_binding_struct {
    int action;
    int line;
    std::vector<int> keys;
};

key_map_struct DefaultKeyMap()
{
    key_map_struct map;
    for (int k = 0; k < HGEK_MAXKEY; k++)
        map.sends[k] = k;
    return map;
}

static std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

static int FindAction(std::string name)
{
    for (char& c : name)
        c = (char)std::tolower((unsigned char)c);
    for (int a = 0; a < KEY_ACTION_COUNT; a++)
        if (name == KeyActions[a].name)
            return a;
    return -1;
}

// The line, if any, that has already given a key to an action.
static const key_binding_struct* KeyGivenBefore(const std::vector<key_binding_struct>& earlier, int key)
{
    for (const key_binding_struct& e : earlier)
        for (int k : e.keys)
            if (k == key)
                return &e;
    return nullptr;
}

// The keys after "=", separated by spaces or commas.
static bool ParseKeyList(std::string text, const std::vector<key_binding_struct>& earlier, std::vector<int>* keys,
                         std::string* why)
{
    for (char& c : text)
        c = c == ',' ? ' ' : c;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        int key = KeyCodeFromName(word);
        if (key == 0) {
            *why = "unknown key '" + word + "'";
            return false;
        }
        if (const key_binding_struct* e = KeyGivenBefore(earlier, key)) {
            *why = word + " is already given to '" + KeyActions[e->action].name + "' on line " + std::to_string(e->line);
            return false;
        }
        keys->push_back(key);
    }
    return true;
}

// The binding of one line, checked against the earlier ones; false with
// the reason when the line is to be ignored.
static bool ParseBinding(const std::string& line, const std::vector<key_binding_struct>& earlier,
                         key_binding_struct* b, std::string* why)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
        *why = "expected ACTION = KEY";
        return false;
    }
    std::string name = Trim(line.substr(0, eq));
    b->action = FindAction(name);
    if (b->action < 0) {
        *why = "unknown action '" + name + "'";
        return false;
    }
    for (const key_binding_struct& e : earlier) {
        if (e.action == b->action) {
            *why = "'" + name + "' is already set on line " + std::to_string(e.line);
            return false;
        }
    }
    if (!ParseKeyList(line.substr(eq + 1), earlier, &b->keys, why))
        return false;
    *why = "no key for '" + name + "'";
    return !b->keys.empty();
}

// A rebound action's own key stops sending it unless listed; then every
// listed key sends it. Clearing first makes the order of lines irrelevant
// (two actions may swap their keys).
static key_map_struct BuildKeyMap(const std::vector<key_binding_struct>& bindings)
{
    key_map_struct map = DefaultKeyMap();
    for (const key_binding_struct& b : bindings)
        map.sends[KeyActions[b.action].key] = 0;
    for (const key_binding_struct& b : bindings)
        for (int k : b.keys)
            map.sends[k] = KeyActions[b.action].key;
    return map;
}

static bool SomeKeySends(const key_map_struct& map, int key)
{
    for (int k = 1; k < HGEK_MAXKEY; k++)
        if (map.sends[k] == key)
            return true;
    return false;
}

key_map_struct ParseKeySettings(const std::string& text, std::vector<std::string>* problems)
{
    std::vector<key_binding_struct> bindings;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); number++) {
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        key_binding_struct b{-1, number, {}};
        std::string why;
        if (ParseBinding(line, bindings, &b, &why))
            bindings.push_back(b);
        else
            problems->push_back("line " + std::to_string(number) + ": " + why);
    }
    key_map_struct map = BuildKeyMap(bindings);
    // Allowed (the player may want it so), but worth a word.
    for (const key_action_struct& a : KeyActions)
        if (!SomeKeySends(map, a.key))
            problems->push_back(std::string("'") + a.name + "' has no key now");
    return map;
}
