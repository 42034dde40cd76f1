// Runs a libFuzzer-style target without libFuzzer: over the files named on
// the command line, or, with none, over a fixed series of pseudo-random
// inputs, so every target keeps building and running in the normal suite.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", argv[i]);
                return 1;
            }
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                            std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        return 0;
    }
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    std::vector<std::uint8_t> bytes;
    for (int run = 0; run < 2000; ++run) {
        bytes.resize(next() % 4096);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(next());
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    return 0;
}
