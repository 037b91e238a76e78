#include "tools/sim/json.h"

#include <cmath>
#include <cstdio>

static std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += (char)c;
            }
        }
    }
    return out + "\"";
}

static void Separate(json_writer_struct& w, const char* key)
{
    if (!w.empty.empty()) {
        if (!w.empty.back())
            w.text += ",";
        w.empty.back() = false;
        w.text += "\n" + std::string(w.empty.size() * 2, ' ');
    }
    if (key)
        w.text += Quoted(key) + ": ";
}

static void Open(json_writer_struct& w, const char* key, char bracket)
{
    Separate(w, key);
    w.text += bracket;
    w.empty.push_back(true);
}

static void Close(json_writer_struct& w, char bracket)
{
    bool wasEmpty = w.empty.back();
    w.empty.pop_back();
    if (!wasEmpty)
        w.text += "\n" + std::string(w.empty.size() * 2, ' ');
    w.text += bracket;
}

void JsonBeginObject(json_writer_struct& w, const char* key) { Open(w, key, '{'); }
void JsonEndObject(json_writer_struct& w) { Close(w, '}'); }
void JsonBeginArray(json_writer_struct& w, const char* key) { Open(w, key, '['); }
void JsonEndArray(json_writer_struct& w) { Close(w, ']'); }

void JsonInt(json_writer_struct& w, const char* key, long long value)
{
    Separate(w, key);
    w.text += std::to_string(value);
}

void JsonFloat(json_writer_struct& w, const char* key, double value)
{
    Separate(w, key);
    if (!std::isfinite(value)) {
        w.text += "null";
        return;
    }
    char buf[48];
    snprintf(buf, sizeof buf, "%.9g", value);
    w.text += buf;
}

void JsonBool(json_writer_struct& w, const char* key, bool value)
{
    Separate(w, key);
    w.text += value ? "true" : "false";
}

void JsonNull(json_writer_struct& w, const char* key)
{
    Separate(w, key);
    w.text += "null";
}

void JsonString(json_writer_struct& w, const char* key, const std::string& utf8)
{
    Separate(w, key);
    w.text += Quoted(utf8);
}
