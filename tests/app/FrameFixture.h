#pragma once

// An application around a scripted window, a fake clock and a fresh journal.
#include "FakeNativeWindow.h"
#include "RecordingWindow.h"
#include "app/Application.h"
#include "support/FakeClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeNativeWindow>();
        native = fake.get();
        ASSERT_TRUE(Application::create("main", std::move(fake)));
        app = Application::instance();
        app->view().setLogicalSize(800, 600);
    }
    void TearDown() override { Application::destroy(); }

    // Makes the window and activates the program, as at the end of start-up.
    void openWindow(int x = 100, int y = 50, int w = 800, int h = 600) {
        app->createWindow("Quillmere", x, y, w, h);
        app->createGraphics();
        app->windowProc(platform::Event::activation(true));
    }

    FakeClock clock;
    FakeNativeWindow* native = nullptr;
    Application* app = nullptr;
    Journal journal;
};
