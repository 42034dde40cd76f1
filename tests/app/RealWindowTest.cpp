// The real window and OpenGL context on the desktop (Xvfb under the test script).
#include "TestSupport.h"
#include "XDesktop.h"
#include "app/Application.h"
#include "app/Log.h"
#include "gfx/Texture.h"
#include "picturewriter/PictureWriter.h"
#include "platform/GlExtensions.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Number of complete driver blocks in the log.
int driverBlocks(const std::vector<std::string>& lines) {
    const std::string rule(51, '-');
    int blocks = 0;
    for (size_t i = 0; i + 4 < lines.size(); ++i) {
        if (lines[i] == rule && lines[i + 1].rfind("Vendor: ", 0) == 0 &&
            lines[i + 2].rfind("Version: ", 0) == 0 && lines[i + 3].rfind("Renderer: ", 0) == 0 &&
            lines[i + 4] == rule) {
            ++blocks;
        }
    }
    return blocks;
}

struct Rgb {
    int r, g, b;
};

// The colour at a logical point of the 800 by 600 screen (GL rows count up).
Rgb pixelAt(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgb{p[0], p[1], p[2]};
}

// Blue screen, a red quad from (100, 50) to (300, 150) in logical units.
void drawScene(View& view) {
    view.setup2D(800, 600);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2f(100, 50);
    glVertex2f(300, 50);
    glVertex2f(300, 150);
    glVertex2f(100, 150);
    glEnd();
    glFinish();
}

void expectScene(const char* when) {
    Rgb inside = pixelAt(200, 100);
    EXPECT_GT(inside.r, 200) << when;
    EXPECT_LT(inside.b, 50) << when;
    // Mirrored position: red only if y grew upward.
    Rgb mirrored = pixelAt(200, 500);
    EXPECT_LT(mirrored.r, 50) << when;
    EXPECT_GT(mirrored.b, 200) << when;
    Rgb outside = pixelAt(350, 100);
    EXPECT_GT(outside.b, 200) << when;
}

} // namespace

TEST(RealWindow, ContextDrawsInLogicalUnitsAndSurvivesFullScreen) {
    // Nothing of other tests may cover the screen this test looks at.
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string logPath = tempPath("real_window.log");
    Log::open(logPath);
    ASSERT_TRUE(Application::create("main"));
    Application* app = Application::instance();
    app->view().setLogicalSize(800, 600);
    ASSERT_GT(app->desktopMode().width, 0);
    ASSERT_TRUE(app->createWindow("Quillmere graphics test", 40, 30, 800, 600));
    app->createGraphics();
    ASSERT_TRUE(app->nativeWindow().hasContext());
    EXPECT_EQ(platform::missingGlExtensions("GL_ARB_multitexture "), "");
    EXPECT_NE(platform::glProcAddress("glActiveTextureARB"), nullptr);
    app->setSwapInterval(1); // may be refused; the game runs without it

    std::vector<std::string> lines = readLines(logPath);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::string(51, '-'));
    EXPECT_EQ(driverBlocks(lines), 1);

    drawScene(app->view());
    expectScene("windowed");
    app->nativeWindow().swapBuffers();

    platform::Rect before = app->windowRect();
    EXPECT_EQ(before.left, 40);
    EXPECT_EQ(before.top, 30);

    ASSERT_TRUE(app->enterFullScreen(800, 600));
    EXPECT_TRUE(app->isFullScreen());
    EXPECT_EQ(app->clientWidth(), 800);
    EXPECT_EQ(app->clientHeight(), 600);
    platform::Rect full = app->windowRect();
    EXPECT_EQ(full.width(), app->desktopMode().width);
    EXPECT_EQ(full.height(), app->desktopMode().height);
    ASSERT_TRUE(app->nativeWindow().hasContext());
    drawScene(app->view());
    expectScene("full screen");
    app->nativeWindow().swapBuffers();
    // On the desktop the client is scaled to the full height, centred with
    // bars beside or above and below it.
    int dw = full.width();
    int dh = full.height();
    double scale = std::min(dw / 800.0, dh / 600.0);
    int left = static_cast<int>((dw - 800 * scale) / 2);
    int top = static_cast<int>((dh - 600 * scale) / 2);
    auto shown = [&](double lx, double ly) {
        return screenPixel(full.left + left + static_cast<int>(lx * scale),
                           full.top + top + static_cast<int>(ly * scale));
    };
    // The server may take a moment to show the swapped frame.
    for (int tries = 0; tries < 50 && shown(200, 100).r < 200; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ScreenPixel quad = shown(200, 100);
    ASSERT_TRUE(quad.ok);
    EXPECT_GT(quad.r, 200);
    EXPECT_LT(quad.b, 50);
    ScreenPixel back = shown(600, 400);
    EXPECT_GT(back.b, 200);
    EXPECT_LT(back.r, 50);
    if (top > 2) {
        ScreenPixel bar = screenPixel(full.left + dw / 2, full.top + top / 2);
        EXPECT_EQ(bar.r + bar.g + bar.b, 0);
    }
    if (left > 2) {
        ScreenPixel bar = screenPixel(full.left + left / 2, full.top + dh / 2);
        EXPECT_EQ(bar.r + bar.g + bar.b, 0);
    }
    // After the scaled copy the game still draws into its own 800 by 600 client.
    drawScene(app->view());
    expectScene("full screen, second frame");

    EXPECT_TRUE(app->leaveFullScreen());
    EXPECT_FALSE(app->isFullScreen());
    platform::Rect after = app->windowRect();
    EXPECT_EQ(after.left, 40);
    EXPECT_EQ(after.top, 30);
    EXPECT_EQ(after.width(), 800);
    EXPECT_EQ(after.height(), 600);
    drawScene(app->view());
    expectScene("windowed again");

    EXPECT_EQ(driverBlocks(readLines(logPath)), 3);
    app->destroyWindow();
    Application::destroy();
    Log::close();
    EXPECT_EQ(readLines(logPath).back(), "Closing Log");
    std::filesystem::remove(logPath);
}

TEST(RealWindow, FullScreenMapsTheDesktopCursorIntoClientPixels) {
    REQUIRE_DISPLAY();
    ASSERT_TRUE(Application::create("main"));
    Application* app = Application::instance();
    app->view().setLogicalSize(800, 600);
    ASSERT_TRUE(app->createWindow("Quillmere cursor test", 100, 100, 800, 600));
    app->createGraphics();
    platform::NativeWindow& native = app->nativeWindow();
    platform::Point p = native.screenToClient({150, 130});
    EXPECT_EQ(p.x, 50);
    EXPECT_EQ(p.y, 30);
    ASSERT_TRUE(app->enterFullScreen(800, 600));
    const platform::DisplayMode& mode = app->desktopMode();
    // The desktop's centre is the client's centre; its corner lies outside
    // the client when the aspects differ, never inside.
    platform::Point centre = native.screenToClient({mode.width / 2, mode.height / 2});
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 300, 1);
    platform::Point corner = native.screenToClient({0, 0});
    EXPECT_LE(corner.x, 0);
    EXPECT_LE(corner.y, 0);
    app->destroyWindow();
    Application::destroy();
}

TEST(RealWindow, TexturesAreUsableAgainAfterEveryDisplaySwitch) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string path = tempPath("green.tga");
    PictureWriter::Bytes pixels;
    for (int i = 0; i < 16; ++i) {
        pixels.insert(pixels.end(), {0, 255, 0}); // B, G, R
    }
    PictureWriter::Bytes file = PictureWriter::tga(2, 24, 4, 4, pixels);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));

    ASSERT_TRUE(Application::create("main"));
    Application* app = Application::instance();
    app->view().setLogicalSize(800, 600);
    ASSERT_TRUE(app->createWindow("Quillmere texture test", 50, 50, 800, 600));
    app->createGraphics();
    Texture* texture = Texture::load(nullptr, path, false, false);
    ASSERT_NE(texture, nullptr);

    auto drawTexture = [&] {
        app->view().setup2D(app->clientWidth(), app->clientHeight());
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, texture->glName());
        texture->drawSized(100, 100, 0, 200, 200);
        glFinish();
        return pixelAt(200, 200);
    };
    for (const char* when : {"windowed", "full screen", "windowed again"}) {
        if (std::string(when) == "full screen") {
            ASSERT_TRUE(app->enterFullScreen(800, 600));
        } else if (std::string(when) == "windowed again") {
            ASSERT_TRUE(app->leaveFullScreen());
        }
        ASSERT_NE(texture->glName(), 0u) << when;
        EXPECT_TRUE(glIsTexture(texture->glName())) << when;
        Rgb seen = drawTexture();
        EXPECT_GT(seen.g, 200) << when;
        EXPECT_LT(seen.b, 50) << when;
    }
    delete texture;
    app->destroyWindow();
    Application::destroy();
    std::filesystem::remove(path);
}
