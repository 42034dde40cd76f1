#include "audio/WaveReader.h"
#include "audio/WaveTestFile.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wavetest;

namespace {

// Parses from a heap block of exactly the file's size, so that a sanitizer
// build catches any read past it.
bool parses(const Bytes& file, WaveReader& reader) {
    auto exact = std::make_unique<std::uint8_t[]>(file.size() + 1);
    std::copy(file.begin(), file.end(), exact.get());
    return reader.open(exact.get(), file.size());
}

bool parses(const Bytes& file) {
    WaveReader reader;
    return parses(file, reader);
}

} // namespace

TEST(WaveReader, ReadsFormatAndDataInPieces) {
    Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    // A list chunk of odd size (padded) before the format, the data first.
    Bytes file = riff({{"LIST", {'a', 'b', 'c'}, {}},
                       {"data", data, {}},
                       {"fmt ", fmtBody(1, 2, 22050, 16), {}}});
    WaveReader r;
    ASSERT_TRUE(parses(file, r));
    EXPECT_EQ(r.format().formatTag, 1);
    EXPECT_EQ(r.format().channels, 2);
    EXPECT_EQ(r.format().samplesPerSec, 22050u);
    EXPECT_EQ(r.format().avgBytesPerSec, 88200u);
    EXPECT_EQ(r.format().blockAlign, 4);
    EXPECT_EQ(r.format().bitsPerSample, 16);
    EXPECT_EQ(r.format().extraSize, 0);
    EXPECT_TRUE(r.format().isPcm());
    EXPECT_EQ(r.size(), 10u);

    std::uint8_t buf[16] = {};
    EXPECT_EQ(r.read(buf, 4), 4u);
    EXPECT_EQ(r.read(buf + 4, 16), 6u); // never past the data
    EXPECT_EQ(r.read(buf, 16), 0u);
    EXPECT_EQ(Bytes(buf, buf + 10), data);
    r.rewind();
    EXPECT_EQ(r.read(buf, 3), 3u);
    EXPECT_EQ(buf[2], 3);

    r.close();
    EXPECT_FALSE(r.isOpen());
    EXPECT_EQ(r.read(buf, 4), 0u);
}

TEST(WaveReader, KeepsTheExtraBytesOfOtherFormats) {
    WaveReader r;
    Bytes ext(22, 0);
    ext[6] = 1; // sub-format: PCM
    ASSERT_TRUE(parses(
        riff({{"fmt ", fmtBody(0xFFFE, 2, 44100, 16, ext), {}}, {"data", {0, 0, 0, 0}, {}}}), r));
    EXPECT_EQ(r.format().extraSize, 22);
    EXPECT_EQ(r.format().extra, ext);
    EXPECT_TRUE(r.format().isPcm());

    ASSERT_TRUE(
        parses(riff({{"fmt ", fmtBody(2, 1, 8000, 4, Bytes{7, 7}), {}}, {"data", {0}, {}}}), r));
    EXPECT_EQ(r.format().formatTag, 2);
    EXPECT_EQ(r.format().extra, (Bytes{7, 7}));
    EXPECT_FALSE(r.format().isPcm());
}

TEST(WaveReader, ReadsFromTheDisk) {
    Bytes data = {128, 129, 130};
    WaveReader r;
    ASSERT_TRUE(r.open(writeFile("reader_disk.wav", pcm(1, 8000, 8, data))));
    EXPECT_EQ(r.size(), 3u);
    EXPECT_FALSE(r.open(writeFile("reader_empty.wav", {})));
    EXPECT_FALSE(r.open(writeFile("reader_text.wav", {'h', 'e', 'l', 'l', 'o'})));
    EXPECT_FALSE(r.open("no/such/file.wav"));
    EXPECT_FALSE(r.isOpen());
}

TEST(WaveReader, RefusesMalformedAndLyingFiles) {
    Bytes fmt = fmtBody(1, 1, 8000, 8);
    Bytes data = {1, 2, 3, 4};
    Bytes good = pcm(1, 8000, 8, data);
    ASSERT_TRUE(parses(good));

    EXPECT_FALSE(parses({}));
    Bytes notRiff = good;
    notRiff[0] = 'X';
    EXPECT_FALSE(parses(notRiff));
    Bytes notWave = good;
    notWave[11] = 'X';
    EXPECT_FALSE(parses(notWave));
    EXPECT_FALSE(
        parses(riff({{"fmt ", fmt, {}}, {"data", data, {}}}, 0xFFFFFFF0u))); // form past the end
    EXPECT_FALSE(parses(riff({{"fmt ", fmt, {}}, {"data", data, {}}}, 3)));  // form too short
    EXPECT_FALSE(parses(riff({{"fmt ", fmt, {}}, {"data", data, 5}})));      // data past the end
    EXPECT_FALSE(
        parses(riff({{"fmt ", fmt, {}}, {"data", data, 0xFFFFFFFFu}})));   // wraps when added
    EXPECT_FALSE(parses(riff({{"fmt ", fmt, 1000}, {"data", data, {}}}))); // format past the end
    EXPECT_FALSE(
        parses(riff({{"LIST", {1, 2}, 0x7FFFFFFF}, {"fmt ", fmt, {}}, {"data", data, {}}})));
    EXPECT_FALSE(
        parses(riff({{"fmt ", Bytes(fmt.begin(), fmt.begin() + 14), {}}, {"data", data, {}}})));
    Bytes noExtraSize = fmtBody(2, 1, 8000, 4); // not PCM, and no room for the extra size
    EXPECT_FALSE(parses(riff({{"fmt ", noExtraSize, {}}, {"data", data, {}}})));
    Bytes shortExtra = fmtBody(2, 1, 8000, 4, Bytes{1, 2});
    shortExtra[16] = 9; // extra size beyond the chunk
    EXPECT_FALSE(parses(riff({{"fmt ", shortExtra, {}}, {"data", data, {}}})));
    EXPECT_FALSE(parses(riff({{"fmt ", fmt, {}}})));  // no data
    EXPECT_FALSE(parses(riff({{"data", data, {}}}))); // no format
    // The data chunk beyond the end of the stated form does not count.
    Bytes outside = good;
    outside[4] = 4 + 8 + 16;
    EXPECT_FALSE(parses(outside));
}

TEST(WaveReader, NoPrefixOrDamagedHeaderReadsOutsideTheFile) {
    Bytes good = riff(
        {{"LIST", {'x'}, {}}, {"fmt ", fmtBody(1, 2, 44100, 16), {}}, {"data", Bytes(40, 9), {}}});
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(parses(Bytes(good.begin(), good.begin() + static_cast<long>(n)))) << n;
    // Every header byte in turn set to values that make sizes large or small:
    // whatever parses must keep its data inside the file.
    for (std::size_t i = 0; i < 60 && i < good.size(); ++i) {
        for (std::uint8_t v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            Bytes bad = good;
            bad[i] = v;
            WaveReader r;
            if (parses(bad, r)) {
                EXPECT_LE(r.size(), bad.size());
                std::vector<std::uint8_t> sink(r.size());
                EXPECT_EQ(r.read(sink.data(), sink.size()), r.size());
            }
        }
    }
}
