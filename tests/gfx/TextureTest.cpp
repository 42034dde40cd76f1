#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"
#include "picturewriter/PictureWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

// These run without a GL context: textures decode and measure their files
// but make no GL objects.
class TextureWithoutContext : public ::testing::Test {
protected:
    void SetUp() override {
        if (Texture::hasGlContext()) {
            GTEST_SKIP() << "a GL context is current";
        }
        resources = ResourceManager::create("texture-test");
    }
    void TearDown() override { ResourceManager::destroy("texture-test"); }

    TempDir files;
    ResourceManager* resources = nullptr;
};

TEST_F(TextureWithoutContext, DecodesAndMeasuresWithoutGlName) {
    const std::string path =
        files.write("wide.tga", PictureWriter::tga(2, 24, 5, 3, PictureWriter::Bytes(45, 9)));
    std::unique_ptr<Texture> texture(Texture::load(resources, path, true, false));
    EXPECT_EQ(texture->width(), 5);
    EXPECT_EQ(texture->height(), 3);
    EXPECT_EQ(texture->components(), 4);
    EXPECT_EQ(texture->glName(), 0u);
    EXPECT_TRUE(texture->wrap());
    EXPECT_FALSE(texture->mipmap());
    EXPECT_EQ(texture->fileName(), path);

    std::unique_ptr<Texture> missing(Texture::load(resources, files.file("none.png"), false, true));
    EXPECT_EQ(missing->width(), 0);
    EXPECT_EQ(missing->glName(), 0u);
}

TEST_F(TextureWithoutContext, RegistryFollowsCreationAndDeletion) {
    const std::string path =
        files.write("one.tga", PictureWriter::tga(3, 8, 1, 1, PictureWriter::Bytes{1}));
    const std::size_t before = Texture::registry().size();
    auto* a = Texture::load(resources, path, false, false);
    auto* b = Texture::load(resources, path, false, false);
    ASSERT_EQ(Texture::registry().size(), before + 2);
    EXPECT_EQ(Texture::registry()[before], a);
    EXPECT_EQ(Texture::registry()[before + 1], b);
    EXPECT_NE(a, b); // no sharing by name
    delete a;
    ASSERT_EQ(Texture::registry().size(), before + 1);
    EXPECT_EQ(Texture::registry()[before], b);
    delete b;
    EXPECT_EQ(Texture::registry().size(), before);
}

TEST_F(TextureWithoutContext, ReloadAllReadsTheFilesAgain) {
    const std::string path =
        files.write("grow.tga", PictureWriter::tga(3, 8, 2, 2, PictureWriter::Bytes(4, 1)));
    std::unique_ptr<Texture> texture(Texture::load(resources, path, false, false));
    EXPECT_EQ(texture->width(), 2);
    files.write("grow.tga", PictureWriter::tga(3, 8, 4, 1, PictureWriter::Bytes(4, 1)));
    Texture::releaseAll();
    EXPECT_EQ(texture->glName(), 0u);
    EXPECT_EQ(texture->width(), 2); // released textures keep what they know
    Texture::reloadAll();
    EXPECT_EQ(texture->width(), 4);
    EXPECT_EQ(texture->height(), 1);
    EXPECT_EQ(texture->glName(), 0u);
    EXPECT_EQ(Texture::boundTexture(), 0u);
}

TEST_F(TextureWithoutContext, PackEntriesLoadButDdsOnlyFromTheDisk) {
    PackWriter pack;
    const auto tga = PictureWriter::tga(2, 32, 3, 2, PictureWriter::Bytes(24, 200));
    const auto dds = PictureWriter::dds(8, 4, 1, "DXT1", 0, PictureWriter::Bytes(16, 0));
    ASSERT_TRUE(pack.add("pics\\Packed.tga", tga.data(), tga.size()));
    ASSERT_TRUE(pack.add("pics\\packed.dds", dds.data(), dds.size()));
    ASSERT_TRUE(pack.write(files.file("data.pk")));
    resources->setPassword(PackFormat::gamePassword);
    resources->open(files.file("data.pk"));

    std::unique_ptr<Texture> fromPack(Texture::load(resources, "PICS/packed.tga", false, false));
    EXPECT_EQ(fromPack->width(), 3);
    EXPECT_EQ(fromPack->height(), 2);
    std::unique_ptr<Texture> packedDds(Texture::load(resources, "pics/packed.dds", false, false));
    EXPECT_EQ(packedDds->width(), 0);

    const std::string onDisk = files.write("disk.dds", dds);
    std::unique_ptr<Texture> diskDds(Texture::load(resources, onDisk, false, true));
    EXPECT_EQ(diskDds->width(), 8);
    EXPECT_EQ(diskDds->height(), 4);
    EXPECT_EQ(diskDds->components(), 3);
}

TEST_F(TextureWithoutContext, NamesDecideTheDecoder) {
    PictureWriter::PngOptions grey;
    grey.colorType = 0;
    const auto png = PictureWriter::png(2, 3, PictureWriter::Bytes(6, 50), grey);
    std::unique_ptr<Texture> upper(
        Texture::load(resources, files.write("shout.PNG", png), false, false));
    EXPECT_EQ(upper->width(), 2);
    EXPECT_EQ(upper->components(), 3);
    std::unique_ptr<Texture> bmp(
        Texture::load(resources, files.write("plain.bmp", png), false, false));
    EXPECT_EQ(bmp->width(), 0);
}
