#pragma once

#include "Picture.h"

#include <cstdint>
#include <vector>

// Encoders for the picture files of the game. Every encoder is deterministic:
// no timestamps, no text chunks, fixed compression settings.
namespace ImageFiles {

using Bytes = std::vector<std::uint8_t>;

enum class TgaRows {
    BottomFirst, // the usual lower-left origin
    TopFirst,    // top-left origin (descriptor bit 5 set)
};

// A 32-bit true-colour TGA; run-length packed (type 10) when `rle`, else raw
// (type 2, no identification field, as the font scanner requires).
Bytes tga(const Picture& picture, TgaRows rows, bool rle);
// An 8-bit RGBA PNG (RGB when the picture is opaque everywhere).
Bytes png(const Picture& picture, int level = 6);
// A baseline JPEG without chroma subsampling; alpha is dropped.
Bytes jpeg(const Picture& picture, int quality);

} // namespace ImageFiles
