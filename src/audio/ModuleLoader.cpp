#include "audio/ModuleLoader.h"

#include "audio/Module.h"
#include "audio/XmCommands.h"

#include <algorithm>
#include <cstring>

namespace {

// Bounds-checked little-endian reads from the image.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool has(std::uint64_t pos, std::uint64_t count) const {
        return pos <= size_ && count <= size_ - pos;
    }
    int u8(std::uint64_t pos) const { return bytes_[pos]; }
    int s8(std::uint64_t pos) const { return static_cast<std::int8_t>(bytes_[pos]); }
    int u16(std::uint64_t pos) const { return bytes_[pos] | bytes_[pos + 1] << 8; }
    std::uint32_t u32(std::uint64_t pos) const {
        return static_cast<std::uint32_t>(u16(pos)) | static_cast<std::uint32_t>(u16(pos + 2))
                                                          << 16;
    }
    const std::uint8_t* at(std::uint64_t pos) const { return bytes_ + pos; }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
};

constexpr int maxPatterns = 256;
constexpr int maxInstruments = 128;
constexpr int maxRows = 256;
constexpr int sampleHeaderBytes = 40;
constexpr int instrumentFieldsEnd = 241; // end of the fadeout field
constexpr int packedHeaderBytes = 9;

bool readPattern(const Reader& in, std::uint64_t pos, int packedSize, int channels,
                 Pattern& pattern) {
    const std::uint64_t end = pos + static_cast<std::uint64_t>(packedSize);
    const int cellCount = pattern.rows * channels;
    for (int i = 0; i < cellCount && packedSize != 0; ++i) {
        std::uint8_t* cell = &pattern.cells[static_cast<std::size_t>(i) * Pattern::cellBytes];
        if (pos >= end) {
            return false;
        }
        const int b = in.u8(pos++);
        int mask = 0x1F;
        if (b & 0x80) {
            mask = b;
        } else {
            cell[0] = static_cast<std::uint8_t>(b);
            mask = 0x1E;
        }
        for (int f = 0; f < Pattern::cellBytes; ++f) {
            if (mask & (1 << f)) {
                if (pos >= end) {
                    return false;
                }
                cell[f] = static_cast<std::uint8_t>(in.u8(pos++));
            }
        }
        if (cell[0] == xm::keyOff) {
            cell[0] = xm::loadedKeyOff;
        }
        if (cell[1] > 128) {
            cell[1] = 0;
        }
    }
    return true;
}

void readEnvelope(const Reader& in, std::uint64_t points, int count, int sustain, int loopStart,
                  int loopEnd, int type, Envelope& e) {
    for (int i = 0; i < Envelope::maxPoints; ++i) {
        e.x[i] = static_cast<std::uint16_t>(in.u16(points + 4 * i));
        e.y[i] = static_cast<std::uint16_t>(std::min(in.u16(points + 4 * i + 2), 64));
    }
    e.points = std::min(count, Envelope::maxPoints);
    e.sustain = sustain;
    e.loopStart = loopStart;
    e.loopEnd = loopEnd;
    e.type = type & (Envelope::on | Envelope::sustainOn | Envelope::loopOn);
    if (e.points < 2) {
        e.type &= ~Envelope::on;
    }
    // Points past the envelope's end would be read from nowhere.
    if (sustain >= e.points) {
        e.type &= ~Envelope::sustainOn;
    }
    if (loopStart >= e.points || loopEnd >= e.points) {
        e.type &= ~Envelope::loopOn;
    }
}

bool readInstrument(const Reader& in, std::uint64_t& pos, Module& m, Instrument& ins) {
    const std::uint64_t s = pos;
    if (!in.has(s, 29)) {
        return false;
    }
    const std::uint64_t size = in.u32(s);
    const int count = in.u16(s + 27);
    if (count > Instrument::maxSamples || !in.has(s, size)) {
        return false;
    }
    ins.samples.fill(&m.emptySample);
    ins.sampleCount = count;
    pos = s + size;
    if (count == 0) {
        return true;
    }
    if (!in.has(s, instrumentFieldsEnd)) {
        return false;
    }
    std::memcpy(ins.noteMap.data(), in.at(s + 33), ins.noteMap.size());
    const std::uint64_t f = s + 225;
    readEnvelope(in, s + 129, in.u8(f), in.u8(f + 2), in.u8(f + 3), in.u8(f + 4), in.u8(f + 8),
                 ins.volumeEnvelope);
    readEnvelope(in, s + 177, in.u8(f + 1), in.u8(f + 5), in.u8(f + 6), in.u8(f + 7), in.u8(f + 9),
                 ins.panningEnvelope);
    ins.vibratoType = in.u8(f + 10);
    ins.vibratoSweep = in.u8(f + 11);
    ins.vibratoDepth = in.u8(f + 12);
    ins.vibratoRate = in.u8(f + 13);
    ins.fadeout = 2 * in.u16(f + 14);

    if (!in.has(pos, static_cast<std::uint64_t>(count) * sampleHeaderBytes)) {
        return false;
    }
    std::uint64_t dataBytes[Instrument::maxSamples] = {};
    for (int i = 0; i < count; ++i) {
        const std::uint64_t h = pos + static_cast<std::uint64_t>(i) * sampleHeaderBytes;
        auto sample = std::make_unique<Sample>();
        std::uint32_t length = in.u32(h);
        std::uint32_t loopStart = in.u32(h + 4);
        std::uint32_t loopLength = in.u32(h + 8);
        sample->volume = std::min(in.u8(h + 12), 64);
        sample->finetune = in.s8(h + 13);
        const int type = in.u8(h + 14);
        sample->panning = in.u8(h + 15);
        sample->relativeNote = in.s8(h + 16);
        sample->bits = (type & 0x10) ? 16 : 8;
        sample->loopType = (type & 2)   ? Sample::pingPongLoop
                           : (type & 1) ? Sample::forwardLoop
                                        : Sample::noLoop;
        if (sample->bits == 16) {
            length /= 2;
            loopStart /= 2;
            loopLength /= 2;
        }
        dataBytes[i] = static_cast<std::uint64_t>(length) * (sample->bits / 8);
        if (!in.has(0, dataBytes[i])) {
            return false; // larger than the whole image
        }
        // A loop reaching past the data is cut back to it.
        loopStart = std::min(loopStart, length);
        loopLength = std::min(loopLength, length - loopStart);
        if (sample->loopType == Sample::noLoop || loopLength == 0) {
            sample->loopType = Sample::noLoop;
            loopStart = 0;
            loopLength = length;
        }
        sample->length = length;
        sample->loopStart = loopStart;
        sample->loopLength = loopLength;
        ins.samples[i] = sample.get();
        m.samples.push_back(std::move(sample));
    }
    pos += static_cast<std::uint64_t>(count) * sampleHeaderBytes;

    for (int i = 0; i < count; ++i) {
        Sample& sample = *ins.samples[i];
        if (!in.has(pos, dataBytes[i])) {
            return false;
        }
        sample.data.assign(sample.length + 1 + Sample::slackSamples, 0);
        std::int16_t value = 0;
        for (std::uint32_t j = 0; j < sample.length; ++j) {
            const int stored = sample.bits == 16
                                   ? static_cast<std::int16_t>(in.u16(pos + 2 * std::uint64_t{j}))
                                   : in.s8(pos + j) * 256;
            value = static_cast<std::int16_t>(value + stored);
            sample.data[j] = value;
        }
        pos += dataBytes[i];
        if (sample.loopType == Sample::forwardLoop) {
            sample.data[sample.loopEnd()] = sample.data[sample.loopStart];
        } else if (sample.loopType == Sample::pingPongLoop) {
            sample.data[sample.loopEnd()] = sample.data[sample.loopEnd() - 1];
        }
        sample.bits = 16;
    }
    return true;
}

} // namespace

std::unique_ptr<Module> ModuleLoader::load(const std::uint8_t* bytes, std::size_t size,
                                           int initialGlobalVolume) {
    static const char signature[] = "Extended Module: ";
    const Reader in(bytes, size);
    if (bytes == nullptr || !in.has(0, 80 + 256) || size > 0x7FFFFFFF ||
        std::memcmp(bytes, signature, 17) != 0) {
        return nullptr;
    }
    auto m = std::make_unique<Module>();
    const std::uint64_t headerSize = in.u32(60);
    m->songLength = in.u16(64);
    m->restartPosition = in.u16(66);
    m->channelCount = in.u16(68);
    const int storedPatterns = in.u16(70);
    m->instrumentCount = in.u16(72);
    m->flags = in.u16(74);
    m->defaultSpeed = in.u16(76);
    m->defaultBpm = in.u16(78);
    if (!in.has(60, headerSize) || headerSize < 20 || m->songLength == 0 || m->songLength > 256 ||
        m->channelCount == 0 || m->channelCount > Module::maxChannels ||
        storedPatterns > maxPatterns || m->instrumentCount > maxInstruments) {
        return nullptr;
    }
    // Running off the order list must land on an order that exists.
    if (m->restartPosition >= m->songLength) {
        m->restartPosition = 0;
    }
    std::memcpy(m->orderTable.data(), in.at(80), m->orderTable.size());
    m->usedPatterns =
        *std::max_element(m->orderTable.begin(), m->orderTable.begin() + m->songLength) + 1;
    m->patternSlots = std::max(m->usedPatterns, storedPatterns);
    m->initialGlobalVolume = initialGlobalVolume;

    std::uint64_t pos = 60 + headerSize;
    m->patterns.resize(static_cast<std::size_t>(m->patternSlots));
    for (int p = 0; p < m->patternSlots; ++p) {
        Pattern& pattern = m->patterns[p];
        if (p >= storedPatterns) {
            pattern.rows = 64;
            pattern.cells.assign(
                static_cast<std::size_t>(64) * m->channelCount * Pattern::cellBytes, 0);
            continue;
        }
        if (!in.has(pos, packedHeaderBytes)) {
            return nullptr;
        }
        pattern.rows = in.u16(pos + 5);
        const int packedSize = in.u16(pos + 7);
        pos += packedHeaderBytes;
        if (pattern.rows == 0 || pattern.rows > maxRows || !in.has(pos, packedSize)) {
            return nullptr;
        }
        pattern.cells.assign(
            static_cast<std::size_t>(pattern.rows) * m->channelCount * Pattern::cellBytes, 0);
        if (!readPattern(in, pos, packedSize, m->channelCount, pattern)) {
            return nullptr;
        }
        pos += static_cast<std::uint64_t>(packedSize);
    }

    m->instruments.resize(static_cast<std::size_t>(m->instrumentCount));
    for (Instrument& ins : m->instruments) {
        if (!readInstrument(in, pos, *m, ins)) {
            return nullptr;
        }
    }
    m->restart();
    return m;
}
