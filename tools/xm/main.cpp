// quillmere-xm render IN.xm OUT.wav [--seconds N]
// quillmere-xm info IN.xm
// quillmere-xm busy OUT.xm [--channels N] [--orders N]
#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModuleRenderer.h"
#include "xmwriter/BusySong.h"
#include "xmwriter/XmWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Without --seconds a song that never ends is cut here.
constexpr double defaultLimitSeconds = 600.0;

int usage() {
    std::fprintf(stderr, "usage: quillmere-xm render IN.xm OUT.wav [--seconds N]\n"
                         "       quillmere-xm info IN.xm\n"
                         "       quillmere-xm busy OUT.xm [--channels N] [--orders N]\n");
    return 2;
}

std::unique_ptr<Module> loadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "quillmere-xm: cannot read %s\n", path.c_str());
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    auto module = ModuleLoader::load(bytes.data(), bytes.size());
    if (module == nullptr) {
        std::fprintf(stderr, "quillmere-xm: %s is not a playable XM module (damaged or not XM)\n",
                     path.c_str());
    }
    return module;
}

void put16(std::ofstream& f, int v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    f.write(b, 2);
}

void put32(std::ofstream& f, std::uint32_t v) {
    put16(f, static_cast<int>(v & 0xFFFF));
    put16(f, static_cast<int>(v >> 16));
}

void writeWavHeader(std::ofstream& f, std::uint32_t dataBytes) {
    f.write("RIFF", 4);
    put32(f, 36 + dataBytes);
    f.write("WAVEfmt ", 8);
    put32(f, 16);
    put16(f, 1);
    put16(f, 2);
    put32(f, Module::rate);
    put32(f, Module::rate * 4);
    put16(f, 4);
    put16(f, 16);
    f.write("data", 4);
    put32(f, dataBytes);
}

int render(const std::string& in, const std::string& out, double seconds) {
    auto module = loadFile(in);
    if (module == nullptr) {
        return 1;
    }
    std::ofstream file(out, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "quillmere-xm: cannot write %s\n", out.c_str());
        return 1;
    }
    writeWavHeader(file, 0);
    const auto limit = static_cast<std::uint64_t>(seconds * Module::rate);
    std::vector<char> bytes;
    const std::uint64_t frames =
        ModuleRenderer::render(*module, limit, [&](const std::int16_t* data, int count) {
            bytes.resize(static_cast<std::size_t>(count) * 4);
            for (int i = 0; i < 2 * count; ++i) {
                bytes[2 * i] = static_cast<char>(data[i] & 0xFF);
                bytes[2 * i + 1] = static_cast<char>((data[i] >> 8) & 0xFF);
            }
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        });
    file.seekp(0);
    writeWavHeader(file, static_cast<std::uint32_t>(frames * 4));
    if (!file) {
        std::fprintf(stderr, "quillmere-xm: writing %s failed\n", out.c_str());
        return 1;
    }
    std::printf("%s: %.2f s%s\n", out.c_str(), static_cast<double>(frames) / Module::rate,
                module->ended ? "" : " (cut before the song ended)");
    return 0;
}

int info(const std::string& in) {
    auto module = loadFile(in);
    if (module == nullptr) {
        return 1;
    }
    const Module& m = *module;
    std::size_t samples = 0;
    for (const Instrument& ins : m.instruments) {
        samples += static_cast<std::size_t>(ins.sampleCount);
    }
    std::printf("channels: %d\n", m.channelCount);
    std::printf("orders: %d (restart at %d)\n", m.songLength, m.restartPosition);
    std::printf("patterns: %d\n", m.patternSlots);
    std::printf("instruments: %d (%zu samples)\n", m.instrumentCount, samples);
    std::printf("frequencies: %s\n", m.linearFrequencies() ? "linear" : "amiga");
    std::printf("speed: %d, bpm: %d\n", m.defaultSpeed, m.defaultBpm);
    const auto limit = static_cast<std::uint64_t>(3600.0 * Module::rate);
    const std::uint64_t frames = ModuleRenderer::songFrames(*module, limit);
    if (frames >= limit) {
        std::printf("duration: does not end within an hour\n");
    } else {
        std::printf("duration: %.2f s\n", static_cast<double>(frames) / Module::rate);
    }
    return 0;
}

// Whole number option values within limits; false on anything else.
bool wholeNumber(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || v < low || v > high) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// Writes the song that keeps every channel busy, for timing players.
int busy(const std::vector<std::string>& args) {
    int channels = 32;
    int orders = 4;
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        const bool ok = args[i] == "--channels"
                            ? wholeNumber(args[i + 1], 1, Module::maxChannels, channels)
                            : args[i] == "--orders" && wholeNumber(args[i + 1], 1, 256, orders);
        if (!ok) {
            return usage();
        }
    }
    if (args.size() % 2 != 0) {
        return usage();
    }
    if (!xm::XmWriter::writeFile(xm::busySong(channels, orders), args[1])) {
        std::fprintf(stderr, "quillmere-xm: cannot write %s\n", args[1].c_str());
        return 1;
    }
    std::printf("%s: %d channels, %d orders\n", args[1].c_str(), channels, orders);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "info") {
        return info(args[1]);
    }
    if (args.size() >= 2 && args[0] == "busy") {
        return busy(args);
    }
    if ((args.size() == 3 || args.size() == 5) && args[0] == "render") {
        double seconds = defaultLimitSeconds;
        if (args.size() == 5) {
            char* end = nullptr;
            seconds = std::strtod(args[4].c_str(), &end);
            if (args[3] != "--seconds" || end == args[4].c_str() || *end != '\0' ||
                !(seconds > 0.0) || seconds > 36000.0) {
                return usage();
            }
        }
        return render(args[1], args[2], seconds);
    }
    return usage();
}
