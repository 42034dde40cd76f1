// What the help window and its elements put on a real GL screen.
#include "HelpFixture.h"
#include "game/HelpElement.h"
#include "game/HelpWindow.h"
#include "gfx/FontPicture.h"
#include "persist/XmlNode.h"
#include "support/GlScreen.h"
#include "ui/Button.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// Pictures of one colour (B, G, R order in the file).
PictureWriter::Bytes solid(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    PictureWriter::Bytes pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {b, g, r, 255});
    }
    return PictureWriter::tga(2, 32, width, height, pixels);
}

class HelpDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        ResourceManager::create("main");
        // A font of solid red glyphs, a blue help background, a green picture.
        dir.write("mui/font.tga", FontPicture({47, 47}, 64, true).file);
        dir.write("back.tga", solid(16, 16, 255, 0, 0));
        dir.write("mui/resourses.txt", "m_help_window_back back.tga\n");
        dir.write("green.tga", solid(8, 8, 0, 255, 0));
        dir.write("green.xml", "<a><g><f>green.tga</f></g></a>");
        dir.write("lost.xml", "<a><g><f>lost.tga</f></g></a>");
        ui = std::make_unique<UiResources>();
        ui->load();
    }
    void TearDown() override {
        if (ui) {
            ui.reset();
            ResourceManager::destroy("main");
            std::filesystem::current_path(before);
        }
    }
    static XmlNode parse(const std::string& xml) {
        XmlNode node;
        node.load(xml.data(), xml.size());
        return node;
    }
    static bool isRed(Rgb c) { return c[0] > 150 && c[1] < 60 && c[2] < 60; }
    static bool isGreen(Rgb c) { return c[1] > 200 && c[0] < 60 && c[2] < 60; }
    static bool isBlue(Rgb c) { return c[2] > 200 && c[0] < 60 && c[1] < 60; }
    static bool isBlack(Rgb c) { return c[0] + c[1] + c[2] < 30; }

    TempDir dir;
    FakeFrame frame;
    std::filesystem::path before;
    std::unique_ptr<UiResources> ui;
};

} // namespace

TEST_F(HelpDraw, AnImageIsCentredOnItsPositionAtItsSize) {
    HelpElement element(parse("<pic width=\"100\" height=\"60\"><pos x=\"300\" y=\"200\"/>"
                              "<image>green.xml</image></pic>"),
                        1);
    element.draw();
    EXPECT_TRUE(isGreen(pixel(300, 200)));
    EXPECT_TRUE(isGreen(pixel(256, 176)));
    EXPECT_TRUE(isGreen(pixel(344, 224)));
    EXPECT_TRUE(isBlack(pixel(246, 200)));
    EXPECT_TRUE(isBlack(pixel(354, 200)));
    EXPECT_TRUE(isBlack(pixel(300, 166)));
    EXPECT_TRUE(isBlack(pixel(300, 234)));
}

TEST_F(HelpDraw, AnElementWhoseImageIsMissingDrawsItsTextAlone) {
    HelpElement element(parse("<pic width=\"300\" height=\"2\" font_size=\"30\">"
                              "<pos x=\"100\" y=\"300\"/><font_color r=\"1\" g=\"1\" b=\"1\"/>"
                              "<image animated=\"1\">lost.xml</image><text>WWWW</text></pic>"),
                        1);
    ASSERT_EQ(element.image(), nullptr);
    element.draw();
    // The glyphs stand on the baseline at the position, reaching 30 up (the
    // first glyph starts a few units right, past its margin).
    EXPECT_TRUE(isRed(pixel(108, 285)));
    EXPECT_TRUE(isBlack(pixel(108, 320)));
    // Nothing where the picture would have been, centred on the position.
    EXPECT_TRUE(isBlack(pixel(100, 320)));
    EXPECT_TRUE(isBlack(pixel(60, 300)));
}

TEST_F(HelpDraw, TheWindowDrawsItsBackgroundAndOnlyTheCurrentPage) {
    const std::string first = "<pic width=\"60\" height=\"60\"><pos x=\"200\" y=\"200\"/>"
                              "<image>green.xml</image></pic>";
    const std::string second = "<pic width=\"60\" height=\"60\"><pos x=\"600\" y=\"400\"/>"
                               "<image>green.xml</image></pic>";
    dir.write("mui/help.xml", "<help><page>" + first + "</page><page>" + second + "</page></help>");
    HelpWindow help(800, 600);
    ASSERT_EQ(help.pageCount(), 2);
    // Whatever projection the screen before left, the window sets its own.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    help.draw();
    EXPECT_TRUE(isGreen(pixel(200, 200)));
    EXPECT_TRUE(isBlue(pixel(600, 400)));
    // The background covers the whole screen.
    EXPECT_TRUE(isBlue(pixel(1, 1)));
    EXPECT_TRUE(isBlue(pixel(798, 598)));

    help.onCommand(help.nextButton());
    help.draw();
    EXPECT_TRUE(isBlue(pixel(200, 200)));
    EXPECT_TRUE(isGreen(pixel(600, 400)));
}
