// The cheap ways the board draws its pictures must give the pixels of the
// plain way: read back the whole screen both ways and compare.
#include "BoardScreen.h"
#include "BoardTestSupport.h"

#include "board/BoardSprites.h"
#include "board/EffectLayer.h"
#include "board/QuadBatch.h"
#include "gfx/ParticleAtlas.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "picturewriter/PictureWriter.h"

#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <vector>

using namespace boardtest;

namespace {

using Screen = std::vector<std::uint8_t>;

// Texels of random colours, so that a picture shifted or filtered by even
// half a texel changes nearly every pixel. With a ring of r, the outer r
// texels are fully transparent (their colours still random), the next ring
// is opaque, so the visible part meets the transparent rim or the frame's
// edge where it shows most, and the inside has soft alpha. A ring of half
// the side or more leaves nothing visible.
PictureWriter::Bytes noise(int w, int h, unsigned seed, int ring = -1) {
    PictureWriter::Bytes pixels;
    unsigned state = seed;
    for (int i = 0; i < w * h; ++i) {
        state = state * 1103515245u + 12345u;
        const int x = i % w;
        const int y = i / w;
        const int fromEdge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
        int alpha = 255;
        if (ring >= 0) {
            alpha = fromEdge < ring    ? 0
                    : fromEdge == ring ? 255
                                       : static_cast<int>(state >> 4 & 255);
        }
        pixels.insert(pixels.end(),
                      {static_cast<std::uint8_t>(state >> 8),
                       static_cast<std::uint8_t>(state >> 16),
                       static_cast<std::uint8_t>(state >> 24), static_cast<std::uint8_t>(alpha)});
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

int largestDifference(const Screen& a, const Screen& b) {
    int most = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        most = std::max(most, std::abs(a[i] - b[i]));
    }
    return most;
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

class BackgroundDraw : public BoardScreen {
protected:
    BackgroundDraw() : BoardScreen("aligned-draw-test") {}

    void SetUp() override {
        BoardScreen::SetUp();
        if (resources == nullptr) {
            return;
        }
        background.reset(
            Texture::load(resources, files.write("bg.tga", noise(1024, 1024, 7)), false, false));
        BoardSprites::current().background = background.get();
        field = bareField(emptyLevel());
    }
    void TearDown() override {
        BoardSprites::reset();
        background.reset();
        BoardScreen::TearDown();
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

class ParticleAtlasDraw : public BoardScreen {
protected:
    ParticleAtlasDraw() : BoardScreen("atlas-draw-test") {}

    void TearDown() override {
        BoardSprites::reset();
        sprite.reset();
        BoardScreen::TearDown();
    }

    // Groups of three and two frames, of two sizes, each its own noise, with
    // transparent rims of several widths, one frame wholly transparent.
    void loadSprite(bool mipmap) {
        std::string text =
            std::string("<p texWrap=\"0\" texDynamic=\"") + (mipmap ? "1" : "0") + "\">";
        int index = 0;
        for (int frames : {3, 2}) {
            text += "<g>";
            for (int f = 0; f < frames; ++f, ++index) {
                const int side = index % 2 == 0 ? 16 : 24;
                const std::string name = "f" + std::to_string(index) + ".tga";
                const int rings[] = {0, 4, 2, 0, 12};
                files.write(name, noise(side, side, 100u + index, rings[index]));
                text += "<f>" + files.file(name) + "</f>";
            }
            text += "</g>";
        }
        files.write("sparks.xml", text + "</p>");
        sprite.reset(ParticleSprite::fromFile(resources, files.file("sparks.xml")));
        sprite->buildAtlas();
        BoardSprites::current().particles = sprite.get();
    }

    // Particles of every frame at uneven points, sizes from tiny to large,
    // fading, many overlapping.
    void spawn() {
        EffectLayer& layer = *EffectLayer::instance();
        for (int i = 0; i < 400; ++i) {
            const float x = 40.0f + static_cast<float>((i * 37) % 700) + (i % 7) * 0.13f;
            const float y = 40.0f + static_cast<float>((i * 53) % 500) + (i % 5) * 0.21f;
            const float size = i % 9 == 0 ? 0.0f : 2.0f + static_cast<float>((i * 11) % 40) * 0.7f;
            layer.spawnParticle(size, {x, y}, {});
        }
        std::vector<Particle>& particles =
            const_cast<std::vector<Particle>&>(layer.additiveParticles());
        for (std::size_t i = 0; i < particles.size(); ++i) {
            particles[i].colour.a = 0.15f + static_cast<float>(i % 17) / 20.0f;
        }
    }

    // Each particle on its own frame texture, one quad at a time.
    Screen drawOneByOne() {
        setUpScreen();
        glEnable(GL_TEXTURE_2D);
        const auto& groups = sprite->textures();
        for (const Particle& p : EffectLayer::instance()->additiveParticles()) {
            const auto& group = groups[p.groupPick % groups.size()];
            QuadBatch batch(group[p.framePick % group.size()], true);
            const float side = p.size > 0.0f ? p.size : sprite->frameWidth();
            batch.whole(p.point, side, side, p.colour);
        }
        return readScreen();
    }

    TempDir files;
    std::unique_ptr<ParticleSprite> sprite;
};

TEST_F(ParticleAtlasDraw, EveryFrameLandsAsItsOwnPictureWould) {
    loadSprite(false);
    ASSERT_NE(sprite->atlas(), nullptr);
    ASSERT_NE(sprite->atlas()->glName(), 0u);
    // The rims are left out of the quads, the reach of the filter kept.
    const ParticleAtlas::Cell& rimmed = sprite->atlas()->cell(0, 1);
    EXPECT_FLOAT_EQ(rimmed.shownLeft, 3.0f / 24);
    EXPECT_FLOAT_EQ(rimmed.shownHigh, 21.0f / 24);
    EXPECT_FLOAT_EQ(sprite->atlas()->cell(0, 0).shownRight, 1.0f);
    EXPECT_TRUE(sprite->atlas()->cell(1, 1).empty);
    spawn();
    // Every frame of both groups is in play.
    std::set<std::pair<int, int>> kinds;
    for (const Particle& p : EffectLayer::instance()->additiveParticles()) {
        const int g = p.groupPick % 2;
        kinds.insert({g, p.framePick % (g == 0 ? 3 : 2)});
    }
    ASSERT_EQ(kinds.size(), 5u);

    setUpScreen();
    EffectLayer::instance()->draw();
    const Screen atlas = readScreen();
    const Screen plain = drawOneByOne();
    ASSERT_GT(distinctColours(plain), 5000u) << "the particles cover the screen in many colours";
    // The filter's weights may round a step apart; nothing a player could see.
    EXPECT_LE(largestDifference(atlas, plain), 2);
    EXPECT_LT(differingPixels(atlas, plain), 800 * 600 / 100);
}

TEST_F(ParticleAtlasDraw, ContextChangeBuildsTheAtlasAgain) {
    loadSprite(false);
    spawn();
    Texture::releaseAll();
    EXPECT_EQ(sprite->atlas()->glName(), 0u);
    Texture::reloadAll();
    ASSERT_NE(sprite->atlas()->glName(), 0u);
    setUpScreen();
    EffectLayer::instance()->draw();
    const Screen atlas = readScreen();
    EXPECT_LE(largestDifference(atlas, drawOneByOne()), 2);
}

TEST_F(ParticleAtlasDraw, MipmappedFramesAreDrawnOneByOne) {
    loadSprite(true);
    EXPECT_EQ(sprite->atlas(), nullptr);
    spawn();
    setUpScreen();
    EffectLayer::instance()->draw();
    const Screen drawn = readScreen();
    EXPECT_GT(distinctColours(drawn), 5000u);
    EXPECT_EQ(differingPixels(drawn, drawOneByOne()), 0);
}
