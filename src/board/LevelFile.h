#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The contents of a level file "levels/levelNNN.txt": six numbers, each
// ended by CR LF, then the map with one character per board position.
struct LevelFile {
    // Largest board side the per-position tables are made for.
    static constexpr int maxSide = 120;
    // Largest map text taken in; a 120 by 120 board with a line break after
    // every row fits.
    static constexpr std::size_t maxMapBytes = 16384;

    int colours = 5;
    int fillPercent = 20;
    int unused = 0; // the third number: read and kept, no rule uses it
    int jokerPercent = 0;
    int rows = 9;
    int columns = 9;
    // One character per position, row 0 first; characters past the last
    // position are ignored, a missing character is a position without a cell.
    std::string map;

    // Whether a field can be built from these contents: 1 to 13 colours,
    // 0 to 120 rows and columns, the map within its buffer.
    bool isValid() const;

    // Parses a whole file. Empty when the file is shorter than its six
    // numbers, a number does not start with a digit, the board is larger than
    // the tables, the map is larger than its buffer or the number of colours
    // leaves no ordinary colour (0) or runs into the special balls (above 13).
    static std::optional<LevelFile> parse(const unsigned char* bytes, std::size_t size);
    static std::optional<LevelFile> parse(const std::string& text);
    // What a level that cannot be read is played as: 9 by 9, every position an
    // empty cell, 5 colours, 20 percent filled, no jokers.
    static LevelFile fallback();
    // "levels/level%03d.txt" of the level number.
    static std::string fileName(int level);
    // Reads the level through the resource manager "main" (its pack, else the
    // disk). A file that cannot be used gives the fallback and its name goes
    // to standard error.
    static LevelFile read(int level);
};
