#include "gfx/TgaDecoder.h"
#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

namespace {

Image decodeTga(const Bytes& file) {
    Image image;
    image.decode("picture.tga", file.data(), file.size());
    return image;
}

} // namespace

TEST(TgaDecoder, TrueColour24KeepsFileRowOrderAndSwapsToRgb) {
    // Two rows of two pixels, stored B, G, R.
    const Bytes stored = {1, 2, 3, 4, 5, 6, /* row 2 */ 7, 8, 9, 10, 11, 12};
    const Image image = decodeTga(PictureWriter::tga(2, 24, 2, 2, stored));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.formatCode, Image::Rgba);
    EXPECT_EQ(image.dataSize, 16);
    EXPECT_FALSE(image.compressed);
    const Bytes expected = {3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255};
    EXPECT_EQ(image.pixels, expected);
}

TEST(TgaDecoder, GreyAndTrueColour32) {
    const Image grey = decodeTga(PictureWriter::tga(3, 8, 3, 1, {0, 128, 255}));
    EXPECT_EQ(grey.pixels, (Bytes{0, 0, 0, 255, 128, 128, 128, 255, 255, 255, 255, 255}));

    const Image alpha = decodeTga(PictureWriter::tga(2, 32, 1, 2, {10, 20, 30, 40, 50, 60, 70, 0}));
    EXPECT_EQ(alpha.pixels, (Bytes{30, 20, 10, 40, 70, 60, 50, 0}));
}

TEST(TgaDecoder, IdentificationFieldIsSkipped) {
    const Image image = decodeTga(PictureWriter::tga(2, 24, 1, 1, {1, 2, 3}, "hello"));
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 255}));
}

TEST(TgaDecoder, RunLengthPacketsRunAcrossRowEnds) {
    // 3 by 2 pixels, 24 bits: a repeat packet of 4 (row 1 and the first
    // pixel of row 2), then a raw packet of 2.
    Bytes file = PictureWriter::tga(2, 24, 3, 2, {});
    file[2] = 10;
    const Bytes packets = {128 | 3, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9};
    file.insert(file.end(), packets.begin(), packets.end());
    const Image image = decodeTga(file);
    const Bytes expected = {3, 2, 1, 255, 3, 2, 1, 255, 3, 2, 1, 255,
                            3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255};
    EXPECT_EQ(image.pixels, expected);
}

TEST(TgaDecoder, RunLength32MatchesUncompressed) {
    Bytes pixels;
    for (int i = 0; i < 7 * 5; ++i) {
        const std::uint8_t v = static_cast<std::uint8_t>(i / 4 * 9);
        pixels.insert(pixels.end(),
                      {v, static_cast<std::uint8_t>(v + 1), 7, static_cast<std::uint8_t>(i)});
    }
    // Make some long runs too.
    for (int i = 12; i < 30; ++i) {
        std::copy(pixels.begin() + 48, pixels.begin() + 52, pixels.begin() + i * 4);
    }
    const Image raw = decodeTga(PictureWriter::tga(2, 32, 7, 5, pixels));
    const Image packed = decodeTga(PictureWriter::tga(10, 32, 7, 5, pixels));
    EXPECT_LT(PictureWriter::tga(10, 32, 7, 5, pixels).size(), pixels.size() + 18);
    EXPECT_EQ(raw.pixels, packed.pixels);
    EXPECT_EQ(raw.pixels.size(), 7u * 5 * 4);
}

TEST(TgaDecoder, RunLengthStopsWhenLastRowIsComplete) {
    // A repeat packet of 128 for a 2 by 1 picture writes only 2 pixels.
    Bytes file = PictureWriter::tga(10, 24, 2, 1, {});
    file.insert(file.end(), {255, 9, 9, 9, 0, 1, 1, 1});
    const Image image = decodeTga(file);
    EXPECT_EQ(image.pixels, (Bytes{9, 9, 9, 255, 9, 9, 9, 255}));
}

TEST(TgaDecoder, UnsupportedDepthOrTypeGivesZeroFilledPicture) {
    for (const Bytes& file : {PictureWriter::tga(2, 16, 2, 2, Bytes(8, 0xAB)),
                              PictureWriter::tga(1, 8, 2, 2, Bytes(4, 0xAB)),
                              PictureWriter::tga(10, 8, 2, 2, Bytes(4, 0xAB))}) {
        const Image image = decodeTga(file);
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.pixels, Bytes(16, 0));
    }
}

TEST(TgaDecoder, TruncatedDataFillsOnlyWhatIsThere) {
    Bytes file = PictureWriter::tga(2, 24, 2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    file.resize(file.size() - 7); // one whole pixel and part of the next remain
    Image image = decodeTga(file);
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // Run-length data ending inside a packet.
    Bytes packed = PictureWriter::tga(10, 32, 4, 1, {});
    packed.insert(packed.end(), {3, 1, 2, 3, 4, 5, 6});
    image = decodeTga(packed);
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    // An identification length pointing past the end.
    Bytes lying = PictureWriter::tga(2, 24, 1, 1, {1, 2, 3});
    lying[0] = 200;
    image = decodeTga(lying);
    EXPECT_EQ(image.pixels, Bytes(4, 0));
}

TEST(TgaDecoder, UnusableHeadersGiveEmptyPicture) {
    EXPECT_TRUE(decodeTga(Bytes(17, 0)).empty());
    EXPECT_TRUE(decodeTga(PictureWriter::tga(2, 24, 0, 5, {})).empty());
    // A lying size far beyond any texture is refused instead of allocated.
    EXPECT_TRUE(decodeTga(PictureWriter::tga(2, 32, 65535, 65535, {1, 2, 3, 4})).empty());
}

TEST(TgaDecoder, HeaderClaimingFarMoreThanTheDataHoldsIsRefused) {
    // Found by fuzzing: 6190 by 6144 pixels announced by 11 bytes of data.
    const Bytes lying = {0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x2e, 0x18, 0x00, 0x18, 0x00, 0x20, 0x28, 0xb8,
                         0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00};
    EXPECT_TRUE(decodeTga(lying).empty());
    // Every kind of header alike, with or without data after it.
    EXPECT_TRUE(decodeTga(PictureWriter::tga(2, 32, 4000, 4000, {})).empty());
    EXPECT_TRUE(decodeTga(PictureWriter::tga(3, 16, 8000, 10, Bytes(20, 1))).empty());
}

TEST(TgaDecoder, LargeRunLengthPicturesStillDecode) {
    // One colour over a million pixels packs 128 to a five-byte packet: the
    // densest a real file gets, right at what the data can describe.
    const int side = 1024;
    Bytes file = PictureWriter::tga(10, 32, side, side, {});
    for (int packet = 0; packet < side * side / 128; ++packet)
        file.insert(file.end(), {0xFF, 10, 20, 30, 40});
    const Image image = decodeTga(file);
    ASSERT_EQ(image.width, side);
    ASSERT_EQ(image.pixels.size(), std::size_t(side) * side * 4);
    EXPECT_EQ(image.pixels[4 * (side * side - 1) + 0], 30);
    EXPECT_EQ(image.pixels[4 * (side * side - 1) + 3], 40);
}
