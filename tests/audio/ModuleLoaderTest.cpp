// Loading XM images: what is read, and damaged or lying images refused
// without reading outside the bytes.
#include "ModuleTestSongs.h"
#include "audio/ModuleRenderer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsongs;

namespace {

// A song that uses most of the format: two patterns, envelopes, several
// samples of both widths and loop kinds.
xm::Song richSong() {
    xm::Song s = song(32, 4);
    s.patterns.emplace_back(16, 4);
    s.orders = {0, 1, 0};
    s.restartPosition = 1;
    s.speed = 5;
    s.bpm = 140;
    xm::Instrument& ins = s.instruments[0];
    ins.samples.push_back(dc(-3000, 40));
    ins.samples.back().loop = xm::Sample::Loop::PingPong;
    ins.samples.push_back(sine(8, 32, 2));
    ins.noteMap.fill(0);
    for (int n = 48; n < 96; ++n) {
        ins.noteMap[n] = static_cast<std::uint8_t>(n < 60 ? 1 : 2);
    }
    ins.volumeEnvelope = {true, {{0, 64}, {10, 40}, {30, 0}}, 1, -1, -1};
    ins.panningEnvelope = {true, {{0, 32}, {5, 0}, {10, 64}}, -1, 0, 2};
    ins.fadeout = 300;
    ins.vibratoType = 2;
    ins.vibratoDepth = 4;
    ins.vibratoRate = 20;
    ins.vibratoSweep = 8;
    s.instruments.emplace_back(); // no samples at all
    s.instruments.push_back(instrument(sine(16, 100, 1)));
    const char* notes[] = {"C-4", "D#5", "G-3", "A-2"};
    for (int r = 0; r < 32; r += 2) {
        for (int c = 0; c < 4; ++c) {
            s.patterns[0].at(r, c) =
                cell(notes[(r / 2 + c) % 4], 1 + (r + c) % 3, 0x10 + r, (r + c) % 16, r * 7);
        }
    }
    s.patterns[1].at(3, 2) = cell("B-7", 3, 0xC8, 0x4, 0x44);
    s.patterns[1].at(5, 1).note = xm::keyOff;
    return s;
}

std::vector<std::uint8_t> bytesOf(const xm::Song& s) {
    return xm::XmWriter::write(s);
}

std::unique_ptr<Module> loadBytes(const std::vector<std::uint8_t>& b) {
    return ModuleLoader::load(b.data(), b.size());
}

void put16(std::vector<std::uint8_t>& b, std::size_t at, int v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

// Where the first pattern, instrument and sample header start in a written song.
std::size_t firstPattern() {
    return 60 + 276;
}

} // namespace

TEST(ModuleLoader, ReadsHeaderPatternsInstrumentsAndSamples) {
    const xm::Song s = richSong();
    auto m = load(s);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->songLength, 3);
    EXPECT_EQ(m->restartPosition, 1);
    EXPECT_EQ(m->channelCount, 4);
    EXPECT_EQ(m->instrumentCount, 3);
    EXPECT_EQ(m->usedPatterns, 2);
    EXPECT_EQ(m->patternSlots, 2);
    EXPECT_TRUE(m->linearFrequencies());
    EXPECT_EQ(m->defaultSpeed, 5);
    EXPECT_EQ(m->defaultBpm, 140);
    EXPECT_EQ(m->speed, 5);
    EXPECT_EQ(m->patterns[0].rows, 32);
    EXPECT_EQ(m->patterns[1].rows, 16);
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 4; ++c) {
            const xm::Cell& want = s.patterns[0].at(r, c);
            const std::uint8_t* got = m->patterns[0].cell(r, c, 4);
            ASSERT_EQ(got[0], want.note);
            ASSERT_EQ(got[1], want.instrument);
            ASSERT_EQ(got[2], want.volume);
            ASSERT_EQ(got[3], want.effect);
            ASSERT_EQ(got[4], want.param);
        }
    }
    EXPECT_EQ(m->patterns[1].cell(5, 1, 4)[0], 255); // key off
    EXPECT_EQ(m->patterns[1].cell(3, 2, 4)[0], 96);

    const Instrument& ins = m->instruments[0];
    EXPECT_EQ(ins.sampleCount, 3);
    EXPECT_EQ(ins.noteMap[50], 1);
    EXPECT_EQ(ins.samples[3], &m->emptySample);
    EXPECT_EQ(ins.volumeEnvelope.points, 3);
    EXPECT_EQ(ins.volumeEnvelope.type, Envelope::on | Envelope::sustainOn);
    EXPECT_EQ(ins.volumeEnvelope.x[1], 10);
    EXPECT_EQ(ins.volumeEnvelope.y[1], 40);
    EXPECT_EQ(ins.panningEnvelope.type, Envelope::on | Envelope::loopOn);
    EXPECT_EQ(ins.panningEnvelope.loopEnd, 2);
    EXPECT_EQ(ins.fadeout, 600);
    EXPECT_EQ(ins.vibratoType, 2);
    EXPECT_EQ(ins.vibratoSweep, 8);
    EXPECT_EQ(m->instruments[1].sampleCount, 0);
    EXPECT_EQ(m->instruments[1].samples[0], &m->emptySample);
    EXPECT_EQ(m->samples.size(), 4u);
    EXPECT_EQ(ins.samples[1]->loopType, Sample::pingPongLoop);
    EXPECT_EQ(ins.samples[1]->data[0], -3000);
    EXPECT_EQ(ins.samples[2]->length, 64u);
    EXPECT_EQ(ins.samples[2]->data[8], sine(8, 32, 2).pcm[8] * 256);
    EXPECT_EQ(m->instruments[2].samples[0]->length, 100u);
}

TEST(ModuleLoader, EnvelopesWithTooFewPointsAreOff) {
    xm::Song s = song(4);
    s.instruments[0].volumeEnvelope = {true, {{0, 64}}, -1, -1, -1};
    auto m = load(s);
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->instruments[0].volumeEnvelope.enabled());
}

TEST(ModuleLoader, RefusesWhatIsNotAModule) {
    EXPECT_EQ(ModuleLoader::load(nullptr, 0), nullptr);
    std::vector<std::uint8_t> b = bytesOf(song(4));
    b[9] = 'X'; // "Extended Xodule"
    EXPECT_EQ(loadBytes(b), nullptr);
    const std::uint8_t shortText[] = "Extended Module: ";
    EXPECT_EQ(ModuleLoader::load(shortText, sizeof shortText), nullptr);
}

TEST(ModuleLoader, RefusesLyingCountsAndSizes) {
    const std::vector<std::uint8_t> good = bytesOf(richSong());
    ASSERT_TRUE(loadBytes(good));
    struct Lie {
        const char* what;
        std::size_t at;
        int value;
    };
    const std::size_t pattern = firstPattern();
    const Lie lies[] = {
        {"33 channels", 68, 33},
        {"no channels", 68, 0},
        {"no orders", 64, 0},
        {"257 orders", 64, 257},
        {"257 patterns", 70, 257},
        {"129 instruments", 72, 129},
        {"header size past the end", 60, 0xFFFF},
        {"pattern of 0 rows", pattern + 5, 0},
        {"pattern of 257 rows", pattern + 5, 257},
        {"packed size past the end", pattern + 7, 0xFFFF},
        {"packed data shorter than the cells", pattern + 7, 10},
    };
    for (const Lie& lie : lies) {
        std::vector<std::uint8_t> b = good;
        put16(b, lie.at, lie.value);
        EXPECT_EQ(loadBytes(b), nullptr) << lie.what;
    }
    std::vector<std::uint8_t> b = good;
    b[62] = 0x10; // header size above 1 MB
    EXPECT_EQ(loadBytes(b), nullptr);
}

TEST(ModuleLoader, RefusesLyingInstrumentsAndSamples) {
    xm::Song s = song(4);
    s.instruments[0].samples[0] = dc(100, 10);
    const std::vector<std::uint8_t> good = bytesOf(s);
    ASSERT_TRUE(loadBytes(good));
    // The image ends with the instrument (263 bytes), its sample header (40)
    // and 10 16-bit samples.
    const std::size_t ins = good.size() - 20 - 40 - 263;
    const std::size_t sampleHeader = ins + 263;
    std::vector<std::uint8_t> b = good;
    put16(b, ins + 27, 17);
    EXPECT_EQ(loadBytes(b), nullptr) << "17 samples";
    b = good;
    put16(b, ins + 2, 0x7FFF);
    EXPECT_EQ(loadBytes(b), nullptr) << "instrument size past the end";
    b = good;
    put16(b, sampleHeader, 22);
    EXPECT_EQ(loadBytes(b), nullptr) << "sample data past the end";
    b = good;
    put16(b, sampleHeader + 2, 0xFFFF);
    EXPECT_EQ(loadBytes(b), nullptr) << "sample length of gigabytes";

    // A loop that reaches past the data is cut back to it.
    b = good;
    put16(b, sampleHeader + 4, 8);   // loop start: sample 4
    put16(b, sampleHeader + 8, 400); // loop length: far too long
    auto m = loadBytes(b);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->samples[0]->loopStart, 4u);
    EXPECT_EQ(m->samples[0]->loopLength, 6u);
    EXPECT_EQ(m->samples[0]->data[10], 100);
}

TEST(ModuleLoader, TruncatedAtAnyPointFailsCleanly) {
    const std::vector<std::uint8_t> good = bytesOf(richSong());
    for (std::size_t n = 0; n < good.size(); ++n) {
        // A copy of exactly n bytes, so that reading past it is caught by
        // the sanitizers.
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(n));
        auto m = ModuleLoader::load(cut.data(), cut.size());
        ASSERT_EQ(m, nullptr) << "cut at " << n;
    }
}

TEST(ModuleLoader, CorruptedImagesNeverCrashAndStillPlay) {
    const std::vector<std::uint8_t> good = bytesOf(richSong());
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> b = good;
        const int changes = 1 + static_cast<int>(next() % 8);
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = 17 + next() % (b.size() - 17);
            b[at] = static_cast<std::uint8_t>(next());
        }
        auto m = loadBytes(b);
        if (m) {
            ++loaded;
            // A few seconds of whatever it now says must mix without harm.
            ModuleRenderer::render(*m, 44100, [](const std::int16_t*, int) {});
        }
    }
    EXPECT_GT(loaded, 50);
}
