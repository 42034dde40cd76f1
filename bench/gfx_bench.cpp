#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int side = 1024;

// A picture with smooth gradients and some fine detail, like game art.
PictureWriter::Bytes samples(int components) {
    PictureWriter::Bytes out;
    out.reserve(static_cast<std::size_t>(side) * side * components);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            out.push_back(static_cast<std::uint8_t>(x / 4 + detail));
            out.push_back(static_cast<std::uint8_t>(y / 4));
            out.push_back(static_cast<std::uint8_t>((x + y) / 8));
            if (components == 4) {
                out.push_back(static_cast<std::uint8_t>(x < 512 ? 255 : detail * 8));
            }
        }
    }
    return out;
}

void decodeLoop(benchmark::State& state, const char* name, const PictureWriter::Bytes& file) {
    for (auto _ : state) {
        Image image;
        image.decode(name, file.data(), file.size());
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(side) * side * 4);
}

void BM_DecodeTga1024(benchmark::State& state) {
    // Stored B, G, R, A: the same bytes serve, only the channel order differs.
    static const PictureWriter::Bytes file = PictureWriter::tga(2, 32, side, side, samples(4));
    decodeLoop(state, "bench.tga", file);
}
BENCHMARK(BM_DecodeTga1024)->Unit(benchmark::kMillisecond);

void BM_DecodeTgaRunLength1024(benchmark::State& state) {
    static const PictureWriter::Bytes file = PictureWriter::tga(10, 32, side, side, samples(4));
    decodeLoop(state, "bench.tga", file);
}
BENCHMARK(BM_DecodeTgaRunLength1024)->Unit(benchmark::kMillisecond);

void BM_DecodePng1024(benchmark::State& state) {
    PictureWriter::PngOptions options;
    options.colorType = 6; // RGBA
    static const PictureWriter::Bytes file = PictureWriter::png(side, side, samples(4), options);
    decodeLoop(state, "bench.png", file);
}
BENCHMARK(BM_DecodePng1024)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg1024(benchmark::State& state) {
    static const PictureWriter::Bytes file = PictureWriter::jpeg(side, side, 3, samples(3), 90);
    decodeLoop(state, "bench.jpg", file);
}
BENCHMARK(BM_DecodeJpeg1024)->Unit(benchmark::kMillisecond);

} // namespace
