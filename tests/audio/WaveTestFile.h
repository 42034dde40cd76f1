#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

// Builds RIFF/WAVE images for the tests, including ones that lie.
namespace wavetest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct Chunk {
    std::string id;
    Bytes body;
    // The size written in the header when it is not the body's.
    std::optional<std::uint32_t> statedSize;
};

inline Bytes fmtBody(unsigned tag, unsigned channels, unsigned rate, unsigned bits,
                     const std::optional<Bytes>& extra = std::nullopt) {
    Bytes b;
    unsigned align = channels * bits / 8;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    if (extra) {
        put16(b, static_cast<unsigned>(extra->size()));
        b.insert(b.end(), extra->begin(), extra->end());
    }
    return b;
}

inline Bytes riff(const std::vector<Chunk>& chunks,
                  std::optional<std::uint32_t> statedSize = std::nullopt) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Chunk& c : chunks) {
        body.insert(body.end(), c.id.begin(), c.id.end());
        put32(body, c.statedSize.value_or(static_cast<std::uint32_t>(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2 == 1)
            body.push_back(0);
    }
    Bytes file = {'R', 'I', 'F', 'F'};
    put32(file, statedSize.value_or(static_cast<std::uint32_t>(body.size())));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// A plain PCM file.
inline Bytes pcm(unsigned channels, unsigned rate, unsigned bits, const Bytes& data) {
    return riff({{"fmt ", fmtBody(1, channels, rate, bits), {}}, {"data", data, {}}});
}

// Writes bytes to a fresh file under the build folder and returns its path.
inline std::string writeFile(const std::string& name, const Bytes& bytes) {
    auto dir = std::filesystem::path(QUILLMERE_BINARY_DIR) / "tests" / "audio" / "wav";
    std::filesystem::create_directories(dir);
    auto path = dir / name;
    // Test processes run in parallel and may write the same file: write a
    // private copy and rename it into place, so no reader sees half a file.
    auto temporary = path;
    temporary += "." + std::to_string(::getpid()) + ".tmp";
    std::ofstream(temporary, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::filesystem::rename(temporary, path);
    return path.string();
}

} // namespace wavetest
