#include "engine/cp1251.h"

static void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

std::string Utf8FromCp1251(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        char32_t cp = c < 0x80 ? c : Cp1251HighCodes[c - 0x80];
        AppendUtf8(out, cp ? cp : U'?');
    }
    return out;
}

std::string Cp1251FromUtf8(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        int length;
        out += Cp1251FromCodePoint(DecodeUtf8(text.data(), text.size(), i, &length));
        i += length;
    }
    return out;
}
