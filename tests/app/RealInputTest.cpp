// Real X events (sent with xdotool) reaching the screens through the frame.
#include "RecordingWindow.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "platform/Clipboard.h"
#include "platform/KeyState.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

using platform::Key;

using ::testing::Contains;
using ::testing::ElementsAre;

namespace {

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

std::string windowId(const std::string& title) {
    std::string command = "timeout 10 xdotool search --sync --name '^" + title + "$' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string id;
    char buffer[64];
    if (pipe) {
        if (std::fgets(buffer, sizeof buffer, pipe)) {
            id = buffer;
        }
        pclose(pipe);
    }
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) {
        id.pop_back();
    }
    return id;
}

class RealInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = std::make_unique<PrivateDisplay>();
        REQUIRE_DISPLAY();
        title = "QuillmereInput" + std::to_string(getpid());
        ASSERT_TRUE(Application::create("main"));
        app = Application::instance();
        app->view().setLogicalSize(800, 600);
        ASSERT_TRUE(app->createWindow(title, 60, 40, 800, 600));
        app->createGraphics();
        app->pushWindow(&game);
        id = windowId(title);
        ASSERT_FALSE(id.empty());
        xdotool("windowfocus --sync " + id);
        ASSERT_TRUE(pumpUntil([this] { return app->isActive(); }));
        xdotool("mousemove --sync 460 340");
        pumpUntil([this] { return seen("game.move 400,300 0"); });
        journal.clear();
    }
    void TearDown() override {
        if (Application::instance()) {
            app->destroyWindow();
            Application::destroy();
        }
    }

    // Runs the loop's passes until the condition holds (or two seconds pass).
    bool pumpUntil(const std::function<bool()>& done) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            app->runPass();
            if (done()) {
                return true;
            }
        }
        return false;
    }
    bool seen(const std::string& entry) {
        return std::find(journal.begin(), journal.end(), entry) != journal.end();
    }
    // The input calls only, without the frames' updates and draws.
    std::vector<std::string> input() {
        std::vector<std::string> out;
        for (const std::string& e : journal) {
            if (e.find(".update") == std::string::npos && e.find(".draw") == std::string::npos &&
                e.find(".activate") == std::string::npos) {
                out.push_back(e);
            }
        }
        return out;
    }
    void send(const std::string& arguments, const std::string& lastExpected) {
        ASSERT_TRUE(xdotool(arguments));
        EXPECT_TRUE(pumpUntil([&] { return seen(lastExpected); }))
            << "waiting for " << lastExpected << " after " << arguments;
    }

    std::unique_ptr<PrivateDisplay> display;
    Journal journal;
    RecordingWindow game{journal, "game"};
    Application* app = nullptr;
    std::string title;
    std::string id;
};

} // namespace

TEST_F(RealInputTest, MouseArrivesInClientPixelsWithButtonAndKeyFlags) {
    send("mousemove --sync 160 140", "game.move 100,100 0");
    send("click 1", "game.lup 100,100 0");
    send("click 3", "game.rup 100,100 0");
    send("keydown shift click 1 keyup shift", "game.lup 100,100 4");
    send("keydown ctrl click 3 keyup ctrl", "game.rup 100,100 8");
    EXPECT_THAT(input(),
                ElementsAre("game.move 100,100 0", "game.ldown 100,100 1", "game.lup 100,100 0",
                            "game.rdown 100,100 2", "game.rup 100,100 0", "game.key 16",
                            "game.ldown 100,100 5", "game.lup 100,100 4", "game.key 17",
                            "game.rdown 100,100 10", "game.rup 100,100 8"));
    // Held button dragged off the window to the left: negative x.
    journal.clear();
    send("mousedown 1 mousemove --sync 20 140", "game.move -40,100 1");
    send("mouseup 1", "game.lup -40,100 0");
    platform::Point p = Application::cursorPosition();
    EXPECT_EQ(p.x, -40);
    EXPECT_EQ(p.y, 100);
}

TEST_F(RealInputTest, KeysArriveAsVirtualKeyCodesAndCharacters) {
    send("key BackSpace Return Escape End Home Left Right Insert Delete", "game.key 46");
    send("type aZ1", "game.char 49 x1");
    EXPECT_THAT(input(),
                ElementsAre("game.key 8", "game.key 13", "game.key 27", "game.key 35",
                            "game.key 36", "game.key 37", "game.key 39", "game.key 45",
                            "game.key 46", "game.key 65", "game.char 97 x1", "game.key 16",
                            "game.key 90", "game.char 90 x1", "game.key 49", "game.char 49 x1"));
}

TEST_F(RealInputTest, TheTopDialogTakesAllInput) {
    RecordingDialog first(journal, "first");
    RecordingDialog second(journal, "second");
    app->pushDialog(&first);
    app->pushDialog(&second);
    journal.clear();
    send("mousemove --sync 260 240 click 1", "second.lup 200,200 0");
    send("key x", "second.char 120 x1");
    for (const std::string& e : input()) {
        EXPECT_EQ(e.rfind("second.", 0), 0u) << e;
    }
    EXPECT_THAT(input(), Contains("second.key 88"));
}

TEST_F(RealInputTest, AltF4AsksTheTopWindowInsteadOfQuitting) {
    RecordingDialog dialog(journal, "dlg");
    app->pushDialog(&dialog);
    journal.clear();
    send("key alt+F4", "game.closeRequest");
    EXPECT_TRUE(app->dialogs().empty());
    // Alt combinations are system keys: no key press reaches the screens.
    EXPECT_THAT(input(), ElementsAre("game.closeRequest"));
    EXPECT_TRUE(app->runPass()); // no quit message
}

TEST_F(RealInputTest, KeyStateAndClipboardFollowTheDesktop) {
    send("keydown ctrl", "game.key 17");
    EXPECT_TRUE(platform::isKeyHeld(Key::Control));
    EXPECT_FALSE(platform::isKeyHeld(Key::Shift));
    ASSERT_TRUE(xdotool("keyup ctrl"));
    EXPECT_TRUE(pumpUntil([] { return !platform::isKeyHeld(Key::Control); }));

    ASSERT_TRUE(platform::clipboard().setText("line one\r\nline\ttwo"));
    std::string text;
    ASSERT_TRUE(platform::clipboard().getText(text));
    EXPECT_EQ(text, "line one\r\nline\ttwo");
}
