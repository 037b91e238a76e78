// Texts shown to the player are Windows-1251 bytes: the fonts are indexed by
// byte. Sources stay UTF-8; the _cp literal turns a UTF-8 literal into
// Windows-1251 at compile time ("Выход"_cp), and Utf8FromCp1251 turns such
// bytes back for logs, dumps and the platform's message box.
#pragma once

#include <cstddef>
#include <string>

// Unicode code point of every byte 0x80..0xFF (0 where the code page has none).
constexpr char32_t Cp1251HighCodes[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// The Windows-1251 byte of a code point, or '?' when the code page lacks it.
constexpr char Cp1251FromCodePoint(char32_t cp)
{
    if (cp < 0x80)
        return (char)cp;
    // А..я lie in one run in both tables; the search is for the rest, and
    // keeps long texts within the compilers' limits on constant evaluation.
    if (cp >= 0x0410 && cp <= 0x044F)
        return (char)(0xC0 + (cp - 0x0410));
    for (int i = 0; i < 128; i++)
        if (Cp1251HighCodes[i] == cp)
            return (char)(0x80 + i);
    return '?';
}

// The code point of the UTF-8 sequence at text[i] (of size bytes), and its
// length; a broken sequence reads as one byte that the code page lacks.
constexpr char32_t DecodeUtf8(const char* text, size_t size, size_t i, int* length)
{
    unsigned char c = (unsigned char)text[i];
    int n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > size) {
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

template <size_t N>
struct Cp1251Text {
    char text[N] = {};

    consteval Cp1251Text(const char (&utf8)[N])
    {
        size_t out = 0;
        for (size_t i = 0; i + 1 < N;) {
            int len = 1;
            text[out++] = Cp1251FromCodePoint(DecodeUtf8(utf8, N - 1, i, &len));
            i += len;
        }
    }
};

template <Cp1251Text T>
constexpr const char* operator""_cp()
{
    return T.text;
}

std::string Utf8FromCp1251(const std::string& text);
// The same at run time, for texts read from files: a character the code page
// lacks becomes '?'.
std::string Cp1251FromUtf8(const std::string& text);
