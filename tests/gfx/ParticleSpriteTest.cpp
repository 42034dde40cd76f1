#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "picturewriter/PictureWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class ParticleSpriteFiles : public ::testing::Test {
protected:
    void SetUp() override {
        resources = ResourceManager::create("particle-test");
        for (int i = 0; i < 8; ++i) {
            const int side = i == 0 ? 16 : 32; // the first frame is the smallest
            files.write(
                "p" + std::to_string(i) + ".tga",
                PictureWriter::tga(3, 8, side, side / 2, PictureWriter::Bytes(side * side / 2, 1)));
        }
    }
    void TearDown() override { ResourceManager::destroy("particle-test"); }

    std::string frames(int from, int to) const {
        std::string out;
        for (int i = from; i < to; ++i) {
            out += "<frame>" + files.file("p" + std::to_string(i) + ".tga") + "</frame>";
        }
        return out;
    }
    std::unique_ptr<ParticleSprite> fromText(const std::string& text) {
        files.write("particles.spr", text);
        return std::unique_ptr<ParticleSprite>(
            ParticleSprite::fromFile(resources, files.file("particles.spr")));
    }

    TempDir files;
    ResourceManager* resources = nullptr;
};

TEST_F(ParticleSpriteFiles, GroupsOfDifferentLengths) {
    auto sprite = fromText("<?xml version=\"1.0\"?>\n<particles texWrap=\"1\" texDynamic=\"0\">\n"
                           "  <burst>" +
                           frames(0, 3) +
                           "</burst>\n"
                           "  <spark>" +
                           frames(3, 8) + "</spark>\n</particles>\n");
    ASSERT_EQ(sprite->groups(), 2);
    EXPECT_EQ(sprite->frames(), 3);
    EXPECT_TRUE(sprite->ownsTexture());
    // Every frame draws at the first frame's size, even the larger ones.
    EXPECT_FLOAT_EQ(sprite->frameWidth(), 16);
    EXPECT_FLOAT_EQ(sprite->frameHeight(), 8);
    ASSERT_EQ(sprite->textures()[1].size(), 5u);
    EXPECT_TRUE(sprite->textures()[1][4]->wrap());
    EXPECT_FALSE(sprite->textures()[1][4]->mipmap());
    EXPECT_EQ(sprite->textures()[1][4]->width(), 32);
    sprite->buildAtlas();
    EXPECT_EQ(sprite->atlas(), nullptr) << "repeating frames would bleed into each other";

    sprite->setGroup(1);
    EXPECT_EQ(sprite->frames(), 5);
    sprite->setFrameRate(10);
    sprite->update(450);
    EXPECT_EQ(sprite->frame(), 4); // beyond the first group's three frames
    sprite->update(100);
    EXPECT_EQ(sprite->frame(), 0);

    sprite->setGroup(0);
    EXPECT_EQ(sprite->frames(), 3);
    sprite->setGroup(7);
    EXPECT_EQ(sprite->group(), 0);
}

TEST_F(ParticleSpriteFiles, ReleaseKeepsGroupsAndReloadStartsAfresh) {
    auto sprite = fromText("<p><g>" + frames(0, 2) + "</g></p>");
    sprite->buildAtlas();
    ASSERT_NE(sprite->atlas(), nullptr);
    const std::size_t textures = Texture::registry().size();
    sprite->releaseTexture();
    ASSERT_EQ(sprite->textures().size(), 1u);
    ASSERT_EQ(sprite->textures()[0].size(), 2u);
    EXPECT_EQ(sprite->textures()[0][0], nullptr);
    EXPECT_EQ(sprite->atlas(), nullptr);
    // The two frames and the atlas made of them.
    EXPECT_EQ(Texture::registry().size(), textures - 3);
    sprite->draw(); // empty slots draw nothing

    const std::string text = "<p><g>" + frames(1, 4) + "</g></p>";
    sprite->load(resources, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    ASSERT_EQ(sprite->textures()[0].size(), 3u);
    EXPECT_NE(sprite->textures()[0][0], nullptr);
    EXPECT_FLOAT_EQ(sprite->frameWidth(), 32);
}

TEST_F(ParticleSpriteFiles, BrokenOrMissingDescriptionsGiveNoGroups) {
    const std::size_t textures = Texture::registry().size();
    for (const std::string& text :
         {std::string("<p><g>") + frames(0, 2) + "</h></p>", std::string("not xml"),
          std::string("<p/>"), std::string("<p><g/></p>")}) {
        auto sprite = fromText(text);
        EXPECT_EQ(sprite->frames(), 0) << text;
        EXPECT_FLOAT_EQ(sprite->frameWidth(), 0);
        sprite->setGroup(0);
        sprite->update(1000);
        sprite->draw();
    }
    std::unique_ptr<ParticleSprite> missing(
        ParticleSprite::fromFile(resources, files.file("nothing.spr")));
    EXPECT_EQ(missing->groups(), 0);
    EXPECT_EQ(Texture::registry().size(), textures);
}
