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

// The code point of the UTF-8 sequence at text[i], and its length; a broken
// sequence reads as one byte that the code page lacks.
static char32_t DecodeUtf8(const std::string& text, size_t i, int* length)
{
    unsigned char c = (unsigned char)text[i];
    int n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > text.size()) {
        *length = 1;
        return 0xFFFD;
    }
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; k++) {
        unsigned char f = (unsigned char)text[i + k];
        if ((f & 0xC0) != 0x80) {
            *length = 1;
            return 0xFFFD;
        }
        cp = (cp << 6) | (f & 0x3F);
    }
    *length = n;
    return cp;
}

std::string Cp1251FromUtf8(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        int length;
        out += Cp1251FromCodePoint(DecodeUtf8(text, i, &length));
        i += length;
    }
    return out;
}
