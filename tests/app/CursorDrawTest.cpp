// The game's cursor drawn on a real context at the position the application
// reports (from a scripted window, so the test decides where the mouse is).
#include "FakeNativeWindow.h"
#include "app/Application.h"
#include "ui/Cursor.h"
#include "persist/ResourceManager.h"
#include "gfx/Sprite.h"
#include "picturewriter/PictureWriter.h"
#include "support/GlScreen.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

class CursorDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        auto fake = std::make_unique<FakeNativeWindow>();
        pointer = fake.get();
        ASSERT_TRUE(Application::create("cursor-test", std::move(fake)));
        resources = ResourceManager::create("cursor-test");
    }
    void TearDown() override {
        Cursor::destroy();
        Application::destroy();
        ResourceManager::destroy("cursor-test");
    }

    // A one-cell sprite of a solid colour, size by size pixels.
    std::unique_ptr<Sprite> solidSprite(const std::string& name, std::uint8_t red, int size) {
        PictureWriter::Bytes pixels;
        for (int i = 0; i < size * size; ++i) {
            pixels.insert(pixels.end(), {0, 0, red, 255});
        }
        files.write(name + ".tga", PictureWriter::tga(2, 32, size, size, pixels));
        files.write(name + ".spr", "file_name " + files.file(name + ".tga"));
        return std::unique_ptr<Sprite>(Sprite::fromFile(resources, files.file(name + ".spr")));
    }

    // Puts the mouse at a client position of the scripted window.
    void moveMouse(int x, int y) {
        pointer->cursor = platform::Point{pointer->outer.left + pointer->border + x,
                                          pointer->outer.top + pointer->border + y};
    }

    FakeNativeWindow* pointer = nullptr;
    ResourceManager* resources = nullptr;
    TempDir files;
};

TEST_F(CursorDraw, CurrentSpriteIsCentredOnTheMouse) {
    auto arrow = solidSprite("arrow", 250, 10);
    auto busy = solidSprite("busy", 120, 6);
    Cursor::create(arrow.get(), busy.get());
    moveMouse(300, 200);
    Cursor::instance()->draw();
    EXPECT_EQ(pixel(300, 200), (Rgb{250, 0, 0}));
    EXPECT_EQ(pixel(295, 195), (Rgb{250, 0, 0}));
    EXPECT_EQ(pixel(294, 200), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(305, 200), (Rgb{0, 0, 0}));
    const float* at = Cursor::instance()->current()->position();
    EXPECT_FLOAT_EQ(at[0], 300);
    EXPECT_FLOAT_EQ(at[2], 40);

    // The other look, somewhere else; the model-view matrix is left as it was.
    setUpScreen();
    Cursor::instance()->setKind(1);
    moveMouse(50, 60);
    Cursor::instance()->draw();
    EXPECT_EQ(pixel(50, 60), (Rgb{120, 0, 0}));
    EXPECT_EQ(pixel(47, 60), (Rgb{120, 0, 0}));
    EXPECT_EQ(pixel(46, 60), (Rgb{0, 0, 0}));
    float matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_FLOAT_EQ(matrix[12], 0);
    EXPECT_FLOAT_EQ(matrix[14], 0);
}
