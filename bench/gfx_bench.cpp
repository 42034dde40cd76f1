#include "gfx/Font.h"
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

// A font picture as the game's: 512 by 128, two bands of 47 glyphs.
PictureWriter::Bytes fontPicture() {
    constexpr int w = 512;
    constexpr int h = 128;
    PictureWriter::Bytes pixels(static_cast<std::size_t>(w) * h * 4, 0);
    int n = 0;
    for (int band = 0; band < 2; ++band) {
        const int top = h - 4 - band * 40;
        const int bottom = top - 30;
        int column = 1;
        for (int run = 0; run < 48; ++run, ++n) {
            const int width = run == 0 ? 2 : 4 + n % 5;
            for (int c = column; c < column + width; ++c) {
                for (int r = bottom; r <= top; ++r) {
                    pixels[(static_cast<std::size_t>(r) * w + c) * 4 + 3] =
                        static_cast<std::uint8_t>((c + r) % 3 ? 255 : 0);
                }
            }
            column += width + 2;
        }
    }
    return PictureWriter::tga(2, 32, w, h, pixels);
}

void BM_FontScan(benchmark::State& state) {
    const PictureWriter::Bytes file = fontPicture();
    for (auto _ : state) {
        Font font;
        benchmark::DoNotOptimize(font.loadGlyphs(file.data(), file.size(), nullptr));
    }
}
BENCHMARK(BM_FontScan)->Unit(benchmark::kMicrosecond);

void BM_TextLayout1000(benchmark::State& state) {
    const PictureWriter::Bytes file = fontPicture();
    Font font;
    if (!font.loadGlyphs(file.data(), file.size(), nullptr)) {
        state.SkipWithError("font picture did not scan");
        return;
    }
    std::string text;
    for (int i = 0; text.size() < 1000; ++i) {
        text += i % 60 == 59 ? '\n' : static_cast<char>(i % 11 == 0 ? ' ' : 33 + (i * 7) % 94);
    }
    std::vector<Font::Quad> quads;
    for (auto _ : state) {
        font.layout(text.c_str(), 24, 10, 40, false, false, quads);
        benchmark::DoNotOptimize(quads.data());
        benchmark::DoNotOptimize(font.textWidth(text.c_str(), 24));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_TextLayout1000)->Unit(benchmark::kMicrosecond);

} // namespace
