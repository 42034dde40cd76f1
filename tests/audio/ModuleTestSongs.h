#pragma once

// Small modules built in the tests, and helpers to play them.

#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "xmwriter/XmWriter.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace testsongs {

// A looped sine wave of period samples, 8 or 16-bit.
inline xm::Sample sine(int bits = 16, int period = 64, int cycles = 4) {
    xm::Sample s;
    s.bits = bits;
    const double amplitude = bits == 16 ? 30000.0 : 117.0;
    for (int i = 0; i < period * cycles; ++i) {
        s.pcm.push_back(
            static_cast<int>(std::lround(amplitude * std::sin(2.0 * M_PI * i / period))));
    }
    s.loop = xm::Sample::Loop::Forward;
    s.loopStart = 0;
    s.loopLength = period * cycles;
    return s;
}

// A constant level, looped: what comes out is the mixing level itself.
inline xm::Sample dc(int value = 16384, int length = 256) {
    xm::Sample s;
    s.bits = 16;
    s.pcm.assign(static_cast<std::size_t>(length), value);
    s.loop = xm::Sample::Loop::Forward;
    s.loopLength = length;
    return s;
}

inline xm::Instrument instrument(const xm::Sample& sample) {
    xm::Instrument ins;
    ins.samples.push_back(sample);
    return ins;
}

// One pattern of rows over channels, one instrument.
inline xm::Song song(int rows = 16, int channels = 1, const xm::Sample& sample = sine()) {
    xm::Song s;
    s.channels = channels;
    s.patterns.emplace_back(rows, channels);
    s.instruments.push_back(instrument(sample));
    return s;
}

inline xm::Cell cell(const char* noteName, int instrumentNumber = 1, int volume = 0, int effect = 0,
                     int param = 0) {
    xm::Cell c;
    c.note = static_cast<std::uint8_t>(noteName ? xm::note(noteName) : 0);
    c.instrument = static_cast<std::uint8_t>(instrumentNumber);
    c.volume = static_cast<std::uint8_t>(volume);
    c.effect = static_cast<std::uint8_t>(effect);
    c.param = static_cast<std::uint8_t>(param);
    return c;
}

inline xm::Cell fx(int effect, int param, int volume = 0) {
    return cell(nullptr, 0, volume, effect, param);
}

inline std::unique_ptr<Module> load(const xm::Song& s, int globalVolume = 64) {
    const std::vector<std::uint8_t> bytes = xm::XmWriter::write(s);
    return ModuleLoader::load(bytes.data(), bytes.size(), globalVolume);
}

// Runs the tick function n times.
inline void ticks(Module& m, int n) {
    for (int i = 0; i < n; ++i) {
        m.tickFunction();
    }
}

// Renders frames of sound (interleaved stereo floats) from the current state.
inline std::vector<float> renderFloat(Module& m, int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2, 0.0f);
    m.render(out.data(), frames);
    return out;
}

} // namespace testsongs
