// The generated tunes, loaded and played through the game's own replayer.
#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModuleRenderer.h"
#include "datagen/DataTree.h"
#include "datagen/Generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const kTunes[] = {"music/menu.xm", "music/game01.xm", "music/game02.xm",
                              "music/game03.xm", "music/game04.xm"};

// The music volume a fresh installation plays at, and the loudest one.
constexpr int kDefaultVolume = 40;
constexpr int kLoudest = 64;

struct Rendered {
    bool ended = false;
    double seconds = 0;
    int peak = 0;
    std::uint64_t clipped = 0;
    double rms = 0;
    // Loudness of every tenth of the song, to see its sections.
    std::vector<double> tenths;
};

Rendered render(const std::vector<std::uint8_t>& bytes, int volume) {
    Rendered out;
    auto module = ModuleLoader::load(bytes.data(), bytes.size(), volume);
    if (!module) {
        return out;
    }
    const std::uint64_t limit = 200ull * Module::rate + 1;
    const std::uint64_t total = ModuleRenderer::songFrames(*module, limit);
    double sum = 0;
    std::uint64_t frame = 0;
    std::vector<double> tenthSum(10, 0.0);
    std::vector<std::uint64_t> tenthCount(10, 0);
    out.seconds = static_cast<double>(ModuleRenderer::render(
                      *module, limit,
                      [&](const std::int16_t* data, int count) {
                          for (int i = 0; i < 2 * count; ++i) {
                              int v = data[i];
                              out.peak = std::max(out.peak, std::abs(v));
                              out.clipped += v >= 32767 || v <= -32768;
                              sum += double(v) * v;
                              size_t t = std::min<std::uint64_t>(
                                  9, (frame + i / 2) * 10 / std::max<std::uint64_t>(1, total));
                              tenthSum[t] += double(v) * v;
                              ++tenthCount[t];
                          }
                          frame += count;
                      })) /
                  Module::rate;
    out.ended = module->ended;
    out.rms = frame ? std::sqrt(sum / (2.0 * frame)) : 0;
    for (int t = 0; t < 10; ++t) {
        out.tenths.push_back(tenthCount[t] ? std::sqrt(tenthSum[t] / tenthCount[t]) : 0);
    }
    return out;
}

double dbfs(double v) {
    return 20 * std::log10(std::max(v, 1e-9) / 32768.0);
}

struct Music : ::testing::Test {
    static void SetUpTestSuite() {
        tree = new DataTree;
        addMusic(*tree);
    }
    static void TearDownTestSuite() { delete tree; }
    static const std::vector<std::uint8_t>& file(const char* name) {
        return tree->packed().at(name);
    }
    static DataTree* tree;
};
DataTree* Music::tree = nullptr;

TEST_F(Music, FiveModulesThatPlayOnceAndEndInTime) {
    EXPECT_EQ(tree->packed().size(), 5u);
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(tree->packed().count(name));
        Rendered r = render(file(name), kDefaultVolume);
        EXPECT_TRUE(r.ended) << "runs off its order list";
        EXPECT_GE(r.seconds, 90.0);
        EXPECT_LE(r.seconds, 200.0);
        // Neither clipped nor timid at the default volume, and with room to
        // spare even at the loudest.
        EXPECT_EQ(r.clipped, 0u);
        EXPECT_LT(dbfs(r.peak), -3.0);
        EXPECT_GT(dbfs(r.rms), -30.0);
        Rendered loud = render(file(name), kLoudest);
        EXPECT_EQ(loud.clipped, 0u);
        // Sections: a quiet start and end around a fuller middle.
        const double middle = *std::max_element(r.tenths.begin() + 2, r.tenths.end() - 1);
        EXPECT_LT(r.tenths.front(), middle);
        EXPECT_LT(r.tenths.back(), middle * 0.8);
    }
}

TEST_F(Music, WrittenTheWayATrackerMusicianWrites) {
    std::set<int> bpms;
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        auto module = ModuleLoader::load(file(name).data(), file(name).size(), kDefaultVolume);
        ASSERT_NE(module, nullptr);
        bpms.insert(module->defaultBpm);
        EXPECT_GE(module->songLength, 12);
        std::map<int, int> effects; // effect number -> uses
        int volumeSlides = 0, keyOffs = 0, notes = 0;
        for (int o = 0; o < module->songLength; ++o) {
            const Pattern& p = module->patterns[module->orderTable[o]];
            for (int row = 0; row < p.rows; ++row) {
                for (int c = 0; c < module->channelCount; ++c) {
                    const std::uint8_t* cell = p.cell(row, c, module->channelCount);
                    notes += cell[0] > 0 && cell[0] <= 96;
                    keyOffs += cell[0] == 255;
                    volumeSlides += cell[2] >= 0x60 && cell[2] < 0xA0;
                    if (cell[3] != 0 || cell[4] != 0) {
                        ++effects[cell[3]];
                    }
                }
            }
        }
        EXPECT_GT(notes, 800);
        EXPECT_GE(keyOffs, 10) << "the ending releases every channel";
        EXPECT_GT(effects[0x0], 50) << "arpeggio";
        EXPECT_GT(effects[0x3], 0) << "portamento";
        EXPECT_GT(effects[0x4], 10) << "vibrato";
        EXPECT_GT(effects[0xA] + volumeSlides, 10) << "volume slides";
        EXPECT_EQ(effects[0xD], 1) << "one pattern break";
        EXPECT_GT(effects[0xF], 0) << "the ending slows down";
        // No jumps back (the song must end) and no global volume commands
        // (they would override the player's music volume).
        EXPECT_EQ(effects[0xB], 0);
        EXPECT_EQ(effects[0x10], 0);
        EXPECT_EQ(effects[0x11], 0);
        std::set<int> distinct(module->orderTable.begin(),
                               module->orderTable.begin() + module->songLength);
        EXPECT_GE(distinct.size(), 10u);
        for (int i = 0; i < module->instrumentCount; ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(module->instruments[i].volumeEnvelope.enabled());
            EXPECT_GT(module->instruments[i].fadeout, 0);
        }
    }
    EXPECT_EQ(bpms.size(), 5u) << "every tune has its own pace";
}

TEST_F(Music, GeneratedTwiceTheSame) {
    DataTree again;
    addMusic(again);
    EXPECT_EQ(again.packed(), tree->packed());
}

} // namespace
