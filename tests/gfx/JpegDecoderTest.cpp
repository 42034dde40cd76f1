#include "gfx/JpegDecoder.h"
#include "gfx/Image.h"
#include "picturewriter/PictureWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>

using Bytes = std::vector<std::uint8_t>;

namespace {

Image decodeJpeg(const Bytes& file, const char* name = "picture.jpg") {
    Image image;
    image.decode(name, file.data(), file.size());
    return image;
}

// 16 by 16, top half red, bottom half blue.
Bytes redOverBlue() {
    Bytes samples;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (y < 8) {
                samples.insert(samples.end(), {255, 0, 0});
            } else {
                samples.insert(samples.end(), {0, 0, 255});
            }
        }
    }
    return PictureWriter::jpeg(16, 16, 3, samples, 95);
}

void expectNear(const Image& image, int x, int y, int r, int g, int b) {
    const std::uint8_t* p = &image.pixels[(y * image.width + x) * image.components];
    EXPECT_NEAR(p[0], r, 24) << x << "," << y;
    EXPECT_NEAR(p[1], g, 24) << x << "," << y;
    EXPECT_NEAR(p[2], b, 24) << x << "," << y;
}

} // namespace

TEST(JpegDecoder, ColourComesOutBottomRowFirst) {
    const Image image = decodeJpeg(redOverBlue());
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 16);
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.formatCode, Image::Rgb);
    EXPECT_EQ(image.dataSize, 16 * 16 * 3);
    expectNear(image, 3, 0, 0, 0, 255);  // first stored row: the picture's bottom
    expectNear(image, 3, 15, 255, 0, 0); // last stored row: the picture's top
}

TEST(JpegDecoder, GreyHasOneComponent) {
    Bytes samples;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            samples.push_back(y < 4 ? 30 : 220);
        }
    }
    const Image image = decodeJpeg(PictureWriter::jpeg(8, 8, 1, samples, 100), "grey.JPEG");
    EXPECT_EQ(image.components, 1);
    EXPECT_EQ(image.formatCode, Image::Luminance);
    ASSERT_EQ(image.pixels.size(), 64u);
    EXPECT_NEAR(image.pixels[0], 220, 10);
    EXPECT_NEAR(image.pixels[63], 30, 10);
}

TEST(JpegDecoder, CutShortDecodesWhatIsThereAndGarbageGivesNothing) {
    const Bytes file = redOverBlue();
    for (std::size_t cut = 0; cut < file.size(); cut += 7) {
        const Image image = decodeJpeg(Bytes(file.begin(), file.begin() + cut));
        // Either nothing (header incomplete) or the whole picture's size.
        if (!image.empty()) {
            EXPECT_EQ(image.pixels.size(), 16u * 16 * 3);
        }
    }
    Bytes garbage = {0xFF, 0xD8};
    for (int i = 0; i < 300; ++i) {
        garbage.push_back(static_cast<std::uint8_t>(i * 37));
    }
    EXPECT_TRUE(decodeJpeg(garbage).empty());
    EXPECT_TRUE(decodeJpeg({1, 2, 3}).empty());
}
