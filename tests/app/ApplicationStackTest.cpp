#include "FrameFixture.h"

#include <algorithm>

using ::testing::ElementsAre;

TEST(ApplicationLife, InstanceOnlyBetweenCreateAndDestroy) {
    EXPECT_EQ(Application::instance(), nullptr);
    ASSERT_TRUE(Application::create("main", std::make_unique<FakeNativeWindow>()));
    EXPECT_NE(Application::instance(), nullptr);
    EXPECT_FALSE(Application::create("main", std::make_unique<FakeNativeWindow>()));
    EXPECT_EQ(Application::instance()->className(), "main");
    Application::destroy();
    EXPECT_EQ(Application::instance(), nullptr);
}

TEST(ApplicationLife, DestroyLeavesStackedScreensAlive) {
    Journal journal;
    RecordingWindow menu(journal, "menu");
    RecordingDialog dialog(journal, "dlg");
    ASSERT_TRUE(Application::create("main", std::make_unique<FakeNativeWindow>()));
    Application::instance()->pushWindow(&menu);
    Application::instance()->pushDialog(&dialog);
    Application::destroy();
    // Still usable: the opener deletes them (here, the end of the test).
    menu.setResult(7);
    dialog.setResult(3);
    EXPECT_EQ(menu.getResult() + dialog.getResult(), 10);
}

TEST(ApplicationLife, ColorDepthComesFromTheDesktop) {
    EXPECT_EQ(Application::colorDepth(), 32);
    auto fake = std::make_unique<FakeNativeWindow>();
    fake->mode.bitsPerPixel = 16;
    Application::create("main", std::move(fake));
    EXPECT_EQ(Application::colorDepth(), 16);
    Application::destroy();
}

using StackTest = FrameFixture;

namespace {

// Checks at activation time whether the screen already is the top one.
class TopAtActivation : public Window {
public:
    bool wasTop = true;
    Window* topSeen = nullptr;
    void activate() override {
        topSeen = Application::instance()->topWindow();
        wasTop = topSeen == this;
        Window::activate();
    }
};

} // namespace

TEST_F(StackTest, PushWindowActivatesBeforeInserting) {
    TopAtActivation first;
    TopAtActivation second;
    app->pushWindow(&first);
    app->pushWindow(&second);
    EXPECT_FALSE(second.wasTop);
    EXPECT_EQ(second.topSeen, &first);
    EXPECT_EQ(app->topWindow(), &second);
    EXPECT_EQ(app->windows().size(), 2u);
}

TEST_F(StackTest, PushDialogInsertsThenActivatesDialogThenTopWindow) {
    RecordingWindow menu(journal, "menu");
    RecordingDialog dialog(journal, "dlg");
    app->pushWindow(&menu);
    journal.clear();
    app->pushDialog(&dialog);
    EXPECT_THAT(journal, ElementsAre("dlg.activate", "menu.activate"));
    EXPECT_EQ(app->topDialog(), &dialog);
    EXPECT_EQ(app->receiver(), &dialog);
}

TEST_F(StackTest, ImmediateCloseOfDialogIsReportedAtNextUpdateBeforeTheUpdate) {
    openWindow();
    RecordingWindow game(journal, "game");
    RecordingDialog dialog(journal, "dlg");
    app->pushWindow(&game);
    app->pushDialog(&dialog);
    dialog.setResult(5);
    journal.clear();
    app->closeTop(true);
    EXPECT_TRUE(app->dialogs().empty());
    EXPECT_TRUE(journal.empty()); // nobody told yet
    app->updateFrame(16);
    EXPECT_THAT(journal, ElementsAre("game.dialogClosed 5 dlg", "game.update"));
    journal.clear();
    app->updateFrame(16);
    EXPECT_THAT(journal, ElementsAre("game.update")); // reported once only
}

TEST_F(StackTest, ImmediateCloseOfWindowTellsNewTopThenActivatesIt) {
    RecordingWindow menu(journal, "menu");
    RecordingWindow options(journal, "options");
    app->pushWindow(&menu);
    app->pushWindow(&options);
    journal.clear();
    app->closeTop(true);
    EXPECT_THAT(journal, ElementsAre("menu.windowClosed options", "menu.activate"));
    EXPECT_EQ(app->topWindow(), &menu);
}

TEST_F(StackTest, LastWindowCannotBeClosed) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    app->pushWindow(&menu);
    journal.clear();
    app->closeTop(true);
    app->closeTop(false);
    app->updateFrame(10);
    EXPECT_EQ(app->topWindow(), &menu);
    EXPECT_THAT(journal, ElementsAre("menu.update"));
}

TEST_F(StackTest, DeferredCloseHappensAtStartOfNextUpdateAndTwoRequestsCloseOne) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    RecordingWindow help(journal, "help");
    RecordingWindow page(journal, "page");
    app->pushWindow(&menu);
    app->pushWindow(&help);
    app->pushWindow(&page);
    journal.clear();
    app->closeTop(false);
    app->closeTop(false);
    EXPECT_EQ(app->topWindow(), &page); // nothing yet
    app->updateFrame(10);
    EXPECT_THAT(journal, ElementsAre("help.windowClosed page", "help.activate", "help.update"));
    EXPECT_EQ(app->windows().size(), 2u);
}

TEST_F(StackTest, TwoDialogsTheLastPushedGetsUpdateInputAndClose) {
    openWindow();
    RecordingWindow game(journal, "game");
    RecordingDialog first(journal, "first");
    RecordingDialog second(journal, "second");
    app->pushWindow(&game);
    app->pushDialog(&first);
    app->pushDialog(&second);
    journal.clear();
    app->windowProc(platform::Event::keyDown(platform::Key{'A'}));
    app->updateFrame(10);
    app->drawFrame();
    EXPECT_THAT(journal, ElementsAre("second.key 65", "second.update", "game.draw", "first.draw",
                                     "second.draw"));
    second.setResult(1);
    app->closeTop(false);
    journal.clear();
    app->updateFrame(10);
    EXPECT_THAT(journal, ElementsAre("first.dialogClosed 1 second", "first.update"));
}

TEST_F(StackTest, DialogOverGameFreezesTheGameButDrawsIt) {
    openWindow();
    RecordingWindow game(journal, "game");
    RecordingDialog dialog(journal, "dlg");
    app->pushWindow(&game);
    app->pushDialog(&dialog);
    for (int i = 0; i < 3; ++i) {
        app->updateFrame(16);
        app->drawFrame();
    }
    EXPECT_TRUE(game.updates.empty());
    EXPECT_EQ(dialog.updates.size(), 3u);
    EXPECT_EQ(game.draws, 3);
    EXPECT_EQ(dialog.draws, 3);
}

// A dialog closed at once and its window closed by a deferred request in the
// same pause between frames: the pending dialog report goes to the window
// that is on top after the deferred close, and the closed window itself is
// not announced.
TEST_F(StackTest, DeferredWindowCloseWithDialogReportPending) {
    openWindow();
    RecordingWindow menu(journal, "menu");
    RecordingWindow game(journal, "game");
    RecordingDialog dialog(journal, "dlg");
    app->pushWindow(&menu);
    app->pushWindow(&game);
    app->pushDialog(&dialog);
    app->closeTop(true);
    app->closeTop(false);
    journal.clear();
    app->updateFrame(10);
    EXPECT_THAT(journal, ElementsAre("menu.activate", "menu.dialogClosed 0 dlg", "menu.update"));
}

TEST_F(StackTest, RemoveWindowTakesItFromAnywhereSilently) {
    RecordingWindow intro(journal, "intro");
    RecordingWindow menu(journal, "menu");
    app->pushWindow(&intro);
    app->closeTop(true); // the only window stays
    app->pushWindow(&menu);
    journal.clear();
    app->removeWindow(&intro);
    EXPECT_THAT(app->windows(), ElementsAre(&menu));
    EXPECT_TRUE(journal.empty());
}
