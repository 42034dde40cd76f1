#pragma once

#include <cstdint>
#include <vector>

// One pattern: rows of cells of 5 bytes per channel (note, instrument,
// volume column, effect, parameter).
struct Pattern {
    static constexpr int cellBytes = 5;

    int rows = 0;
    std::vector<std::uint8_t> cells;

    const std::uint8_t* cell(int row, int channel, int channels) const {
        return &cells[(static_cast<std::size_t>(row) * channels + channel) * cellBytes];
    }
};
