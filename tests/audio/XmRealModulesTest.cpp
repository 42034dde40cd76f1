// Every XM module installed by the game packages of the system (modules that
// nobody here wrote) loads, plays to its end and sounds sane.
#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModuleRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> installedModules() {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    const std::filesystem::path root = "/usr/share/games";
    if (!std::filesystem::is_directory(root, error)) {
        return found;
    }
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext == ".xm" && it->is_regular_file(error)) {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// What a rendering sounded like.
struct Listening {
    std::uint64_t frames = 0;
    double sumSquares = 0;
    int peak = 0;
    std::uint64_t clipped = 0;
    std::uint64_t longestClip = 0; // frames in a row at full scale
    // Silence that sound follows: a song may well end in empty rows.
    std::uint64_t longestSilence = 0;

    void hear(const std::int16_t* data, int count) {
        for (int i = 0; i < count; ++i) {
            const int l = data[2 * i];
            const int r = data[2 * i + 1];
            sumSquares += double(l) * l + double(r) * r;
            peak = std::max({peak, std::abs(l), std::abs(r)});
            const bool full = std::abs(l) >= 32767 || std::abs(r) >= 32767;
            clipRun_ = full ? clipRun_ + 1 : 0;
            clipped += full ? 1 : 0;
            longestClip = std::max(longestClip, clipRun_);
            if (l == 0 && r == 0) {
                ++silentRun_;
            } else {
                longestSilence = std::max(longestSilence, silentRun_);
                silentRun_ = 0;
            }
        }
        frames += static_cast<std::uint64_t>(count);
    }
    double rms() const {
        return std::sqrt(sumSquares / (2.0 * std::max<std::uint64_t>(frames, 1)));
    }

private:
    std::uint64_t clipRun_ = 0;
    std::uint64_t silentRun_ = 0;
};

} // namespace

TEST(XmRealModules, EveryInstalledModuleLoadsEndsAndSoundsSane) {
    const std::vector<std::filesystem::path> modules = installedModules();
    if (modules.empty()) {
        GTEST_SKIP() << "no .xm modules under /usr/share/games (bomberclone-data, njam-data)";
    }
    const std::uint64_t tenMinutes = 600ull * Module::rate;
    for (const std::filesystem::path& path : modules) {
        SCOPED_TRACE(path.string());
        std::ifstream file(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        auto module = ModuleLoader::load(bytes.data(), bytes.size());
        ASSERT_NE(module, nullptr);
        const std::uint64_t songFrames = ModuleRenderer::songFrames(*module, tenMinutes);

        Listening ear;
        const std::uint64_t frames = ModuleRenderer::render(
            *module, tenMinutes, [&ear](const std::int16_t* d, int n) { ear.hear(d, n); });
        EXPECT_TRUE(module->ended);
        EXPECT_EQ(frames, songFrames);
        EXPECT_GT(frames, 10ull * Module::rate);
        EXPECT_GT(ear.rms(), 300.0);
        EXPECT_GT(ear.peak, 4000);
        EXPECT_LT(ear.longestClip, 441u) << "clipped for 10 ms in a row";
        EXPECT_LT(double(ear.clipped), 0.001 * double(frames));
        EXPECT_LT(ear.longestSilence, 5ull * Module::rate);
        std::printf("[ module ] %-40s %7.2f s  rms %6.0f  peak %5d  clipped %llu frames\n",
                    path.filename().c_str(), double(frames) / Module::rate, ear.rms(), ear.peak,
                    static_cast<unsigned long long>(ear.clipped));
        RecordProperty(path.filename().string(), std::to_string(double(frames) / Module::rate));
    }
}
