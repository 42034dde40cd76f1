// Speed of the module replayer: mixing as a multiple of real time on one
// core, and loading a large module.

#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModulePlayer.h"
#include "audio/StereoMixer.h"
#include "xmwriter/BusySong.h"
#include "xmwriter/XmWriter.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// One second of output per iteration through the player's block mixing;
// the second argument 0 keeps the mixing at 4 frames at a time, as on
// processors without AVX2.
void mixing(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes =
        xm::XmWriter::write(xm::busySong(static_cast<int>(state.range(0))));
    auto module = ModuleLoader::load(bytes.data(), bytes.size());
    std::vector<float> mix(2 * ModulePlayer::blockFrames);
    std::vector<std::int16_t> out(2 * ModulePlayer::blockFrames);
    StereoMixer::allowWideVectors(state.range(1) != 0);
    for (auto _ : state) {
        for (int b = 0; b < ModulePlayer::ringBlocks; ++b) {
            ModulePlayer::mixBlock(*module, mix.data(), out.data());
        }
        benchmark::DoNotOptimize(out.data());
    }
    StereoMixer::allowWideVectors(true);
    const double secondsPerIteration = double(ModulePlayer::ringFrames) / Module::rate;
    state.counters["x_realtime"] = benchmark::Counter(
        secondsPerIteration * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(mixing)
    ->ArgNames({"channels", "wide"})
    ->Args({4, 1})
    ->Args({8, 1})
    ->Args({32, 1})
    ->Args({32, 0})
    ->Unit(benchmark::kMillisecond);

void loadingOneMegabyte(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = xm::XmWriter::write(xm::busySong(8, 4, 128 * 1024));
    for (auto _ : state) {
        auto module = ModuleLoader::load(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(module.get());
    }
    state.counters["bytes"] = double(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(loadingOneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
