#include "gfx/Font.h"
#include "persist/ResourceManager.h"
#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "picturewriter/PictureWriter.h"

#include "FontPicture.h"
#include "support/GlScreen.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

using Bytes = PictureWriter::Bytes;
using Rgb = GlScreen::Rgb;

namespace {

// 4 by 4 picture colours, by picture row from the top and column.
Rgb pictureColour(int row, int column) {
    return Rgb{row * 60 + 20, column * 60 + 20, (row + column) % 2 ? 255 : 0};
}

// The picture as a TGA with the usual lower-left origin: bottom row stored first.
Bytes tgaPicture() {
    Bytes pixels;
    for (int row = 3; row >= 0; --row) {
        for (int column = 0; column < 4; ++column) {
            const Rgb c = pictureColour(row, column);
            pixels.insert(pixels.end(),
                          {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                           static_cast<std::uint8_t>(c[0]), 255});
        }
    }
    return PictureWriter::tga(2, 32, 4, 4, pixels);
}

// The same picture as a PNG: top row first, as PNG files store it.
Bytes pngPicture() {
    Bytes samples;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const Rgb c = pictureColour(row, column);
            samples.insert(samples.end(),
                           {static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                            static_cast<std::uint8_t>(c[2])});
        }
    }
    PictureWriter::PngOptions options;
    options.colorType = 2;
    return PictureWriter::png(4, 4, samples, options);
}

} // namespace

class GlDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (!IsSkipped() && !HasFailure()) {
            resources = ResourceManager::create("gl-draw-test");
        }
    }
    void TearDown() override { ResourceManager::destroy("gl-draw-test"); }

    bool lit(int x, int y) {
        const Rgb c = pixel(x, y);
        return std::max({c[0], c[1], c[2]}) > 100; // the font picture is red
    }

    void drawTexture(Texture& texture, float x, float y) {
        glEnable(GL_TEXTURE_2D);
        texture.bind();
        texture.drawAt(x, y, 0);
        glDisable(GL_TEXTURE_2D);
    }

    // The picture drawn at (x, y) shows every pixel in its place.
    void expectPicture(float x, float y) {
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                const Rgb c = pixel(static_cast<int>(x) + column, static_cast<int>(y) + row);
                const Rgb want = pictureColour(row, column);
                for (int i = 0; i < 3; ++i) {
                    EXPECT_NEAR(c[i], want[i], 2) << "row " << row << " column " << column;
                }
            }
        }
    }

    TempDir files;
    ResourceManager* resources = nullptr;
};

TEST_F(GlDraw, TgaAndPngShowTheirTopLeftPixelAtTheQuadsTopLeft) {
    std::unique_ptr<Texture> tga(
        Texture::load(resources, files.write("picture.tga", tgaPicture()), false, false));
    std::unique_ptr<Texture> png(
        Texture::load(resources, files.write("picture.png", pngPicture()), false, false));
    EXPECT_NE(tga->glName(), 0u);
    EXPECT_NE(png->glName(), 0u);
    EXPECT_EQ(Texture::boundTexture(), png->glName()); // the upload bound it
    drawTexture(*tga, 10, 20);
    drawTexture(*png, 30, 20);
    expectPicture(10, 20);
    expectPicture(30, 20);
    EXPECT_EQ(pixel(9, 20), (Rgb{0, 0, 0}));
}

TEST_F(GlDraw, LoadingBetweenTwoDrawsDoesNotChangeTheSecond) {
    std::unique_ptr<Texture> first(
        Texture::load(resources, files.write("first.tga", tgaPicture()), false, false));
    drawTexture(*first, 10, 10);
    files.write("other.tga", PictureWriter::tga(3, 8, 2, 2, Bytes{255, 255, 255, 255}));
    std::unique_ptr<Texture> other(Texture::load(resources, files.file("other.tga"), false, false));
    drawTexture(*first, 50, 10);
    expectPicture(50, 10);
}

TEST_F(GlDraw, CompressedPicturesUploadThroughTheExtension) {
    // One DXT1 block: colour 0 pure red (RGB565 0xF800), every index 0.
    const Bytes block = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0};
    std::unique_ptr<Texture> dds(Texture::load(
        resources, files.write("red.dds", PictureWriter::dds(4, 4, 1, "DXT1", 0, block)), false,
        false));
    ASSERT_NE(dds->glName(), 0u);
    drawTexture(*dds, 100, 100);
    EXPECT_EQ(pixel(101, 102), (Rgb{255, 0, 0}));
}

TEST_F(GlDraw, SpriteCellIsCentredOnTheOrigin) {
    // 4 frames by 2 groups of 8 by 8 cells; group 0 is the first stored band.
    Bytes pixels;
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 32; ++column) {
            const int frame = column / 8;
            const int group = row / 8;
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(group * 200),
                                         static_cast<std::uint8_t>(frame * 80), 40, 255});
        }
    }
    files.write("cells.tga", PictureWriter::tga(2, 32, 32, 16, pixels));
    files.write("cells.spr", "file_name " + files.file("cells.tga") + "\nframes 4\ngroups 2\n");
    std::unique_ptr<Sprite> sprite(Sprite::fromFile(resources, files.file("cells.spr")));
    ASSERT_FLOAT_EQ(sprite->frameWidth(), 8);
    sprite->setGroup(1);
    sprite->setFrame(2);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(200, 150, 0);
    sprite->draw();
    glPopMatrix();
    // Stored B, G, R: group 1 frame 2 is blue 200, green 160, red 40.
    for (const auto& p : {std::array<int, 2>{196, 146}, {203, 153}, {200, 150}}) {
        EXPECT_EQ(pixel(p[0], p[1]), (Rgb{40, 160, 200}));
    }
    EXPECT_EQ(pixel(195, 150), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(200, 154), (Rgb{0, 0, 0}));
}

TEST_F(GlDraw, TextLandsWhereTextWidthSays) {
    const FontPicture picture({47, 47}, 64, true);
    std::unique_ptr<Texture> texture(
        Texture::load(resources, files.write("font.tga", picture.file), false, false));
    Font font;
    ASSERT_TRUE(font.loadGlyphs(picture.file.data(), picture.file.size(), texture.get()));
    const float size = 36;
    const float x = 100;
    const float y = 300;
    font.drawText("DD", size, x, y, 0, 1, 1, 1, 1, false, false);
    int first = -1;
    int last = -1;
    const int row = static_cast<int>(y - size / 2);
    for (int px = 0; px < 800; ++px) {
        if (lit(px, row)) {
            first = first < 0 ? px : first;
            last = px;
        }
    }
    ASSERT_GE(first, 0) << "nothing drawn";
    // A glyph's texture starts one transparent picture column left of its run
    // and ends right at the run's last column.
    const float margin = size / (FontPicture::bandHeight - 1);
    const float width = font.textWidth("DD", size);
    EXPECT_NEAR(first, x + margin, 1.5);
    EXPECT_NEAR(last + 1, x + width + font.letterSpacing(size), 1.5);
    // The glyphs stand on the baseline and reach size units up.
    EXPECT_FALSE(lit(static_cast<int>(x + margin + 2), static_cast<int>(y + 1)));
    EXPECT_TRUE(lit(static_cast<int>(x + margin + 2), static_cast<int>(y - 2)));
    EXPECT_TRUE(lit(static_cast<int>(x + margin + 2), static_cast<int>(y - size + 6)));
}

TEST_F(GlDraw, EveryTextureDrawsTheSameAfterAContextChange) {
    std::unique_ptr<Texture> tga(
        Texture::load(resources, files.write("a.tga", tgaPicture()), false, false));
    std::unique_ptr<Texture> png(
        Texture::load(resources, files.write("b.png", pngPicture()), true, false));

    // A display switch: every texture drops its GL object, the context is
    // replaced, and everything is uploaded again.
    Texture::releaseAll();
    EXPECT_EQ(tga->glName(), 0u);
    EXPECT_EQ(Texture::boundTexture(), 0u);
    window->releaseContext();
    ASSERT_FALSE(Texture::hasGlContext());
    // One made while no context exists: decoded, sized, no GL name yet.
    std::unique_ptr<Texture> late(
        Texture::load(resources, files.write("c.tga", tgaPicture()), false, true));
    EXPECT_EQ(late->width(), 4);
    EXPECT_EQ(late->glName(), 0u);
    ASSERT_TRUE(window->createContext());
    Texture::reloadAll();
    EXPECT_NE(tga->glName(), 0u);
    EXPECT_NE(late->glName(), 0u);
    setUpScreen();
    drawTexture(*tga, 10, 10);
    drawTexture(*png, 20, 10);
    drawTexture(*late, 30, 10);
    expectPicture(10, 10);
    expectPicture(20, 10);
    expectPicture(30, 10);
}
