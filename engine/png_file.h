// What can be known of a PNG file without decoding its pixels: its size,
// and whether every chunk is whole and undamaged. A picture that passes is
// decoded only when it is first drawn; one that does not fails to load at
// once, as it would have if it had been decoded then.
#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-32 of PNG chunks (and zip files), continued from crc (0 to start).
uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t size);

// True when the bytes are a PNG of sensible size whose chunks all lie within
// the file with the right check sums, from the header to the end chunk with
// picture data between; its size is then in width and height.
bool CheckPngFile(const uint8_t* data, size_t size, int* width, int* height);
