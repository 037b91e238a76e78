#include "engine/png_file.h"

#include <cstring>

// Eight bytes a step through eight tables: the check of every picture file
// at start-up reads each byte once, and should cost little next to reading it.
static const uint32_t (*CrcTables())[256]
{
    static uint32_t tables[8][256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            tables[0][n] = c;
        }
        for (uint32_t n = 0; n < 256; n++)
            for (int t = 1; t < 8; t++)
                tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
        made = true;
    }
    return tables;
}

static uint32_t ReadLittle32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size)
{
    const uint32_t(*t)[256] = CrcTables();
    uint32_t c = ~crc;
    for (; size >= 8; size -= 8, data += 8) {
        uint32_t a = ReadLittle32(data) ^ c, b = ReadLittle32(data + 4);
        c = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^ t[3][b & 0xFF] ^
            t[2][(b >> 8) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^ t[0][b >> 24];
    }
    for (; size > 0; size--, data++)
        c = t[0][(c ^ *data) & 0xFF] ^ (c >> 8);
    return ~c;
}

static uint32_t ReadBig32(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | (uint32_t)p[3];
}

// The bit depths PNG allows for each colour type.
static bool KnownPixelFormat(int depth, int colourType)
{
    switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    }
    return false;
}

// Larger pictures than this are taken for damage, not drawn.
const uint32_t LargestPngSide = 16384;

static bool CheckHeader(const uint8_t* h, int* width, int* height)
{
    uint32_t w = ReadBig32(h), ht = ReadBig32(h + 4);
    if (w == 0 || ht == 0 || w > LargestPngSide || ht > LargestPngSide || !KnownPixelFormat(h[8], h[9]))
        return false;
    if (h[10] != 0 || h[11] != 0 || h[12] > 1)  // compression, filter, interlace
        return false;
    *width = (int)w;
    *height = (int)ht;
    return true;
}

bool CheckPngFile(const uint8_t* data, size_t size, int* width, int* height)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < sizeof signature || memcmp(data, signature, sizeof signature) != 0)
        return false;
    size_t at = sizeof signature;
    bool header = false, pixels = false;
    while (size - at >= 12) {
        const uint8_t* chunk = data + at;
        uint32_t length = ReadBig32(chunk);
        if (length > size - at - 12 || Crc32(0, chunk + 4, length + 4) != ReadBig32(chunk + 8 + length))
            return false;
        const uint8_t* type = chunk + 4;
        if (!header) {
            if (memcmp(type, "IHDR", 4) != 0 || length != 13 || !CheckHeader(chunk + 8, width, height))
                return false;
            header = true;
        } else if (memcmp(type, "IDAT", 4) == 0) {
            pixels = true;
        } else if (memcmp(type, "IEND", 4) == 0) {
            return pixels;
        }
        at += 12 + (size_t)length;
    }
    return false;
}
