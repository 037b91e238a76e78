// hgeFont: bitmap text read from a "[HGEFONT]" font description and its
// texture. Letters are indexed by byte (the game's texts are Windows-1251).
#pragma once

#include <cstdint>
#include <string>

#include "assets/sprite.h"

const int HGETEXT_LEFT = 0;
const int HGETEXT_RIGHT = 1;
const int HGETEXT_CENTER = 2;
const int HGETEXT_HORZMASK = 3;

class hgeFont {
public:
    // A file that cannot be read or parsed gives an empty font that draws nothing.
    explicit hgeFont(const char* filename, bool mipmap = false);
    // A font from its description held in memory; filename says where its
    // texture lies (the folder of the description).
    static hgeFont* FromText(const char* filename, const std::string& text);
    ~hgeFont();
    hgeFont(const hgeFont&) = delete;
    hgeFont& operator=(const hgeFont&) = delete;

    void Render(float x, float y, int align, const char* text);
    // Formats into a shared 1024-byte buffer (the text is cut at 1023 characters).
    void printf(float x, float y, int align, const char* format, ...) __attribute__((format(printf, 5, 6)));

    void SetColor(uint32_t color);
    uint32_t GetColor() const { return color; }
    float GetHeight() const { return height; }
    float GetStringWidth(const char* text, bool multiline = true) const;
    hgeSprite* GetLetter(unsigned char c) const { return letters[c]; }
    HTEXTURE GetTexture() const { return texture; }

private:
    hgeFont() = default;
    void Parse(const char* filename, const char* text);
    void ParseCharLine(const char* line);
    int LetterIndex(unsigned char c) const;  // c, or '?' when c has no letter; -1 for neither
    float AlignedStart(float x, int align, const char* text) const;

    HTEXTURE texture = 0;
    hgeSprite* letters[256] = {};
    float pre[256] = {}, post[256] = {};
    float height = 0;
    float scale = 1, proportion = 1, spacing = 1;
    float rotation = 0, tracking = 0;
    uint32_t color = 0xFFFFFFFF;
};
