#include "game/IntroWindow.h"
#include "persist/ResourceManager.h"
#include "gfx/Texture.h"
#include "picturewriter/PictureWriter.h"
#include "support/GlScreen.h"
#include "support/RecordingFrame.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>

namespace {

class IntroWindowTest : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        ResourceManager::create("main");
    }
    void TearDown() override {
        ResourceManager::destroy("main");
        if (!previous.empty())
            std::filesystem::current_path(previous);
    }

    // The intro picture on the disk: its upper half red, its lower half blue.
    void writePicture() {
        const int size = 64;
        PictureWriter::Bytes samples;
        for (int row = 0; row < size; ++row) {
            for (int col = 0; col < size; ++col) {
                const bool upper = row < size / 2;
                samples.insert(samples.end(), {static_cast<std::uint8_t>(upper ? 220 : 10), 10,
                                               static_cast<std::uint8_t>(upper ? 10 : 220)});
            }
        }
        std::filesystem::create_directories("mui/bgs");
        const PictureWriter::Bytes jpeg = PictureWriter::jpeg(size, size, 3, samples, 95);
        std::ofstream("mui/bgs/intro.jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()),
                   static_cast<std::streamsize>(jpeg.size()));
    }

    TempDir dir;
    std::filesystem::path previous;
    RecordingFrame frame;
};

TEST_F(IntroWindowTest, ActivationSetsTheGlStateOfTheWholeProgram) {
    frame.width = 400;
    frame.height = 300;
    IntroWindow intro;
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    intro.activate();
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint func = 0;
    GLfloat ref = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_EQ(func, GL_GREATER);
    EXPECT_FLOAT_EQ(ref, 0.5f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 400);
    EXPECT_EQ(viewport[3], 300);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f);
    // The logical screen's bottom-right corner lands on the viewport's.
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0] * 800 + projection[12], 1.0f, 1e-5);
    EXPECT_NEAR(projection[5] * 600 + projection[13], -1.0f, 1e-5);
}

TEST_F(IntroWindowTest, DrawsThePictureUprightOverTheWholeScreen) {
    writePicture();
    IntroWindow intro;
    ASSERT_GT(intro.picture()->width(), 0);
    intro.activate();
    glDisable(GL_ALPHA_TEST);
    intro.draw();
    for (int x : {5, 400, 795}) {
        Rgb top = pixel(x, 100);
        Rgb bottom = pixel(x, 500);
        EXPECT_GT(top[0], 150) << x;
        EXPECT_LT(top[2], 80) << x;
        EXPECT_GT(bottom[2], 150) << x;
        EXPECT_LT(bottom[0], 80) << x;
    }
}

TEST_F(IntroWindowTest, AMissingPictureDrawsAsAnEmptyTextureAndTheStartGoesOn) {
    IntroWindow intro;
    EXPECT_EQ(intro.picture()->width(), 0);
    intro.activate();
    while (glGetError() != GL_NO_ERROR) {
    }
    intro.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // One plain colour over the screen, whatever an empty texture shows as.
    EXPECT_EQ(pixel(5, 5), pixel(400, 300));
    EXPECT_EQ(pixel(795, 595), pixel(400, 300));
}

} // namespace
