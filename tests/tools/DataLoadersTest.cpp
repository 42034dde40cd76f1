// The build's game folder read with the game's own loaders: pictures,
// sprites, particle descriptions, the font and the XML texts, all through the
// resource pack as the game reads them.
#include "DataGenerated.h"

#include "datagen/DataWriter.h"
#include "gfx/Font.h"
#include "gfx/Image.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "persist/XmlNode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The pack "main" opened from inside the game folder, as the game runs.
class DataLoaders : public ::testing::Test {
protected:
    void SetUp() override {
        before = fs::current_path();
        fs::current_path(DataGenerated::folder());
        pack = ResourceManager::create("main");
        pack->setPassword(PackFormat::gamePassword);
        pack->open(DataWriter::packName);
    }
    void TearDown() override {
        ResourceManager::destroy("main");
        fs::current_path(before);
    }

    fs::path before;
    ResourceManager* pack = nullptr;
};

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(DataLoaders, EveryPictureDecodesWithTheGamesDecoders) {
    int pictures = 0;
    for (const auto& [name, bytes] : DataGenerated::tree().packed()) {
        if (!endsWith(name, ".tga") && !endsWith(name, ".png") && !endsWith(name, ".jpg")) {
            continue;
        }
        const FileData data = pack->readFile(name);
        Image image;
        image.decode(name, data.data(), data.size);
        ASSERT_FALSE(image.empty()) << name;
        const auto mine = DataGenerated::decode(name, bytes);
        EXPECT_EQ(image.width, mine.width) << name;
        EXPECT_EQ(image.height, mine.height) << name;
        ++pictures;
    }
    EXPECT_GT(pictures, 100);
}

TEST_F(DataLoaders, EverySpriteLoadsWithCellsThatTileItsTexture) {
    for (const char* name : {"dat/skin01.spr", "dat/cellback.spr", "dat/cellback_small.spr",
                             "dat/pathpoint.spr", "dat/insects.spr", "dat/block.spr",
                             "mui/dragon.spr", "mui/cursor.spr", "mui/cursor2.spr"}) {
        std::unique_ptr<Sprite> sprite(Sprite::fromFile(pack, name));
        ASSERT_NE(sprite, nullptr) << name;
        EXPECT_GT(sprite->groups(), 0) << name;
        EXPECT_GT(sprite->frames(), 0) << name;
        EXPECT_GT(sprite->frameWidth(), 0) << name;
        EXPECT_GT(sprite->frameHeight(), 0) << name;
    }
    std::unique_ptr<Sprite> balls(Sprite::fromFile(pack, "dat/skin01.spr"));
    EXPECT_EQ(balls->groups(), 16);
    std::unique_ptr<Sprite> cells(Sprite::fromFile(pack, "dat/cellback.spr"));
    EXPECT_EQ(cells->groups(), 5) << "one group per fill value, 4 the locked cell";
    // Cell backs are drawn at their own size: about one cell of 40 units.
    EXPECT_NEAR(cells->frameWidth(), 40, 2);
}

TEST_F(DataLoaders, ParticleDescriptionsLoadWithGroupsAndFrames) {
    std::vector<std::string> names{"dat/particles.spr", "dat/hints/gameplay.xml",
                                   "dat/hints/gameplay2.xml"};
    XmlNode help;
    ASSERT_TRUE(help.loadResource("main", "mui/help.xml"));
    for (XmlNode* page : help.getChildren()) {
        for (XmlNode* element : page->getChildren()) {
            if (XmlNode* image = element->findChild("image")) {
                names.push_back(image->getText());
            }
        }
    }
    EXPECT_GE(names.size(), 3u + 8u);
    for (const std::string& name : names) {
        std::unique_ptr<ParticleSprite> sprite(ParticleSprite::fromFile(pack, name));
        ASSERT_NE(sprite, nullptr) << name;
        EXPECT_GT(sprite->groups(), 0) << name;
        EXPECT_GT(sprite->frames(), 0) << name;
        EXPECT_GT(sprite->frameWidth(), 0) << name;
        for (const auto& group : sprite->textures()) {
            for (const Texture* texture : group) {
                ASSERT_NE(texture, nullptr) << name;
                EXPECT_GT(texture->width(), 0) << name;
            }
        }
    }
}

TEST_F(DataLoaders, FontGivesExactly94Glyphs) {
    std::unique_ptr<Texture> texture(Texture::load(pack, "mui/font.tga", false, false));
    const FileData data = pack->readFile("mui/font.tga");
    ASSERT_FALSE(data.empty());
    std::vector<unsigned char> bytes(data.data(), data.data() + data.size);
    Font font;
    EXPECT_TRUE(font.loadGlyphs(bytes.data(), bytes.size(), texture.get()));
    EXPECT_GT(font.textWidth("SCORE", 24), 40);
}

TEST_F(DataLoaders, XmlTextsParseWithTheGamesReader) {
    XmlNode help;
    ASSERT_TRUE(help.loadResource("main", "mui/help.xml"));
    EXPECT_GE(help.getChildren().size(), 8u);
    for (XmlNode* page : help.getChildren()) {
        for (XmlNode* element : page->getChildren()) {
            EXPECT_NE(element->findChild("pos"), nullptr) << element->getName();
            EXPECT_NE(element->findChild("font_color"), nullptr) << element->getName();
        }
    }
    XmlNode hints;
    ASSERT_TRUE(hints.loadResource("main", "dat/hints/hints.xml"));
    ASSERT_EQ(hints.getChildren().size(), 1u);
    EXPECT_FLOAT_EQ(hints.getChildren()[0]->getFloat("posx", -1), 144);
    for (const char* name :
         {"dat/particles.spr", "dat/hints/gameplay.xml", "dat/hints/gameplay2.xml"}) {
        XmlNode node;
        EXPECT_TRUE(node.loadResource("main", name)) << name;
        EXPECT_EQ(node.getString("texWrap", "missing"), "0") << name;
    }
}

} // namespace
