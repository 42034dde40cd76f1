#include "audio/WaveReader.h"

#include "platform/GameFolders.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
bool isId(const std::uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

// One chunk inside the RIFF form: where its body starts and how long it is.
struct Chunk {
    std::size_t body = 0;
    std::uint32_t size = 0;
};

// Finds the first chunk `id` among the chunks from `pos` to `end`. Every
// chunk passed over must lie wholly inside the form: one that claims more
// bytes than the form holds ends the search unfound.
bool findChunk(const std::vector<std::uint8_t>& f, std::size_t pos, std::size_t end, const char* id,
               Chunk& found) {
    while (end - pos >= 8) {
        std::uint32_t size = u32(&f[pos + 4]);
        std::size_t body = pos + 8;
        if (size > end - body)
            return false;
        if (isId(&f[pos], id)) {
            found = {body, size};
            return true;
        }
        // Chunks are padded to even sizes; a final pad byte may be missing.
        pos = body + size + (size & 1);
        if (pos > end)
            return false;
    }
    return false;
}

} // namespace

bool WaveFormat::isPcm() const {
    if (formatTag == pcm)
        return true;
    // The extensible record carries its sub-format GUID after 6 bytes; its
    // first two bytes are the plain format tag.
    return formatTag == extensible && extra.size() >= 22 && u16(&extra[6]) == pcm;
}

bool WaveReader::open(const std::string& fileName) {
    close();
    std::ifstream in(platform::GameFolders::dataPath(fileName), std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    std::streamoff length = in.tellg();
    if (length <= 0 || static_cast<std::uint64_t>(length) > maxFileBytes)
        return false;
    file_.resize(static_cast<std::size_t>(length));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(file_.data()), length)) {
        close();
        return false;
    }
    if (!parse()) {
        close();
        return false;
    }
    return true;
}

bool WaveReader::open(const std::uint8_t* bytes, std::size_t size) {
    close();
    if (bytes == nullptr || size > maxFileBytes)
        return false;
    file_.assign(bytes, bytes + size);
    if (!parse()) {
        close();
        return false;
    }
    return true;
}

void WaveReader::close() {
    file_.clear();
    file_.shrink_to_fit();
    format_ = WaveFormat{};
    dataOffset_ = 0;
    size_ = 0;
    readPos_ = 0;
    open_ = false;
}

bool WaveReader::parse() {
    const auto& f = file_;
    if (f.size() < 12 || !isId(&f[0], "RIFF") || !isId(&f[8], "WAVE"))
        return false;
    std::uint32_t riffSize = u32(&f[4]);
    if (riffSize < 4 || riffSize > f.size() - 8)
        return false;
    const std::size_t end = 8 + static_cast<std::size_t>(riffSize);

    Chunk fmt;
    if (!findChunk(f, 12, end, "fmt ", fmt) || fmt.size < 16)
        return false;
    const std::uint8_t* p = &f[fmt.body];
    format_.formatTag = u16(p);
    format_.channels = u16(p + 2);
    format_.samplesPerSec = u32(p + 4);
    format_.avgBytesPerSec = u32(p + 8);
    format_.blockAlign = u16(p + 12);
    format_.bitsPerSample = u16(p + 14);
    if (format_.formatTag != WaveFormat::pcm) {
        if (fmt.size < 18)
            return false;
        format_.extraSize = u16(p + 16);
        if (format_.extraSize > fmt.size - 18)
            return false;
        format_.extra.assign(p + 18, p + 18 + format_.extraSize);
    }

    // The data chunk is looked for from the start of the form again, so it may
    // stand before or after the format.
    Chunk data;
    if (!findChunk(f, 12, end, "data", data))
        return false;
    dataOffset_ = data.body;
    size_ = data.size;
    readPos_ = 0;
    open_ = true;
    return true;
}

std::size_t WaveReader::read(std::uint8_t* dest, std::size_t count) {
    if (!open_)
        return 0;
    std::size_t n = std::min<std::size_t>(count, size_ - readPos_);
    if (n > 0)
        std::memcpy(dest, &file_[dataOffset_ + readPos_], n);
    readPos_ += n;
    return n;
}
