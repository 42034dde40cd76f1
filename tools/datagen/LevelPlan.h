#pragma once

#include <string>

// One designed level: the six numbers of its file and its map, one character
// per board position in row order ('0' empty, '1' half filled, '2' filled,
// '4' locked, '.' no cell).
struct LevelPlan {
    int number = 0;
    int colours = 4;
    int fillPercent = 0;
    int jokerPercent = 0;
    int rows = 0;
    int columns = 0;
    std::string shape; // the outline's name, for review and tests
    int islands = 1;   // groups of cells the design keeps apart on purpose
    std::string map;

    // The level file: six numbers each ending in CR LF, then the map.
    std::string fileText() const;
};
