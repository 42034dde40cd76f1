#pragma once

#include "audio/WaveFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads the sound of a RIFF/WAVE file held in memory: its format and the
// bytes of its "data" chunk. Every size the file states is checked against
// the bytes there are; a file that claims more than it holds is refused like
// any other malformed file.
class WaveReader {
public:
    // Files larger than this are not taken for sound effects.
    static constexpr std::size_t maxFileBytes = 64u << 20;

    // Reads the whole file from the disk and parses it. False on any failure,
    // which leaves the reader closed.
    bool open(const std::string& fileName);
    // Parses a WAVE image (copied).
    bool open(const std::uint8_t* bytes, std::size_t size);
    void close();
    bool isOpen() const { return open_; }

    const WaveFormat& format() const { return format_; }
    // Byte length of the "data" chunk.
    std::uint32_t size() const { return size_; }

    // Back to the first byte of the data.
    void rewind() { readPos_ = 0; }
    // Copies at most count bytes, never more than what is left of the data;
    // returns how many were copied.
    std::size_t read(std::uint8_t* dest, std::size_t count);

private:
    bool parse();

    std::vector<std::uint8_t> file_;
    WaveFormat format_;
    std::size_t dataOffset_ = 0;
    std::uint32_t size_ = 0;
    std::size_t readPos_ = 0;
    bool open_ = false;
};
