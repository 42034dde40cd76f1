#pragma once

#include "audio/XmCommands.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A module to be written as an XM file: plain records that mirror the file.
namespace xm {

// Note number 1..96 (1 = C-0) of a name such as "C-4", "F#3"; 0 when unknown.
int note(const std::string& name);

struct Cell {
    std::uint8_t note = 0;       // 1..96, keyOff, 0 = none
    std::uint8_t instrument = 0; // 1.., 0 = none
    std::uint8_t volume = 0;     // volume column byte
    std::uint8_t effect = 0;
    std::uint8_t param = 0;
};

struct Pattern {
    int rows = 64;
    int channels = 4;
    std::vector<Cell> cells = std::vector<Cell>(static_cast<std::size_t>(rows) * channels);

    Pattern() = default;
    Pattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount), cells(static_cast<std::size_t>(rows) * channels) {
    }
    Cell& at(int row, int channel) {
        return cells[static_cast<std::size_t>(row) * channels + channel];
    }
    const Cell& at(int row, int channel) const {
        return cells[static_cast<std::size_t>(row) * channels + channel];
    }
};

struct Envelope {
    bool enabled = false;
    std::vector<std::pair<int, int>> points; // (tick, value 0..64), at most 12
    int sustain = -1;                        // point index, -1 = none
    int loopStart = -1;                      // point indexes, -1 = no loop
    int loopEnd = -1;
};

struct Sample {
    enum class Loop { None, Forward, PingPong };

    std::string name;
    int bits = 8; // 8 or 16
    // Sample values: -128..127 for 8-bit data, -32768..32767 for 16-bit.
    std::vector<int> pcm;
    Loop loop = Loop::None;
    int loopStart = 0; // in samples
    int loopLength = 0;
    int volume = 64;
    int finetune = 0; // -128..127
    int panning = 128;
    int relativeNote = 0;
};

struct Instrument {
    std::string name;
    std::vector<Sample> samples;            // at most 16
    std::array<std::uint8_t, 96> noteMap{}; // sample index per note
    Envelope volumeEnvelope;
    Envelope panningEnvelope;
    int vibratoType = 0;
    int vibratoSweep = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
    int fadeout = 0; // as stored in the file
};

struct Song {
    std::string name;
    int channels = 4;
    bool linearFrequencies = true;
    int speed = 6;
    int bpm = 125;
    int restartPosition = 0;
    std::vector<std::uint8_t> orders{0};
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

} // namespace xm
