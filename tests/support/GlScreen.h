#pragma once

#include "app/View.h"
#include "gfx/Texture.h"
#include "platform/NativeWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

// A fixture with a real window, a current GL context and the 800 by 600
// logical screen cleared to black. Without a display it skips, except under
// CI, where it fails. One window serves the whole suite: starting the video
// system again for every test is slow and not reliable on every X server.
class GlScreen : public ::testing::Test {
public:
    using Rgb = std::array<int, 3>;

    static void SetUpTestSuite() {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            problem = "no DISPLAY";
            return;
        }
        window = platform::createSystemWindow().release();
        if (!window->create("gl test", 0, 0, 800, 600) || !window->createContext()) {
            problem = "no GL window or context";
        }
    }
    static void TearDownTestSuite() {
        delete window;
        window = nullptr;
        problem = nullptr;
    }

protected:
    void SetUp() override {
        if (problem != nullptr) {
            const char* ci = std::getenv("CI");
            if (ci != nullptr && std::string(ci) == "true") {
                FAIL() << problem << " under CI";
            }
            GTEST_SKIP() << problem;
        }
        ASSERT_TRUE(window->createContext());
        ASSERT_TRUE(Texture::hasGlContext());
        setUpScreen();
    }

    static void setUpScreen() {
        View view;
        view.setLogicalSize(800, 600);
        view.applyOrtho(800, 600, false);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor4f(1, 1, 1, 1);
    }

    // The colour at a logical point (y down), read from the back buffer.
    static Rgb pixel(int x, int y) {
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::uint8_t rgb[3] = {0, 0, 0};
        glReadPixels(x, 599 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return Rgb{rgb[0], rgb[1], rgb[2]};
    }

    static inline platform::NativeWindow* window = nullptr;
    static inline const char* problem = nullptr;
};
