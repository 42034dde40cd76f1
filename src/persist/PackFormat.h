#pragma once

#include <cstddef>
#include <cstdint>

// Layout constants of the resource pack shared by its reader and its writer.
// A pack is the magic, a little-endian entry count, then entries of: name
// length, name, data size, scrambled flag, data.
struct PackFormat {
    static constexpr char magic[2] = {'L', 'B'};
    static constexpr std::size_t maxNameLength = 103;
    static constexpr char scrambledFlag = 'y';
    static constexpr char plainFlag = 'n';
    // The password the game's own pack is scrambled with.
    static constexpr const char* gamePassword = "71&^#!9087pkdmzxo456&^903kd";
};
