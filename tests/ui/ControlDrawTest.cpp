// The controls and the dragons drawn on a real GL context, read back.
#include "ToolkitSupport.h"

#include "gfx/Font.h"
#include "gfx/Sprite.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "platform/Random.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DragonFlock.h"
#include "ui/EditBox.h"
#include "ui/TrackBar.h"

#include "gfx/FontPicture.h"
#include "support/GlScreen.h"

#include <gtest/gtest.h>

namespace {

const std::vector<Rgb> frameColours = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {200, 200, 0}};
const Rgb black = {0, 0, 0};

class ControlDraw : public GlScreen {
protected:
    void TearDown() override {
        Settings::destroy();
        ResourceManager::destroy("dragon-draw-test");
    }

    // Every pixel of a rectangle (edges inside) has one colour.
    void expectArea(int left, int top, int right, int bottom, const Rgb& colour) {
        for (int y : {top, (top + bottom) / 2, bottom}) {
            for (int x : {left, (left + right) / 2, right}) {
                EXPECT_EQ(pixel(x, y), colour) << x << "," << y;
            }
        }
    }
    bool lit(int x, int y) {
        const Rgb c = pixel(x, y);
        return c[0] + c[1] + c[2] > 150;
    }

    TempDir dir;
    CommandScreen screen;
};

} // namespace

TEST_F(ControlDraw, ButtonShowsTheFrameOfItsState) {
    // 40 by 10 frames.
    const auto picture = bandTexture(dir, "button.tga", 40, 10, frameColours);
    Button button(&screen, picture.get());
    button.setPosition(100, 100, 0);
    button.draw();
    expectArea(100, 100, 139, 109, frameColours[0]);
    EXPECT_EQ(pixel(99, 105), black);
    EXPECT_EQ(pixel(140, 105), black);
    EXPECT_EQ(pixel(120, 110), black);
    button.onMouseMove(110, 105, 0);
    button.draw();
    expectArea(100, 100, 139, 109, frameColours[1]);
    button.onLButtonDown(110, 105, 1);
    button.draw();
    expectArea(100, 100, 139, 109, frameColours[2]);
}

TEST_F(ControlDraw, HiddenButtonDrawsNothing) {
    const auto picture = bandTexture(dir, "button.tga", 40, 10, frameColours);
    Button button(&screen, picture.get());
    button.setPosition(100, 100, 0);
    button.setVisible(false);
    button.draw();
    expectArea(100, 100, 139, 109, black);
}

TEST_F(ControlDraw, CheckBoxShowsItsFourFrames) {
    const auto picture = bandTexture(dir, "box.tga", 16, 16, frameColours);
    CheckBox box(&screen, picture.get());
    box.setPosition(300, 200, 0);
    glColor4f(0.2f, 0.2f, 0.2f, 1); // the box draws in white whatever was set
    const int states[] = {1, 2, 4, 3};
    for (int want : states) {
        box.draw();
        EXPECT_EQ(box.state(), want);
        expectArea(300, 200, 315, 215, frameColours[want - 1]);
        if (want == 1 || want == 4) {
            box.onMouseMove(305, 205, 0);
        }
        if (want == 2) {
            box.onLButtonDown(305, 205, 1);
        }
        if (want == 4) {
            box.onMouseMove(0, 0, 0);
        }
    }
}

TEST_F(ControlDraw, TrackBarThumbLandsWhereTheValueMaps) {
    const auto thumb = bandTexture(dir, "thumb.tga", 10, 20, {{250, 250, 250}});
    TrackBar bar(&screen, thumb.get());
    bar.setPosition(100, 400, 0);
    bar.setRange(0, 64);
    bar.setLength(204);
    bar.setValue(32);
    bar.draw();
    expectArea(202, 400, 211, 419, Rgb{250, 250, 250});
    EXPECT_EQ(pixel(201, 410), black);
    EXPECT_EQ(pixel(212, 410), black);
    // Dragged to the end, the thumb is drawn there.
    ASSERT_TRUE(bar.onLButtonDown(205, 405, 1));
    bar.onMouseMove(700, 405, 1);
    setUpScreen();
    bar.draw();
    expectArea(304, 400, 313, 419, Rgb{250, 250, 250});
    EXPECT_EQ(pixel(205, 410), black);
}

TEST_F(ControlDraw, EditBoxDrawsItsFrameCaretAndText) {
    const auto picture = bandTexture(dir, "edit.tga", 200, 40, {{0, 0, 90}, {0, 90, 0}});
    const FontPicture fontPicture({47, 47}, 64, true);
    const auto fontTexture = std::unique_ptr<Texture>(
        Texture::load(nullptr, dir.write("font.tga", fontPicture.file), false, false));
    Font font;
    ASSERT_TRUE(
        font.loadGlyphs(fontPicture.file.data(), fontPicture.file.size(), fontTexture.get()));
    EditBox box(&screen, &font, 20, picture.get());
    box.setPosition(100, 200, 0);
    box.setTextColor(1, 1, 1, 1);
    box.draw();
    EXPECT_FLOAT_EQ(box.width(), 200);
    EXPECT_FLOAT_EQ(box.height(), 40);
    expectArea(100, 200, 299, 239, Rgb{0, 0, 90}); // idle, nothing typed

    box.setFocused(true);
    for (char c : std::string("DD")) {
        box.onChar(static_cast<unsigned char>(c), 1);
    }
    box.update(500); // the caret shows
    ASSERT_TRUE(box.isCaretVisible());
    setUpScreen();
    box.draw();
    // The bar: from the end of the text, 3 wide, the font's height centred.
    const float bar = 100 + 7 + font.textWidth("DD", 20);
    EXPECT_FLOAT_EQ(box.caretLeft(), bar);
    // The text's outline covers the bar's first columns; its last one shows.
    const int barEnd = static_cast<int>(bar + EditBox::caretWidth - 0.5f);
    for (int y : {210, 220, 229}) {
        EXPECT_EQ(pixel(barEnd, y), (Rgb{255, 255, 255})) << y;
    }
    EXPECT_EQ(pixel(barEnd + 1, 220), (Rgb{0, 90, 0})) << "the focused frame";
    EXPECT_EQ(pixel(barEnd, 209), (Rgb{0, 90, 0}));
    EXPECT_EQ(pixel(barEnd, 230), (Rgb{0, 90, 0}));
    // The text stands on the baseline 10 above the bottom, starting 7 in.
    EXPECT_FLOAT_EQ(box.baseline(), 230);
    int first = -1;
    for (int x = 100; x < barEnd; ++x) {
        if (lit(x, 222)) {
            first = first < 0 ? x : first;
        }
    }
    // A glyph starts one transparent picture column before its ink.
    EXPECT_NEAR(first, 107 + 20.0f / (FontPicture::bandHeight - 1), 1.5);
    EXPECT_FALSE(lit(115, 234));

    // Blinked off: no bar.
    box.update(500);
    setUpScreen();
    box.draw();
    EXPECT_EQ(pixel(barEnd, 220), (Rgb{0, 90, 0}));
}

TEST_F(ControlDraw, DragonsAreDrawnOnlyWithTheSettingButMoveEitherWay) {
    const Rgb white = {240, 240, 240};
    const std::string picture =
        dir.write("dragon.tga", bandPicture(64, 16, {white, white, white, white}));
    const std::string description =
        dir.write("dragon.spr", "file_name " + picture + "\nframes 4\ngroups 4\n");
    ResourceManager* resources = ResourceManager::create("dragon-draw-test");
    std::unique_ptr<Sprite> sheet(Sprite::fromFile(resources, description));
    Random::seed(5);
    DragonFlock flock(sheet.get(), DragonFlock::Variant::FourLooks);
    for (const auto& d : flock.dragons()) {
        d->setPoint(-40, -40); // out of the way, still on screen
        d->setSpeed(0);
        d->setFlyTimer(1e9f);
        d->setTurnRate(0);
    }
    Dragon& d = *flock.dragons()[0];
    d.setPoint(700, 500);
    d.setSpeed(1);
    auto grey = [] {
        glClearColor(0.5f, 0.5f, 0.5f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };

    Settings::create()->showDragons = false;
    flock.update(60); // ten pixels up
    EXPECT_EQ(d.y(), 490);
    grey();
    flock.draw();
    const Rgb background = pixel(700, 490);
    EXPECT_NEAR(background[0], 128, 2);
    EXPECT_EQ(pixel(715, 500), background);

    // Turned on: the dragon where it flew to, its shadow off towards the
    // bottom right (x / 20 - 20 = 15, y / 20 - 15 = 9.5), 1.1 times as large.
    Settings::instance()->showDragons = true;
    grey();
    flock.draw();
    EXPECT_EQ(pixel(700, 490), white);
    EXPECT_EQ(pixel(693, 483), white);
    const Rgb shadow = pixel(718, 505);
    EXPECT_NEAR(shadow[0], 0.7 * background[0], 3);
    EXPECT_NEAR(pixel(723, 507)[0], 0.7 * background[0], 3);
    EXPECT_EQ(pixel(725, 505), background);
    EXPECT_EQ(pixel(690, 480), background);

    // Hovering, the dragon is low and the shadow close: a quarter of the way.
    d.setFlyTimer(0);
    d.setHoverTimer(1e9f);
    grey();
    flock.draw();
    EXPECT_EQ(pixel(700, 490), white);
    EXPECT_EQ(pixel(718, 505), background);
    EXPECT_NEAR(pixel(711, 497)[0], 0.7 * background[0], 3);
}
