#pragma once

#include "gfx/Image.h"

// JPEG pictures through libjpeg, RGB or grey, bottom row first.
class JpegDecoder {
public:
    // False (image empty) on a decoding error. A file cut short decodes as
    // far as its data goes.
    static bool decode(const std::uint8_t* data, std::size_t size, Image& image);
};
