#pragma once

#include "xmwriter/XmSong.h"

#include <cstdint>
#include <string>
#include <vector>

namespace xm {

// Writes songs as XM images (version 1.04), patterns packed.
class XmWriter {
public:
    static std::vector<std::uint8_t> write(const Song& song);
    static bool writeFile(const Song& song, const std::string& path);
};

} // namespace xm
