#include "gfx/PngDecoder.h"
#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <png.h>
#include <zlib.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;
using Options = PictureWriter::PngOptions;

namespace {

Image decodePng(const Bytes& file) {
    Image image;
    image.decode("picture.png", file.data(), file.size());
    return image;
}

Options withType(int colorType, int bitDepth = 8) {
    Options o;
    o.colorType = colorType;
    o.bitDepth = bitDepth;
    return o;
}

} // namespace

TEST(PngDecoder, RgbComesOutBottomRowFirst) {
    // Top row red, green; bottom row blue, white.
    const Bytes samples = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const Image image = decodePng(PictureWriter::png(2, 2, samples, withType(PNG_COLOR_TYPE_RGB)));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.formatCode, Image::Rgb);
    EXPECT_EQ(image.dataSize, 12);
    EXPECT_EQ(image.pixels, (Bytes{0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
}

TEST(PngDecoder, PaletteWithTransparencyBecomesRgba) {
    Options o = withType(PNG_COLOR_TYPE_PALETTE);
    o.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    o.trnsAlpha = {0, 128}; // entry 2 stays opaque
    const Image image = decodePng(PictureWriter::png(3, 1, {2, 1, 0}, o));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.formatCode, Image::Rgba);
    EXPECT_EQ(image.pixels, (Bytes{70, 80, 90, 255, 40, 50, 60, 128, 10, 20, 30, 0}));
}

TEST(PngDecoder, PaletteWithoutTransparencyIsRgbAndLowDepthsExpand) {
    Options o = withType(PNG_COLOR_TYPE_PALETTE, 2);
    o.palette = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // Four 2-bit indices 3, 2, 1, 0 packed into one byte.
    const Image image = decodePng(PictureWriter::png(4, 1, {0b11100100}, o));
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixels, (Bytes{10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3}));
}

TEST(PngDecoder, GreyKindsBecomeRgbOrRgba) {
    const Image grey = decodePng(PictureWriter::png(2, 1, {0, 200}, withType(PNG_COLOR_TYPE_GRAY)));
    EXPECT_EQ(grey.components, 3);
    EXPECT_EQ(grey.pixels, (Bytes{0, 0, 0, 200, 200, 200}));

    const Image oneBit =
        decodePng(PictureWriter::png(3, 1, {0b10100000}, withType(PNG_COLOR_TYPE_GRAY, 1)));
    EXPECT_EQ(oneBit.pixels, (Bytes{255, 255, 255, 0, 0, 0, 255, 255, 255}));

    const Image greyAlpha =
        decodePng(PictureWriter::png(2, 1, {50, 7, 90, 255}, withType(PNG_COLOR_TYPE_GRAY_ALPHA)));
    EXPECT_EQ(greyAlpha.components, 4);
    EXPECT_EQ(greyAlpha.pixels, (Bytes{50, 50, 50, 7, 90, 90, 90, 255}));

    Options keyed = withType(PNG_COLOR_TYPE_GRAY);
    keyed.trnsGrey = 200;
    const Image greyKey = decodePng(PictureWriter::png(2, 1, {0, 200}, keyed));
    EXPECT_EQ(greyKey.components, 4);
    EXPECT_EQ(greyKey.pixels, (Bytes{0, 0, 0, 255, 200, 200, 200, 0}));
}

TEST(PngDecoder, SixteenBitSamplesKeepTheirHighByte) {
    // RGBA, 16 bits per sample, given little-endian: 0x12AB, 0x34CD, 0x56EF, 0xFF01.
    const Bytes samples = {0xAB, 0x12, 0xCD, 0x34, 0xEF, 0x56, 0x01, 0xFF};
    const Image image =
        decodePng(PictureWriter::png(1, 1, samples, withType(PNG_COLOR_TYPE_RGB_ALPHA, 16)));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.pixels, (Bytes{0x12, 0x34, 0x56, 0xFF}));
}

TEST(PngDecoder, ColourKeyTransparency) {
    Options o = withType(PNG_COLOR_TYPE_RGB);
    o.trnsRgb[0] = 1;
    o.trnsRgb[1] = 2;
    o.trnsRgb[2] = 3;
    const Image image = decodePng(PictureWriter::png(2, 1, {1, 2, 3, 4, 5, 6}, o));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.pixels, (Bytes{1, 2, 3, 0, 4, 5, 6, 255}));
}

TEST(PngDecoder, BackgroundChunkCompositesAndDropsAlpha) {
    Options o = withType(PNG_COLOR_TYPE_PALETTE);
    o.palette = {200, 100, 50, 0, 0, 255};
    o.trnsAlpha = {0, 255};
    o.backgroundIndex = 1; // blue background
    const Image image = decodePng(PictureWriter::png(2, 1, {0, 1}, o));
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixels, (Bytes{0, 0, 255, 0, 0, 255}));
}

TEST(PngDecoder, GammaChunkIsCorrectedForTheDisplay) {
    Options o = withType(PNG_COLOR_TYPE_GRAY);
    o.gamma = 1.0; // linear samples: mid grey brightens on a 2.2 display
    const Image image = decodePng(PictureWriter::png(3, 1, {0, 64, 255}, o));
    ASSERT_EQ(image.pixels.size(), 9u);
    EXPECT_EQ(image.pixels[0], 0);
    EXPECT_GT(image.pixels[3], 120);
    EXPECT_EQ(image.pixels[6], 255);
}

TEST(PngDecoder, InterlacedMatchesPlain) {
    Bytes samples;
    for (int i = 0; i < 9 * 7 * 3; ++i) {
        samples.push_back(static_cast<std::uint8_t>(i * 7));
    }
    Options o = withType(PNG_COLOR_TYPE_RGB);
    const Image plain = decodePng(PictureWriter::png(9, 7, samples, o));
    o.interlaced = true;
    const Image interlaced = decodePng(PictureWriter::png(9, 7, samples, o));
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.pixels, interlaced.pixels);
}

TEST(PngDecoder, DamagedFilesGiveNoPicture) {
    Bytes file = PictureWriter::png(8, 8, Bytes(8 * 8 * 3, 77), withType(PNG_COLOR_TYPE_RGB));
    // Every cut, from inside the signature to just before the end chunk.
    for (std::size_t cut = 0; cut + 12 < file.size(); cut += 5) {
        const Bytes truncated(file.begin(), file.begin() + cut);
        const Image image = decodePng(truncated);
        EXPECT_TRUE(image.empty()) << "cut at " << cut;
        EXPECT_EQ(image.width, 0);
    }
    Bytes corrupt = file;
    corrupt[40] ^= 0xFF; // inside the compressed data: checksum fails
    EXPECT_TRUE(decodePng(corrupt).empty());
    Bytes badSignature = file;
    badSignature[1] = 'X';
    EXPECT_TRUE(decodePng(badSignature).empty());
}

TEST(PngDecoder, OversizedHeaderIsRefused) {
    Bytes file = PictureWriter::png(1, 1, {1, 2, 3}, withType(PNG_COLOR_TYPE_RGB));
    // Width field of IHDR (offset 16, big-endian) set to 100000.
    file[16] = 0;
    file[17] = 0x01;
    file[18] = 0x86;
    file[19] = 0xA0;
    EXPECT_TRUE(decodePng(file).empty());
}

namespace {

Bytes chunk(const char* type, const Bytes& data) {
    Bytes out;
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(length >> shift));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const auto crc = static_cast<std::uint32_t>(
        crc32(crc32(0, reinterpret_cast<const Bytef*>(type), 4), data.data(), data.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(crc >> shift));
    return out;
}

// The picture with the chunk put in just before its end chunk.
Bytes withChunkBeforeEnd(Bytes file, const Bytes& extra) {
    file.insert(file.end() - 12, extra.begin(), extra.end());
    return file;
}

// The highest address-space use of the process so far, in kilobytes.
long peakVirtualKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmPeak:", 0) == 0)
            return std::stol(line.substr(7));
    }
    return -1;
}

} // namespace

TEST(PngDecoder, ChunkDeclaringGigabytesAllocatesNothingLikeIt) {
    const Bytes grey = PictureWriter::png(1, 1, {200}, withType(PNG_COLOR_TYPE_GRAY));
    // After the signature and the header chunk, a text chunk header
    // announcing almost 2 GB, and then the file ends.
    Bytes file(grey.begin(), grey.begin() + 8 + 25);
    const Bytes header = {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't'};
    file.insert(file.end(), header.begin(), header.end());

    const long before = peakVirtualKb();
    ASSERT_GT(before, 0);
    EXPECT_TRUE(decodePng(file).empty());
    EXPECT_LT(peakVirtualKb() - before, 256 * 1024) << "the declared length was allocated";
}

TEST(PngDecoder, UnusedAncillaryChunksAreSkipped) {
    const Bytes grey = PictureWriter::png(2, 1, {10, 250}, withType(PNG_COLOR_TYPE_GRAY));
    const Image plain = decodePng(grey);
    ASSERT_FALSE(plain.empty());
    const std::string words("Comment\0a picture", 17);
    const Bytes text(words.begin(), words.end());
    const Bytes compressedText = {'C', 0, 0, 0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
    Bytes file = withChunkBeforeEnd(grey, chunk("tEXt", text));
    file = withChunkBeforeEnd(file, chunk("zTXt", compressedText));
    file = withChunkBeforeEnd(file, chunk("pHYs", Bytes(9, 1)));
    file = withChunkBeforeEnd(file, chunk("prVt", Bytes(300, 7)));
    const Image decorated = decodePng(file);
    EXPECT_EQ(decorated.pixels, plain.pixels);
    EXPECT_EQ(decorated.components, plain.components);
}
