// Speed of the module replayer: mixing as a multiple of real time on one
// core, and loading a large module.

#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModulePlayer.h"
#include "xmwriter/XmWriter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

xm::Sample tone(int period, int cycles, int bits) {
    xm::Sample s;
    s.bits = bits;
    const double amplitude = bits == 16 ? 12000.0 : 47.0;
    for (int i = 0; i < period * cycles; ++i) {
        const double x = 2.0 * M_PI * i / period;
        s.pcm.push_back(static_cast<int>(amplitude * (std::sin(x) + 0.3 * std::sin(3 * x))));
    }
    s.loop = bits == 16 ? xm::Sample::Loop::forward : xm::Sample::Loop::pingPong;
    s.loopLength = period * cycles;
    return s;
}

// A busy song: every channel plays a note every other row with vibrato,
// arpeggio, slides and an enveloped instrument, panned across the field.
xm::Song busySong(int channels, int sampleFrames = 0) {
    xm::Song s;
    s.channels = channels;
    s.speed = 4;
    s.bpm = 140;
    for (int i = 0; i < 4; ++i) {
        xm::Instrument ins;
        xm::Sample sample = tone(32 + 16 * i, 8, i % 2 ? 8 : 16);
        if (sampleFrames > 0) {
            sample = tone(97 + i, sampleFrames / (97 + i), 16);
        }
        sample.panning = 40 + 50 * i;
        ins.samples.push_back(sample);
        ins.volumeEnvelope = {true, {{0, 64}, {8, 48}, {40, 20}, {80, 0}}, 2, -1, -1};
        ins.fadeout = 800;
        ins.vibratoDepth = 4;
        ins.vibratoRate = 12;
        s.instruments.push_back(ins);
    }
    const char* notes[] = {"C-4", "E-4", "G-4", "A#3", "D-5", "F-3"};
    const int effects[][2] = {{0x4, 0x46}, {0x0, 0x37}, {0xA, 0x02}, {0x1, 0x01}, {0x7, 0x34}};
    for (int p = 0; p < 4; ++p) {
        xm::Pattern pattern(64, channels);
        for (int r = 0; r < 64; ++r) {
            for (int c = 0; c < channels; ++c) {
                xm::Cell& cell = pattern.at(r, c);
                if ((r + c) % 2 == 0) {
                    cell.note = static_cast<std::uint8_t>(xm::note(notes[(r + c + p) % 6]));
                    cell.instrument = static_cast<std::uint8_t>(1 + (c + p) % 4);
                }
                cell.effect = static_cast<std::uint8_t>(effects[(r + c) % 5][0]);
                cell.param = static_cast<std::uint8_t>(effects[(r + c) % 5][1]);
            }
        }
        s.patterns.push_back(pattern);
    }
    s.orders = {0, 1, 2, 3};
    return s;
}

// One second of output per iteration through the player's block mixing.
void mixing(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes =
        xm::XmWriter::write(busySong(static_cast<int>(state.range(0))));
    auto module = ModuleLoader::load(bytes.data(), bytes.size());
    std::vector<float> mix(2 * ModulePlayer::blockFrames);
    std::vector<std::int16_t> out(2 * ModulePlayer::blockFrames);
    for (auto _ : state) {
        for (int b = 0; b < ModulePlayer::ringBlocks; ++b) {
            ModulePlayer::mixBlock(*module, mix.data(), out.data());
        }
        benchmark::DoNotOptimize(out.data());
    }
    const double secondsPerIteration = double(ModulePlayer::ringFrames) / Module::rate;
    state.counters["x_realtime"] = benchmark::Counter(
        secondsPerIteration * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(mixing)->Arg(4)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

void loadingOneMegabyte(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = xm::XmWriter::write(busySong(8, 128 * 1024));
    for (auto _ : state) {
        auto module = ModuleLoader::load(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(module.get());
    }
    state.counters["bytes"] = double(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(loadingOneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
