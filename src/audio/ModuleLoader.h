#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class Module;

// Parses an XM image held in memory. Reads only within the bytes it is given:
// anything that is not an XM image, is truncated, or whose sizes and counts
// lie gives null.
class ModuleLoader {
public:
    static std::unique_ptr<Module> load(const std::uint8_t* bytes, std::size_t size,
                                        int initialGlobalVolume = 64);
};
