#include "FrameFixture.h"

#include "TestSupport.h"
#include "app/Log.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using ::testing::ElementsAre;

class DisplaySwitchTest : public FrameFixture {
protected:
    platform::Rect outer() { return native->outerRect(); }
};

TEST_F(DisplaySwitchTest, WindowKeepsClientSizeAndOuterCornerAtPosition) {
    EXPECT_TRUE(app->createWindow("Quillmere", 120, 80, 800, 600));
    EXPECT_EQ(native->title, "Quillmere");
    EXPECT_EQ(app->clientWidth(), 800);
    EXPECT_EQ(app->clientHeight(), 600);
    EXPECT_EQ(outer().left, 120);
    EXPECT_EQ(outer().top, 80);
    EXPECT_EQ(outer().width(), 802); // the thin frame lies outside the client
}

TEST_F(DisplaySwitchTest, SmallModesDoNothing) {
    openWindow(120, 80);
    native->calls.clear();
    for (int w : {320, 400, 640}) {
        EXPECT_FALSE(app->enterFullScreen(w, 480));
    }
    EXPECT_TRUE(native->calls.empty());
    EXPECT_FALSE(app->isFullScreen());
}

TEST_F(DisplaySwitchTest, UnreadableDisplayLeavesEverythingAsItWas) {
    openWindow(120, 80);
    native->displayReadable = false;
    native->calls.clear();
    EXPECT_FALSE(app->enterFullScreen(800, 600));
    EXPECT_TRUE(native->calls.empty());
    EXPECT_TRUE(native->context);
    EXPECT_FALSE(app->isFullScreen());
}

TEST_F(DisplaySwitchTest, EnterRecreatesContextAndLeaveRestoresThePlace) {
    openWindow(120, 80, 1024, 768);
    native->calls.clear();
    EXPECT_TRUE(app->enterFullScreen(800, 600));
    EXPECT_THAT(native->calls,
                ElementsAre("releaseContext", "enterFullScreen", "move", "createContext"));
    EXPECT_TRUE(app->isFullScreen());
    EXPECT_EQ(app->clientWidth(), 800);
    EXPECT_EQ(app->clientHeight(), 600);
    EXPECT_EQ(native->contextsMade, 2);

    // A second switch keeps the windowed place from the first.
    EXPECT_TRUE(app->enterFullScreen(800, 600));
    EXPECT_TRUE(app->leaveFullScreen());
    EXPECT_FALSE(app->isFullScreen());
    EXPECT_EQ(outer().left, 120);
    EXPECT_EQ(outer().top, 80);
    EXPECT_EQ(outer().width(), 1026);
    EXPECT_EQ(app->clientWidth(), 1024);
    EXPECT_EQ(app->clientHeight(), 768);
    EXPECT_TRUE(native->context);
}

TEST_F(DisplaySwitchTest, RefusedFullScreenRunsInAWindowOfThatSizeAtTheTopLeft) {
    openWindow(120, 80, 1024, 768);
    native->canFullScreen = false;
    EXPECT_TRUE(app->enterFullScreen(800, 600));
    EXPECT_FALSE(app->isFullScreen());
    EXPECT_EQ(outer().left, -1); // the frame just off the screen
    EXPECT_EQ(outer().top, -1);
    EXPECT_EQ(outer().width(), 802);
    EXPECT_EQ(app->clientWidth(), 800);
    EXPECT_TRUE(native->context);
}

TEST_F(DisplaySwitchTest, LeavingWhenTheWindowWasAtTheCornerCentresIt) {
    openWindow(0, 0);
    app->enterFullScreen(800, 600);
    app->leaveFullScreen();
    EXPECT_EQ(outer().left, (1280 - 800) / 2);
    EXPECT_EQ(outer().top, (1024 - 600) / 2);
    EXPECT_EQ(app->clientWidth(), 800);
}

TEST_F(DisplaySwitchTest, MinimiseInFullScreenLeavesItFirst) {
    openWindow(120, 80);
    app->enterFullScreen(800, 600);
    native->calls.clear();
    app->minimize();
    ASSERT_FALSE(native->calls.empty());
    EXPECT_EQ(native->calls.front(), "releaseContext");
    EXPECT_EQ(native->calls.back(), "minimize");
    EXPECT_FALSE(app->isFullScreen());
    EXPECT_TRUE(app->isMinimized());
    EXPECT_EQ(outer().left, 120);
}

TEST_F(DisplaySwitchTest, DestroyWindowLeavesFullScreen) {
    openWindow();
    app->enterFullScreen(800, 600);
    native->calls.clear();
    app->destroyWindow();
    EXPECT_THAT(native->calls, ElementsAre("leaveFullScreen", "destroy"));
    EXPECT_FALSE(app->isFullScreen());
}

TEST_F(DisplaySwitchTest, EveryContextCreationLogsTheDriverBlock) {
    std::string path = tempPath("switch.log");
    Log::open(path);
    openWindow();
    app->enterFullScreen(800, 600);
    app->leaveFullScreen();
    std::ifstream in(path);
    std::string line;
    int rules = 0;
    int vendors = 0;
    while (std::getline(in, line)) {
        rules += line == std::string(51, '-');
        vendors += line.rfind("Vendor: ", 0) == 0;
    }
    EXPECT_EQ(rules, 6);
    EXPECT_EQ(vendors, 3);
    std::filesystem::remove(path);
    Log::open("");
}
