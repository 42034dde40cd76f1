#include "gfx/DdsDecoder.h"
#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <gtest/gtest.h>

#include <random>

using Bytes = std::vector<std::uint8_t>;

namespace {

// Damages copies of a valid file (random bytes changed, cut short) and
// decodes each; run under the sanitizers this catches any read or write
// outside a buffer. Whatever comes out must be self-consistent.
void damageAndDecode(const char* name, const Bytes& file) {
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = file;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < changes; ++i) {
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        }
        if (round % 3 == 0) {
            damaged.resize(random() % damaged.size());
        }
        Image image;
        if (std::string(name).ends_with(".dds")) {
            DdsDecoder::decode(damaged.data(), damaged.size(), image); // DDS names read the disk
        } else {
            image.decode(name, damaged.data(), damaged.size());
        }
        if (image.empty()) {
            EXPECT_EQ(image.dataSize, 0);
            continue;
        }
        EXPECT_LE(image.width, Image::maxSide);
        EXPECT_LE(image.height, Image::maxSide);
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.dataSize)) << name;
    }
}

Bytes gradient(int width, int height, int components) {
    Bytes out;
    for (int i = 0; i < width * height * components; ++i) {
        out.push_back(static_cast<std::uint8_t>(i * 5 + i / 7));
    }
    return out;
}

} // namespace

TEST(DecoderRobustness, DamagedTga) {
    damageAndDecode("a.tga", PictureWriter::tga(2, 24, 9, 7, gradient(9, 7, 3)));
    damageAndDecode("a.tga", PictureWriter::tga(10, 32, 9, 7, gradient(9, 7, 4)));
}

TEST(DecoderRobustness, DamagedPng) {
    PictureWriter::PngOptions options;
    options.colorType = 6;
    damageAndDecode("a.png", PictureWriter::png(9, 7, gradient(9, 7, 4), options));
    options.colorType = 3;
    options.bitDepth = 4;
    options.palette = gradient(16, 1, 3);
    options.trnsAlpha = {0, 50, 100};
    damageAndDecode("a.png", PictureWriter::png(9, 7, gradient(5, 7, 1), options));
}

TEST(DecoderRobustness, DamagedJpeg) {
    damageAndDecode("a.jpg", PictureWriter::jpeg(24, 17, 3, gradient(24, 17, 3), 80));
    damageAndDecode("a.jpg", PictureWriter::jpeg(24, 17, 1, gradient(24, 17, 1), 80));
}

TEST(DecoderRobustness, DamagedDds) {
    damageAndDecode("a.dds", PictureWriter::dds(8, 8, 4, "DXT5", 0, gradient(16 * 4 + 48, 1, 1)));
    damageAndDecode("a.dds", PictureWriter::dds(5, 3, 3, "", 24, gradient(5 * 3 + 2 + 1, 1, 3)));
}
