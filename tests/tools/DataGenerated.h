#pragma once

// Shared by the tests of the generated game data: the data the build wrote,
// read back once per test process, and small readers for the picture formats.
#include "datagen/DataTree.h"
#include "persist/PropertyFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace DataGenerated {

// The game folder the build wrote (the generator runs in every build).
std::filesystem::path folder();
// That folder read back: every entry of its resource pack through the game's
// resource manager, and the loose files beside it.
const DataTree& tree();
// The bytes of a generated file, packed or loose; null when there is none.
const DataTree::Bytes* file(const std::string& name);

// A generated key/value file read with the game's property store.
PropertyFile properties(const std::string& name);

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba; // rows as the decoder gives them
};
// Decodes a TGA (types 2 and 10, 32 bits), PNG or JPEG by its extension.
Decoded decode(const std::string& name, const DataTree::Bytes& bytes);

// The font picture scanned the way the game's font loader scans it (bands
// from the top, a marker run first, glyph runs left to right).
struct FontScan {
    std::vector<int> bandHeights; // top - bottom of each band, in rows
    std::vector<int> glyphWidths; // end - start + 2 of each run, in columns
    // Width of a text at a size, as the game measures it.
    double textWidth(const std::string& text, double size) const;
};
FontScan scanFont(const DataTree::Bytes& tga);

} // namespace DataGenerated
