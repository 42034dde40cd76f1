#include "FrameFixture.h"
#include "app/EmptyScreen.h"

using ::testing::ElementsAre;
using namespace platform;
using Bit = ButtonFlags::Bit;

using WindowProcTest = FrameFixture;

TEST_F(WindowProcTest, ActivationFollowsTheMessage) {
    EXPECT_FALSE(app->isActive());
    EXPECT_EQ(app->windowProc(Event::activation(true)), 1);
    EXPECT_TRUE(app->isActive());
    app->windowProc(Event::activation(false));
    EXPECT_FALSE(app->isActive());
}

TEST_F(WindowProcTest, RestoreAfterProgramMinimiseActivatesTopWindow) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    app->pushWindow(&menu);
    journal.clear();
    app->windowProc(Event::resize(SizeKind::Restored)); // not minimised: nothing
    EXPECT_TRUE(journal.empty());
    app->minimize();
    EXPECT_TRUE(app->isMinimized());
    app->windowProc(Event::resize(SizeKind::Minimized));
    EXPECT_TRUE(app->isMinimized());
    app->windowProc(Event::resize(SizeKind::Restored));
    EXPECT_FALSE(app->isMinimized());
    EXPECT_THAT(journal, ElementsAre("menu.activate"));
}

TEST_F(WindowProcTest, AltF4AsksTheTopWindowAndDropsDialogs) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    RecordingDialog dialog(journal, "dlg");
    app->pushWindow(&menu);
    app->pushDialog(&dialog);
    journal.clear();
    app->windowProc(Event::close(true));
    EXPECT_TRUE(app->dialogs().empty());
    EXPECT_THAT(journal, ElementsAre("menu.closeRequest"));
    EXPECT_TRUE(native->visible);
    Event m;
    EXPECT_FALSE(native->peekEvent(m)); // no quit
}

TEST_F(WindowProcTest, PlainCloseHidesAndQuits) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    app->pushWindow(&menu);
    journal.clear();
    app->postCloseMessage();
    EXPECT_TRUE(app->runPass());
    EXPECT_FALSE(native->visible);
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(app->runPass()); // the quit message
    EXPECT_EQ(app->exitCode(), 0);
}

TEST_F(WindowProcTest, InputGoesToTopDialogElseTopWindowUnchanged) {
    openWindow();
    RecordingWindow game(journal, "game");
    app->pushWindow(&game);
    app->windowProc(
        Event::mouse(EventKind::LeftButtonDown, {-5, 599}, Bit::LeftButton | Bit::Shift));
    RecordingDialog dialog(journal, "dlg");
    app->pushDialog(&dialog);
    journal.clear();
    app->windowProc(Event::mouse(EventKind::MouseMove, {10, 20}));
    app->windowProc(Event::mouse(EventKind::LeftButtonDown, {10, 20}, Bit::LeftButton));
    app->windowProc(Event::mouse(EventKind::LeftButtonUp, {10, 20}, Bit::Control));
    app->windowProc(Event::mouse(EventKind::RightButtonDown, {11, 21}, Bit::RightButton));
    app->windowProc(Event::mouse(EventKind::RightButtonUp, {11, 21}));
    app->windowProc(Event::keyDown(Key::Delete));
    app->windowProc(Event::typed('x', 3));
    EXPECT_THAT(journal, ElementsAre("dlg.move 10,20 0", "dlg.ldown 10,20 1", "dlg.lup 10,20 8",
                                     "dlg.rdown 11,21 2", "dlg.rup 11,21 0", "dlg.key 46",
                                     "dlg.char 120 x3"));
}

TEST_F(WindowProcTest, NegativeAndLargeCoordinatesArriveSignExtended) {
    RecordingWindow game(journal, "game");
    app->pushWindow(&game);
    journal.clear();
    app->windowProc(Event::mouse(EventKind::MouseMove, {-12, 32767}));
    app->windowProc(Event::mouse(EventKind::MouseMove, {1000, -1}));
    EXPECT_THAT(journal, ElementsAre("game.move -12,32767 0", "game.move 1000,-1 0"));
}

namespace {

// Opens a dialog from its key handler.
class Opener : public Window {
public:
    Window* toOpen = nullptr;
    void onKeyDown(int) override { Application::instance()->pushDialog(toOpen); }
};

} // namespace

TEST_F(WindowProcTest, DialogPushedByAHandlerGetsTheNextMessage) {
    Opener opener;
    RecordingDialog dialog(journal, "dlg");
    opener.toOpen = &dialog;
    app->pushWindow(&opener);
    native->queue.push_back(Event::keyDown(Key{'Q'}));
    native->queue.push_back(Event::typed('q', 1));
    app->runPass();
    journal.clear();
    app->runPass();
    EXPECT_THAT(journal, ElementsAre("dlg.char 113 x1"));
}

TEST_F(WindowProcTest, MessagesWithoutScreensAreHarmless) {
    EXPECT_EQ(app->windowProc(Event::keyDown(Key::Escape)), 0);
    EXPECT_EQ(app->windowProc(Event::close(true)), 0);
    EXPECT_EQ(app->windowProc(Event::resize(SizeKind::Restored)), 0);
    EXPECT_EQ(app->windowProc(Event()), 0);
}

TEST(CursorPosition, ClientCoordinatesEvenOutsideTheWindow) {
    EXPECT_EQ(Application::cursorPosition().x, 0);
    auto fake = std::make_unique<FakeNativeWindow>();
    FakeNativeWindow* native = fake.get();
    Application::create("main", std::move(fake));
    Application::instance()->createWindow("t", 100, 50, 800, 600);
    native->cursor = {90, 700};
    platform::Point p = Application::cursorPosition();
    EXPECT_EQ(p.x, -11); // left of the client: negative
    EXPECT_EQ(p.y, 649); // below it: beyond 599
    Application::destroy();
}

TEST_F(WindowProcTest, EmptyScreenQuitsOnEscapeOnly) {
    openWindow();
    EmptyScreen screen;
    app->pushWindow(&screen);
    native->queue.push_back(Event::keyDown(Key::Return));
    native->queue.push_back(Event::keyDown(Key::Escape));
    native->onSwap = [this] {
        if (native->swaps > 100) {
            native->postQuit(9); // Escape did not end the run
        }
    };
    EXPECT_EQ(app->run(), 0);
    EXPECT_FALSE(native->visible);
}
