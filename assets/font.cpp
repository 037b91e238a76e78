#include "assets/font.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/program.h"

static char FontPrintBuffer[1024];

hgeFont::hgeFont(const char* filename, bool mipmap)
{
    (void)mipmap;
    uint32_t size = 0;
    char* data = (char*)hge->Resource_Load(filename, &size);
    if (!data)
        return;
    std::string text(data, size);
    hge->Resource_Free(data);
    Parse(filename, text.c_str());
}

hgeFont* hgeFont::FromText(const char* filename, const std::string& text)
{
    hgeFont* font = new hgeFont();
    font->Parse(filename, text.c_str());
    return font;
}

hgeFont::~hgeFont()
{
    for (hgeSprite* letter : letters)
        delete letter;
    if (texture)
        hge->Texture_Free(texture);
}

static std::vector<std::string> SplitFontLines(const char* text)
{
    std::vector<std::string> lines;
    std::string cur;
    for (const char* p = text; *p; p++) {
        if (*p == '\n' || *p == '\r') {
            if (!cur.empty())
                lines.push_back(cur);
            cur.clear();
        } else {
            cur += *p;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}

static std::string FolderOf(const char* filename)
{
    std::string name = filename;
    size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

static const char* SkipSpaces(const char* p)
{
    while (*p == ' ' || *p == '\t')
        p++;
    return p;
}

void hgeFont::Parse(const char* filename, const char* text)
{
    std::vector<std::string> lines = SplitFontLines(text);
    if (lines.empty() || lines[0] != "[HGEFONT]") {
        hge->System_Log("Font %s has incorrect format.", filename);
        return;
    }
    bool bitmapRead = false;
    for (size_t i = 1; i < lines.size(); i++) {
        const char* line = lines[i].c_str();
        // A font has one picture: a repeated Bitmap line is not loaded again.
        if (strncmp(line, "Bitmap", 6) == 0 && !bitmapRead) {
            bitmapRead = true;
            const char* eq = strchr(line, '=');
            std::string name = eq ? SkipSpaces(eq + 1) : "";
            while (!name.empty() && std::isspace((unsigned char)name.back()))
                name.pop_back();
            texture = hge->Texture_Load((FolderOf(filename) + name).c_str());
            if (!texture)
                return;
        } else if (strncmp(line, "Char", 4) == 0) {
            ParseCharLine(line);
        }
    }
}

// Char = "c", x, y, w, h, pre, post   or   Char = 41, x, y, w, h, pre, post
void hgeFont::ParseCharLine(const char* line)
{
    const char* p = strchr(line, '=');
    if (!p)
        return;
    p = SkipSpaces(p + 1);
    int code = 0;
    if (*p == '"') {
        if (!p[1])
            return;
        code = (unsigned char)p[1];
        p += (p[2] == '"') ? 3 : 2;
    } else {
        while (std::isxdigit((unsigned char)*p)) {
            int digit = std::isdigit((unsigned char)*p) ? *p - '0' : std::tolower((unsigned char)*p) - 'a' + 10;
            code = code * 16 + digit;
            if (code > 255)
                return;
            p++;
        }
    }
    int x = 0, y = 0, w = 0, h = 0, a = 0, c = 0;
    sscanf(p, " , %d , %d , %d , %d , %d , %d", &x, &y, &w, &h, &a, &c);
    delete letters[code];
    letters[code] = new hgeSprite(texture, (float)x, (float)y, (float)w, (float)h);
    letters[code]->SetColor(color);
    pre[code] = (float)a;
    post[code] = (float)c;
    if (h > height)
        height = (float)h;
}

int hgeFont::LetterIndex(unsigned char c) const
{
    if (letters[c])
        return c;
    return letters[(unsigned char)'?'] ? '?' : -1;
}

float hgeFont::AlignedStart(float x, int align, const char* text) const
{
    align &= HGETEXT_HORZMASK;
    if (align == HGETEXT_RIGHT)
        return x - GetStringWidth(text, false);
    if (align == HGETEXT_CENTER)
        return x - floorf(GetStringWidth(text, false) / 2.0f + 0.5f);
    return x;
}

void hgeFont::Render(float x, float y, int align, const char* text)
{
    if (!text)
        return;
    float fx = AlignedStart(x, align, text);
    for (const char* p = text; *p; p++) {
        if (*p == '\n') {
            y += floorf(height * scale * spacing + 0.5f);
            fx = AlignedStart(x, align, p + 1);
            continue;
        }
        int i = LetterIndex((unsigned char)*p);
        if (i < 0)
            continue;
        fx += pre[i] * scale * proportion;
        letters[i]->RenderEx(fx, y, rotation, scale * proportion, scale);
        fx += (letters[i]->GetWidth() + post[i] + tracking) * scale * proportion;
    }
}

void hgeFont::printf(float x, float y, int align, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(FontPrintBuffer, sizeof FontPrintBuffer, format, args);
    va_end(args);
    Render(x, y, align, FontPrintBuffer);
}

void hgeFont::SetColor(uint32_t c)
{
    color = c;
    for (hgeSprite* letter : letters)
        if (letter)
            letter->SetColor(c);
}

float hgeFont::GetStringWidth(const char* text, bool multiline) const
{
    float widest = 0;
    const char* p = text;
    while (p && *p) {
        float line = 0;
        for (; *p && *p != '\n'; p++) {
            int i = LetterIndex((unsigned char)*p);
            if (i >= 0)
                line += letters[i]->GetWidth() + pre[i] + post[i] + tracking;
        }
        if (!multiline)
            return line * scale * proportion;
        widest = std::max(widest, line);
        while (*p == '\n' || *p == '\r')
            p++;
    }
    return widest * scale * proportion;
}
