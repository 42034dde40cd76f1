// The cheap ways the board draws its pictures must give the pixels of the
// plain way: read back the whole screen both ways and compare.
#include "BoardTestSupport.h"

#include "board/BoardSprites.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "picturewriter/PictureWriter.h"

#include "support/GlScreen.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

using namespace boardtest;

namespace {

using Screen = std::vector<std::uint8_t>;

// Texels of random colours, so that a picture shifted or filtered by even
// half a texel changes nearly every pixel.
PictureWriter::Bytes noise(int w, int h, unsigned seed) {
    PictureWriter::Bytes pixels;
    unsigned state = seed;
    for (int i = 0; i < w * h; ++i) {
        state = state * 1103515245u + 12345u;
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(state >> 8),
                                     static_cast<std::uint8_t>(state >> 16),
                                     static_cast<std::uint8_t>(state >> 24), 255});
    }
    return PictureWriter::tga(2, 32, w, h, pixels);
}

Screen readScreen() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    Screen screen(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, screen.data());
    return screen;
}

int differingPixels(const Screen& a, const Screen& b) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < a.size(); i += 3) {
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] ? 1 : 0;
    }
    return count;
}

std::size_t distinctColours(const Screen& s) {
    std::set<unsigned> colours;
    for (std::size_t i = 0; i + 2 < s.size(); i += 3) {
        colours.insert(s[i] << 16 | s[i + 1] << 8 | s[i + 2]);
    }
    return colours.size();
}

} // namespace

class BackgroundDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        resources = ResourceManager::create("aligned-draw-test");
        background.reset(
            Texture::load(resources, files.write("bg.tga", noise(1024, 1024, 7)), false, false));
        BoardSprites::current().background = background.get();
        field = bareField(emptyLevel());
    }
    void TearDown() override {
        BoardSprites::reset();
        background.reset();
        ResourceManager::destroy("aligned-draw-test");
    }

    // The picture as the plain textured quad: linear filter, white modulation.
    void drawPlain(bool nearest) {
        background->setNearest(nearest);
        glEnable(GL_TEXTURE_2D);
        background->bind();
        glDisable(GL_BLEND);
        glColor4f(1, 1, 1, 1);
        Texture::drawRegion(-112, -212, 0, 1024, 1024, 0, 1, 0, 1);
    }

    TempDir files;
    ResourceManager* resources = nullptr;
    std::unique_ptr<Texture> background;
    std::unique_ptr<Field> field;
};

TEST_F(BackgroundDraw, OneTexelAPixelGivesTheLinearFiltersPixels) {
    field->drawBackground();
    const Screen fast = readScreen();
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE) << "the next pictures are tinted by their colour again";

    setUpScreen();
    drawPlain(false);
    const Screen plain = readScreen();
    ASSERT_GT(distinctColours(plain), 100000u) << "the noise shows texel by texel";
    EXPECT_EQ(differingPixels(fast, plain), 0);
}

// Under a transform that does not put a texel on each pixel the drawing must
// match the linear filter, and visibly not nearest sampling (so the first
// comparison can fail).
TEST_F(BackgroundDraw, OtherScalesAndOffsetsKeepTheLinearFilter) {
    const std::function<void()> transforms[] = {[] { glScalef(0.75f, 0.75f, 1); },
                                                [] { glTranslatef(0.5f, 0, 0); }};
    for (const auto& transform : transforms) {
        setUpScreen();
        transform();
        field->drawBackground();
        const Screen drawn = readScreen();
        setUpScreen();
        transform();
        drawPlain(false);
        const Screen linear = readScreen();
        setUpScreen();
        transform();
        drawPlain(true);
        const Screen nearest = readScreen();
        EXPECT_EQ(differingPixels(drawn, linear), 0);
        EXPECT_GT(differingPixels(drawn, nearest), 100000);
    }
}
