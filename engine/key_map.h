// The player's own keys: which key or mouse button sends which of the
// game's keys. The game always asks for its original keys; the settings
// file "keys.cfg" may move them elsewhere.
#pragma once

#include <string>
#include <vector>

#include "engine/hge.h"

struct key_action_struct {
    const char* name;  // as written in the settings file
    int key;           // the game's own key for it
};
const int KEY_ACTION_COUNT = 15;
extern const key_action_struct KeyActions[KEY_ACTION_COUNT];

// The game key each physical key sends; 0 sends nothing.
struct key_map_struct {
    int sends[HGEK_MAXKEY];
};

// Every key sends itself.
key_map_struct DefaultKeyMap();

// The key map of a settings text: lines "ACTION = KEY [KEY ...]", "#"
// starts a comment, names in any letter case. The keys listed are then the
// only ones for the action; keys no line mentions keep sending themselves.
// A bad line (no "=", an unknown action or key, no key, an action or a key
// already given on an earlier line) is described in problems as "line N:
// ..." and ignored. An action that no key sends any more is described too.
key_map_struct ParseKeySettings(const std::string& text, std::vector<std::string>* problems);
