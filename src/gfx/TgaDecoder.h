#pragma once

#include "gfx/Image.h"

// Our own TGA reader: uncompressed true colour and grey (8, 24, 32 bits) and
// run-length true colour (24, 32 bits), always to RGBA in the file's row order.
class TgaDecoder {
public:
    // Fills image with width x height RGBA pixels; false (image empty) when
    // the header is unusable or claims more pixels than its data could ever
    // describe. Pixels the data does not cover stay zero.
    static bool decode(const std::uint8_t* data, std::size_t size, Image& image);
};
