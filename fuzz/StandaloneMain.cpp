// Runs a libFuzzer-style target without libFuzzer: over the files named on
// the command line (a folder stands for every file in it) and, with none or
// with --random, over a fixed series of pseudo-random inputs, so every target
// keeps building and running in the normal suite. A folder that does not
// exist counts as empty: a build without generated data has no seeds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool runFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

void runRandom() {
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
}

} // namespace

int main(int argc, char** argv) {
    bool random = argc == 1;
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--random") == 0) {
            random = true;
            continue;
        }
        const std::filesystem::path path = argv[i];
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                if (!runFile(file))
                    return 1;
                ++replayed;
            }
        } else if (std::filesystem::exists(path, error)) {
            if (!runFile(path))
                return 1;
            ++replayed;
        }
    }
    if (random)
        runRandom();
    std::printf("%d files replayed%s\n", replayed, random ? ", 2000 random inputs" : "");
    return 0;
}
