#include "app/WindowIcon.h"

#include "FakeNativeWindow.h"
#include "persist/PackFormat.h"
#include "platform/GameFolders.h"

#include "gfx/Image.h"
#include "persist/ResourceManager.h"
#include "platform/NativeWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

Image picture(int width, int height, int components, std::vector<std::uint8_t> pixels) {
    Image image;
    image.width = width;
    image.height = height;
    image.components = components;
    image.pixels = std::move(pixels);
    return image;
}

} // namespace

TEST(WindowIcon, DecodedRowsComeOutTopFirstWithAlpha) {
    // Bottom row first, as the decoder leaves a PNG: the bottom row is red.
    const Image rgb = picture(2, 2, 3, {255, 0, 0, 254, 0, 0, 0, 0, 255, 0, 0, 254});
    EXPECT_EQ(WindowIcon::topDownRgba(rgb),
              (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 0, 254, 255, 255, 0, 0, 255, 254, 0, 0,
                                         255}));
    const Image rgba = picture(1, 2, 4, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(WindowIcon::topDownRgba(rgba), (std::vector<std::uint8_t>{5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(WindowIcon, PicturesOfAnyOtherLayoutAreRefused) {
    EXPECT_TRUE(WindowIcon::topDownRgba(picture(2, 2, 4, {1, 2, 3, 4})).empty()); // short
    EXPECT_TRUE(WindowIcon::topDownRgba(picture(1, 1, 1, {9})).empty());
    EXPECT_TRUE(WindowIcon::topDownRgba(picture(0, 0, 4, {})).empty());
    EXPECT_TRUE(WindowIcon::topDownRgba(picture(-1, 4, 4, {1, 2, 3, 4})).empty());
    Image compressed = picture(1, 1, 4, {1, 2, 3, 4});
    compressed.compressed = true;
    EXPECT_TRUE(WindowIcon::topDownRgba(compressed).empty());
}

TEST(WindowIcon, AMissingOrBrokenIconLeavesTheWindowAlone) {
    TempDir dir;
    ResourceManager* resources = ResourceManager::create("icon-test");
    FakeNativeWindow window;
    EXPECT_FALSE(WindowIcon::apply(window, *resources)); // neither pack nor file
    dir.write("mui/icon.png", "not a picture");
    const std::filesystem::path start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_FALSE(WindowIcon::apply(window, *resources));
    std::filesystem::current_path(start);
    EXPECT_TRUE(window.icon.empty());
    ResourceManager::destroy("icon-test");
}

#ifdef QUILLMERE_DATA_EXE // built with the game's data only
TEST(WindowIcon, TheGamesIconComesFromItsData) {
    platform::GameFolders folders;
    const std::filesystem::path start = std::filesystem::current_path();
    TempDir user;
    ASSERT_TRUE(folders.enter({std::string(QUILLMERE_BINARY_DIR) + "/gamedata", user.path()}));
    ResourceManager* resources = ResourceManager::create("icon-test");
    resources->setPassword(PackFormat::gamePassword);
    resources->open("data/data.pk");
    FakeNativeWindow window;
    EXPECT_TRUE(WindowIcon::apply(window, *resources));
    ResourceManager::destroy("icon-test");
    std::filesystem::current_path(start);
    ASSERT_EQ(window.iconWidth, 128);
    ASSERT_EQ(window.iconHeight, 128);
    ASSERT_EQ(window.icon.size(), 128u * 128u * 4u);
    // Rounded corners, an opaque ball in the middle.
    EXPECT_EQ(window.icon[3], 0);
    EXPECT_EQ(window.icon[(64 * 128 + 64) * 4 + 3], 255);
    // The top row first: the night sky beside the cell is lighter below.
    auto blue = [&](int top) {
        int sum = 0;
        for (int y = top; y < top + 5; ++y) {
            for (int x = 6; x < 11; ++x) {
                sum += window.icon[(y * 128 + x) * 4 + 2];
            }
        }
        return sum;
    };
    EXPECT_GT(blue(104), blue(20));
}
#endif
