#include "gfx/DdsDecoder.h"
#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using Bytes = std::vector<std::uint8_t>;

namespace {

Image decodeDds(const Bytes& file) {
    Image image;
    const bool ok = DdsDecoder::decode(file.data(), file.size(), image);
    EXPECT_EQ(ok, !image.empty());
    return image;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

std::uint64_t alphaBits(const std::uint8_t* block) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) {
        bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
    }
    return bits;
}

} // namespace

TEST(DdsDecoder, Dxt1ReversesBlockRowsAndMirrorsRowsInside) {
    // 4 by 8: the top block (stored first) over the bottom block.
    const Bytes top = {0x11, 0x11, 0x22, 0x22, 0x01, 0x02, 0x03, 0x04};
    const Bytes bottom = {0x33, 0x33, 0x44, 0x44, 0x05, 0x06, 0x07, 0x08};
    const Image image = decodeDds(PictureWriter::dds(4, 8, 1, "DXT1", 0, concat({top, bottom})));
    ASSERT_FALSE(image.empty());
    EXPECT_TRUE(image.compressed);
    EXPECT_EQ(image.formatCode, Image::Dxt1);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.dataSize, 16);
    EXPECT_EQ(image.glFormat(), 0x83F1u);
    const Bytes expected = {0x33, 0x33, 0x44, 0x44, 0x08, 0x07, 0x06, 0x05,
                            0x11, 0x11, 0x22, 0x22, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(image.pixels, expected);
}

TEST(DdsDecoder, Dxt3MirrorsAlphaRowsToo) {
    const Bytes block = {0xA0, 0xA1, 0xB0, 0xB1, 0xC0, 0xC1, 0xD0, 0xD1,
                         0x11, 0x11, 0x22, 0x22, 0x01, 0x02, 0x03, 0x04};
    const Image image = decodeDds(PictureWriter::dds(4, 4, 1, "DXT3", 0, block));
    EXPECT_EQ(image.formatCode, Image::Dxt3);
    EXPECT_EQ(image.components, 4);
    const Bytes expected = {0xD0, 0xD1, 0xC0, 0xC1, 0xB0, 0xB1, 0xA0, 0xA1,
                            0x11, 0x11, 0x22, 0x22, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(image.pixels, expected);
}

TEST(DdsDecoder, Dxt5MirrorsThreeBitAlphaRows) {
    const std::uint64_t rows = 0x123ull | (0x456ull << 12) | (0x789ull << 24) | (0xABCull << 36);
    Bytes block = {0xF0, 0x0F};
    for (int i = 0; i < 6; ++i) {
        block.push_back(static_cast<std::uint8_t>(rows >> (8 * i)));
    }
    block.insert(block.end(), {0x11, 0x11, 0x22, 0x22, 0x01, 0x02, 0x03, 0x04});
    const Image image = decodeDds(PictureWriter::dds(4, 4, 1, "DXT5", 0, block));
    EXPECT_EQ(image.formatCode, Image::Dxt5);
    ASSERT_EQ(image.pixels.size(), 16u);
    EXPECT_EQ(image.pixels[0], 0xF0);
    EXPECT_EQ(image.pixels[1], 0x0F);
    const std::uint64_t flipped = 0xABCull | (0x789ull << 12) | (0x456ull << 24) | (0x123ull << 36);
    EXPECT_EQ(alphaBits(image.pixels.data()), flipped);
    EXPECT_EQ(Bytes(image.pixels.begin() + 12, image.pixels.end()), (Bytes{4, 3, 2, 1}));
}

TEST(DdsDecoder, MipLevelsAreKeptAndShortLevelsMirrorOnlyTheirRows) {
    // 8 by 8 DXT1 with 4 levels: 4 blocks, 1, 1, 1.
    Bytes data;
    for (int b = 0; b < 7; ++b) {
        data.insert(data.end(), {static_cast<std::uint8_t>(b), 0, 0, 0, 1, 2, 3, 4});
    }
    const Image image = decodeDds(PictureWriter::dds(8, 8, 4, "DXT1", 0, data));
    ASSERT_EQ(image.mipLevels.size(), 3u);
    EXPECT_EQ(image.mipLevels[0].width, 4);
    EXPECT_EQ(image.mipLevels[0].height, 4);
    EXPECT_EQ(image.mipLevels[0].data, (Bytes{4, 0, 0, 0, 4, 3, 2, 1}));
    // 2 pixels high: only the two valid rows change places.
    EXPECT_EQ(image.mipLevels[1].height, 2);
    EXPECT_EQ(image.mipLevels[1].data, (Bytes{5, 0, 0, 0, 2, 1, 3, 4}));
    // 1 pixel high: nothing to mirror.
    EXPECT_EQ(image.mipLevels[2].dataSize, 8);
    EXPECT_EQ(image.mipLevels[2].data, (Bytes{6, 0, 0, 0, 1, 2, 3, 4}));
}

TEST(DdsDecoder, UncompressedRowsAreReversed) {
    const Bytes rows32 = {1,       2,  3,  4,  5,  6,  7,  8, /**/ 9, 10, 11, 12, 13, 14, 15, 16,
                          /**/ 17, 18, 19, 20, 21, 22, 23, 24};
    Image image = decodeDds(PictureWriter::dds(2, 3, 1, "", 32, rows32));
    EXPECT_EQ(image.formatCode, Image::Bgra);
    EXPECT_EQ(image.glFormat(), 0x80E1u);
    EXPECT_FALSE(image.compressed);
    EXPECT_EQ(image.pixels, (Bytes{17, 18, 19, 20, 21, 22, 23, 24, 9, 10, 11, 12,
                                   13, 14, 15, 16, 1,  2,  3,  4,  5, 6,  7,  8}));

    image = decodeDds(PictureWriter::dds(1, 2, 1, "", 24, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(image.formatCode, Image::Bgr);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixels, (Bytes{4, 5, 6, 1, 2, 3}));

    image = decodeDds(PictureWriter::dds(2, 2, 1, "", 8, {1, 2, 3, 4}));
    EXPECT_EQ(image.formatCode, Image::Luminance);
    EXPECT_EQ(image.pixels, (Bytes{3, 4, 1, 2}));
}

TEST(DdsDecoder, CubeMapKeepsTheFirstFace) {
    Bytes faces;
    for (int f = 0; f < 6; ++f) {
        faces.insert(faces.end(), {static_cast<std::uint8_t>(f), 0, 0, 0, 1, 2, 3, 4});
    }
    const Image image = decodeDds(PictureWriter::dds(4, 4, 1, "DXT1", 0, faces, 0x200 | 0xFC00));
    EXPECT_EQ(image.pixels, (Bytes{0, 0, 0, 0, 4, 3, 2, 1}));
}

TEST(DdsDecoder, DamagedFilesGiveNothingOrFewerLevels) {
    const Bytes block = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(decodeDds(PictureWriter::dds(4, 4, 1, "DXT2", 0, block)).empty());
    EXPECT_TRUE(decodeDds(PictureWriter::dds(4, 4, 1, "", 16, block)).empty());
    EXPECT_TRUE(decodeDds(PictureWriter::dds(8, 8, 1, "DXT1", 0, block)).empty()); // short base
    Bytes badMagic = PictureWriter::dds(4, 4, 1, "DXT1", 0, block);
    badMagic[3] = 'X';
    EXPECT_TRUE(decodeDds(badMagic).empty());
    const Bytes whole = PictureWriter::dds(4, 4, 1, "DXT1", 0, block);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        EXPECT_TRUE(decodeDds(Bytes(whole.begin(), whole.begin() + cut)).empty());
    }
    // A lying mip count: the levels present are kept.
    const Image image =
        decodeDds(PictureWriter::dds(4, 4, 1000, "DXT1", 0, concat({block, block})));
    EXPECT_EQ(image.mipLevels.size(), 1u);
}

TEST(ImageDecode, DecoderIsChosenByTheEndOfTheName) {
    const Bytes tga = PictureWriter::tga(2, 24, 1, 1, {1, 2, 3});
    Image image;
    image.decode("a/b/PIC.TGA", tga.data(), tga.size());
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 255}));

    PictureWriter::PngOptions grey;
    grey.colorType = 0;
    const Bytes png = PictureWriter::png(1, 1, {9}, grey);
    image.decode("picture.PNG", png.data(), png.size());
    EXPECT_EQ(image.pixels, (Bytes{9, 9, 9}));
    // The same bytes under a name the decoders do not know give nothing.
    image.decode("picture.bmp", png.data(), png.size());
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.width, 0);
    image.decode("picture.tga", nullptr, 0); // not on the disk either
    EXPECT_TRUE(image.empty());
}

TEST(ImageDecode, DdsAndSizeZeroReadTheDisk) {
    const auto dir = std::filesystem::temp_directory_path() / "qm_image_decode";
    std::filesystem::create_directories(dir);
    const Bytes dds = PictureWriter::dds(4, 4, 1, "DXT1", 0, {1, 2, 3, 4, 5, 6, 7, 8});
    const Bytes tga = PictureWriter::tga(3, 8, 1, 1, {42});
    const std::string ddsPath = (dir / "tex.DDS").string();
    const std::string tgaPath = (dir / "grey.tga").string();
    std::ofstream(ddsPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(dds.data()), dds.size());
    std::ofstream(tgaPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), tga.size());

    Image image;
    image.decode(ddsPath, nullptr, 0);
    EXPECT_EQ(image.formatCode, Image::Dxt1);
    EXPECT_EQ(image.pixels.size(), 8u);
    // Bytes handed over for a DDS name are not used: only the disk counts.
    image.decode((dir / "absent.dds").string(), dds.data(), dds.size());
    EXPECT_TRUE(image.empty());
    image.decode(tgaPath, nullptr, 0);
    EXPECT_EQ(image.pixels, (Bytes{42, 42, 42, 255}));
    std::filesystem::remove_all(dir);
}
