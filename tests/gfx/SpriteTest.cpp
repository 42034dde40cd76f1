#include "gfx/Sprite.h"
#include "persist/ResourceManager.h"
#include "gfx/Texture.h"
#include "picturewriter/PictureWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The animation clock alone, on a grid of the given size.
class ClockSprite : public SpriteBase {
public:
    ClockSprite(int frames, int groups) {
        frames_ = frames;
        groups_ = groups;
    }
    void load(ResourceManager*, const unsigned char*, std::size_t) override {}
    void releaseTexture() override {}
    void draw() override {}
    void drawAdditive() override {}
};

} // namespace

TEST(SpriteTiming, DefaultRateThreeFramesPerSecond) {
    ClockSprite sprite(4, 1);
    sprite.update(334);
    EXPECT_EQ(sprite.frame(), 1);
    sprite.update(1000); // 1334 ms: past the four frames of the cycle
    EXPECT_EQ(sprite.frame(), 0);
    EXPECT_NEAR(sprite.time(), 1334 - 4000.0f / 3, 0.01);
}

TEST(SpriteTiming, ReversePlayJumpsToTheEnd) {
    ClockSprite sprite(4, 1);
    sprite.setFrameRate(10);
    sprite.setReverse(true);
    sprite.update(10);
    EXPECT_FLOAT_EQ(sprite.time(), 390);
    EXPECT_EQ(sprite.frame(), 3);
    sprite.update(100);
    EXPECT_EQ(sprite.frame(), 2);
}

TEST(SpriteTiming, LongStepsWrapIntoTheCycle) {
    ClockSprite forward(4, 1);
    forward.setFrameRate(10); // cycle of 400 ms
    forward.update(4 * 400 * 10 + 250);
    EXPECT_EQ(forward.frame(), 2);
    EXPECT_NEAR(forward.time(), 250, 0.01);

    ClockSprite backward(4, 1);
    backward.setFrameRate(10);
    backward.setReverse(true);
    backward.update(1000); // 400 - 1000 wraps to 200
    EXPECT_EQ(backward.frame(), 2);
    EXPECT_GE(backward.time(), 0);

    ClockSprite none(0, 0); // no grid yet: still finite
    none.update(500);
    EXPECT_EQ(none.frame(), 0);
    EXPECT_TRUE(std::isfinite(none.time()));
}

TEST(SpriteTiming, SettersAndTheirLimits) {
    ClockSprite sprite(4, 3);
    sprite.setGroup(2);
    EXPECT_EQ(sprite.group(), 2);
    sprite.setGroup(3);
    EXPECT_EQ(sprite.group(), 0);
    sprite.setGroup(-1);
    EXPECT_EQ(sprite.group(), 0);

    sprite.setFrameRate(0);
    EXPECT_FLOAT_EQ(sprite.frameTime(), 1000000);
    sprite.setFrameRate(4);
    sprite.setFrame(3);
    EXPECT_EQ(sprite.frame(), 3);
    EXPECT_FLOAT_EQ(sprite.time(), 750);
    sprite.setFrame(4);
    EXPECT_EQ(sprite.frame(), 0);
    EXPECT_FLOAT_EQ(sprite.time(), 0);

    sprite.setAlphaTest(true);
    sprite.setBlend(true);
    EXPECT_TRUE(sprite.blend());
    EXPECT_FALSE(sprite.alphaTest());
    sprite.setAlphaTest(true);
    EXPECT_FALSE(sprite.blend());
    EXPECT_TRUE(sprite.alphaTest());
}

class SpriteFiles : public ::testing::Test {
protected:
    void SetUp() override {
        resources = ResourceManager::create("sprite-test");
        // 256 by 64 grid picture.
        files.write("grid.tga",
                    PictureWriter::tga(2, 32, 256, 64, PictureWriter::Bytes(256 * 64 * 4, 128)));
    }
    void TearDown() override { ResourceManager::destroy("sprite-test"); }

    std::unique_ptr<Sprite> loadSpr(const std::string& name, const std::string& text) {
        files.write(name, text);
        return std::unique_ptr<Sprite>(Sprite::fromFile(resources, files.file(name)));
    }

    TempDir files;
    ResourceManager* resources = nullptr;
};

TEST_F(SpriteFiles, CellsOfAGrid) {
    auto sprite = loadSpr("ball.spr", "file_name " + files.file("grid.tga") +
                                          "\nframes 8\ngroups 2\ntex_wrap 1 // repeats\n");
    EXPECT_EQ(sprite->fileName(), files.file("ball.spr"));
    EXPECT_TRUE(sprite->ownsTexture());
    ASSERT_NE(sprite->texture(), nullptr);
    EXPECT_TRUE(sprite->texture()->wrap());
    EXPECT_FALSE(sprite->texture()->mipmap());
    EXPECT_FLOAT_EQ(sprite->frameWidth(), 32);
    EXPECT_FLOAT_EQ(sprite->frameHeight(), 32);
    sprite->setGroup(1);
    sprite->setFrame(3);
    const SpriteBase::Cell cell = sprite->cell();
    EXPECT_FLOAT_EQ(cell.uLeft, 0.375f);
    EXPECT_FLOAT_EQ(cell.uRight, 0.5f);
    EXPECT_FLOAT_EQ(cell.vLow, 0.5f);
    EXPECT_FLOAT_EQ(cell.vHigh, 1.0f);
}

TEST_F(SpriteFiles, ZeroSizedGridCountsAsOneCell) {
    auto sprite = loadSpr("flat.spr", "file_name " + files.file("grid.tga") +
                                          " groups 0 frames 0 tex_dynamic 2");
    EXPECT_EQ(sprite->groups(), 1);
    EXPECT_EQ(sprite->frames(), 1);
    EXPECT_FLOAT_EQ(sprite->frameWidth(), 256);
    EXPECT_FLOAT_EQ(sprite->frameHeight(), 64);
    EXPECT_TRUE(sprite->texture()->mipmap());
    sprite->update(100000);
    EXPECT_EQ(sprite->frame(), 0);
}

TEST_F(SpriteFiles, MissingDescriptionGivesDefaultsAndEmptyTexture) {
    std::unique_ptr<Sprite> sprite(Sprite::fromFile(resources, files.file("absent.spr")));
    EXPECT_EQ(sprite->groups(), 1);
    EXPECT_EQ(sprite->frames(), 1);
    ASSERT_NE(sprite->texture(), nullptr);
    EXPECT_EQ(sprite->texture()->fileName(), "0");
    EXPECT_EQ(sprite->texture()->width(), 0);
    EXPECT_FLOAT_EQ(sprite->frameWidth(), 0);
}

TEST_F(SpriteFiles, CopiesShareTheTextureWithoutOwningIt) {
    auto source = loadSpr("src.spr", "file_name " + files.file("grid.tga") + " frames 4");
    source->setPosition(1, 2, 3);
    source->setReverse(true);
    source->setFrame(2);
    const std::size_t textures = Texture::registry().size();
    {
        Sprite copy(*source);
        EXPECT_EQ(copy.texture(), source->texture());
        EXPECT_FALSE(copy.ownsTexture());
        EXPECT_EQ(copy.resources(), nullptr);
        EXPECT_EQ(copy.fileName(), "");
        EXPECT_EQ(copy.frame(), 2);
        EXPECT_TRUE(copy.reverse());
        EXPECT_FLOAT_EQ(copy.position()[1], 2);
    }
    EXPECT_EQ(Texture::registry().size(), textures); // the copy deleted nothing

    Sprite assigned;
    assigned.assign(*source);
    EXPECT_EQ(assigned.texture(), nullptr);
    EXPECT_EQ(assigned.frame(), 2);
    assigned.assignFrom(*source);
    EXPECT_EQ(assigned.texture(), source->texture());
    EXPECT_FALSE(assigned.ownsTexture());

    // Reloading replaces the owned texture.
    const std::string text = "file_name " + files.file("grid.tga") + " frames 2";
    source->load(resources, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    EXPECT_EQ(Texture::registry().size(), textures);
    EXPECT_EQ(source->frames(), 2);
}
