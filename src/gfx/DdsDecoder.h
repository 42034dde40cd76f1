#pragma once

#include "gfx/Image.h"

// Our own DDS reader: DXT1/3/5 blocks and uncompressed 32, 24 and 8-bit
// pixels with their mip levels, flipped to bottom-row-first order. Only the
// first face of a cube map is kept.
class DdsDecoder {
public:
    // False (image empty) for a bad magic, an unsupported pixel format or a
    // base level the data does not hold; levels cut short are dropped.
    static bool decode(const std::uint8_t* data, std::size_t size, Image& image);

    // Mirrors the pixel rows of a compressed level in place: block rows are
    // reversed and the rows inside each block mirrored.
    static void flipCompressed(std::uint8_t* data, int width, int height, int format);
    // Mirrors the rows of an uncompressed level in place.
    static void flipRows(std::uint8_t* data, int width, int height, int bytesPerPixel);
};
