#pragma once

#include "gfx/Image.h"

// PNG pictures through libpng, expanded to 8-bit RGB or RGBA, bottom row first.
class PngDecoder {
public:
    // False (image empty) for a missing signature or any library error.
    static bool decode(const std::uint8_t* data, std::size_t size, Image& image);
};
