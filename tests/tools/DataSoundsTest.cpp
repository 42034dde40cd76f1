// The generated sound effects, read back from their WAVE bytes.
#include "audio/WaveReader.h"
#include "datagen/DataTree.h"
#include "datagen/Generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

struct Pcm {
    bool ok = false;
    int channels = 0, rate = 0, bits = 0;
    std::vector<double> samples; // -1 .. 1
    double seconds() const { return samples.size() / double(rate); }
};

// Read with the game's own WAVE reader.
Pcm read(const std::vector<std::uint8_t>& bytes) {
    Pcm pcm;
    WaveReader reader;
    if (!reader.open(bytes.data(), bytes.size()) || !reader.format().isPcm()) {
        return pcm;
    }
    pcm.channels = reader.format().channels;
    pcm.rate = static_cast<int>(reader.format().samplesPerSec);
    pcm.bits = reader.format().bitsPerSample;
    std::vector<std::uint8_t> data(reader.size());
    if (pcm.bits != 16 || reader.read(data.data(), data.size()) != data.size()) {
        return pcm;
    }
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        pcm.samples.push_back(std::int16_t(data[i] | data[i + 1] << 8) / 32768.0);
    }
    pcm.ok = !pcm.samples.empty();
    return pcm;
}

double loudestRms(const std::vector<double>& s, int rate) {
    const size_t window = rate / 20;
    double best = 0;
    for (size_t start = 0; start == 0 || start + window <= s.size(); start += window / 4) {
        double sum = 0;
        for (size_t i = start; i < std::min(s.size(), start + window); ++i) {
            sum += s[i] * s[i];
        }
        best = std::max(best, std::sqrt(sum / window));
    }
    return best;
}

// Pitch by zero crossings between two times (seconds).
double crossingsPerSecond(const Pcm& p, double from, double to) {
    size_t a = static_cast<size_t>(from * p.rate), b = static_cast<size_t>(to * p.rate);
    int n = 0;
    for (size_t i = a + 1; i < std::min(b, p.samples.size()); ++i) {
        n += (p.samples[i - 1] < 0) != (p.samples[i] < 0);
    }
    return n / 2.0 / (to - from);
}

struct Sounds : ::testing::Test {
    static void SetUpTestSuite() {
        tree = new DataTree;
        addSounds(*tree);
        for (const auto& [name, bytes] : tree->loose()) {
            (*pcm)[name] = read(bytes);
        }
    }
    static void TearDownTestSuite() {
        delete tree;
        pcm->clear();
    }
    static const Pcm& get(const std::string& name) { return pcm->at("wav/" + name + ".wav"); }
    static DataTree* tree;
    static std::map<std::string, Pcm>* pcm;
};
DataTree* Sounds::tree = nullptr;
std::map<std::string, Pcm>* Sounds::pcm = new std::map<std::string, Pcm>;

TEST_F(Sounds, TheTenEffectsAsLoosePcmFiles) {
    const char* names[] = {"glassbreaks", "pop",    "waterdrop2", "bonk",    "bowl",
                           "shot",        "select", "unselect",   "takeoff", "btn_click"};
    EXPECT_EQ(tree->loose().size(), 10u);
    EXPECT_TRUE(tree->packed().empty());
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(pcm->count(std::string("wav/") + name + ".wav"));
        const Pcm& p = get(name);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.channels, 1);
        EXPECT_EQ(p.bits, 16);
        EXPECT_EQ(p.rate, 22050);
        EXPECT_GT(p.seconds(), 0.02);
        EXPECT_LT(p.seconds(), 2.5);
    }
}

TEST_F(Sounds, CleanAndMatchedInLoudness) {
    double quietest = 1, loudest = 0;
    for (const auto& [name, p] : *pcm) {
        SCOPED_TRACE(name);
        double peak = 0;
        for (double s : p.samples) {
            peak = std::max(peak, std::abs(s));
        }
        EXPECT_LT(peak, 0.97) << "clipped";
        // Starts and ends at rest: no click at either end.
        EXPECT_LT(std::abs(p.samples.front()), 0.01);
        EXPECT_LT(std::abs(p.samples.back()), 0.01);
        double rms = loudestRms(p.samples, p.rate);
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_GT(quietest, 0.1);
    EXPECT_LT(20 * std::log10(loudest / quietest), 1.5) << "dB between loudest and quietest";
}

TEST_F(Sounds, EachSoundsLikeItsName) {
    // Picking up glides up, putting down glides down, a drop's bubble rises,
    // a bonk falls.
    EXPECT_GT(crossingsPerSecond(get("select"), 0.07, 0.1),
              1.6 * crossingsPerSecond(get("select"), 0.0, 0.02));
    EXPECT_LT(crossingsPerSecond(get("unselect"), 0.07, 0.1),
              0.7 * crossingsPerSecond(get("unselect"), 0.0, 0.02));
    EXPECT_GT(crossingsPerSecond(get("waterdrop2"), 0.06, 0.12),
              1.6 * crossingsPerSecond(get("waterdrop2"), 0.0, 0.01));
    EXPECT_LT(crossingsPerSecond(get("bonk"), 0.12, 0.2),
              0.8 * crossingsPerSecond(get("bonk"), 0.0, 0.03));
    // Breaking glass is bright, a bowl rings long and steady, a click is
    // over almost at once.
    EXPECT_GT(crossingsPerSecond(get("glassbreaks"), 0.0, 0.3), 2000);
    EXPECT_GT(get("bowl").seconds(), 1.5);
    double early = crossingsPerSecond(get("bowl"), 0.9, 1.3);
    double late = crossingsPerSecond(get("bowl"), 1.5, 1.9);
    EXPECT_NEAR(late / early, 1.0, 0.15);
    EXPECT_LT(get("btn_click").seconds(), 0.05);
    // Take-off rises from a rumble to a hiss.
    EXPECT_GT(crossingsPerSecond(get("takeoff"), 0.45, 0.6),
              2.0 * crossingsPerSecond(get("takeoff"), 0.05, 0.2));
}

TEST_F(Sounds, GeneratedTwiceTheSame) {
    DataTree again;
    addSounds(again);
    EXPECT_EQ(again.loose(), tree->loose());
}

} // namespace
