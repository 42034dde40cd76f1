#include "app/FrameFixture.h"
#include "ui/Dialog.h"
#include "ui/Widget.h"

using ::testing::ElementsAre;

namespace {

// A control that notes what reaches it and answers "hit" when told to.
class ProbeWidget : public Widget {
public:
    ProbeWidget(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    bool hit = false;
    bool onMouseMove(int x, int y, unsigned) override { return note("move", x, y); }
    bool onLButtonDown(int x, int y, unsigned) override { return note("ldown", x, y); }
    bool onLButtonUp(int x, int y, unsigned) override { return note("lup", x, y); }
    bool onRButtonUp(int x, int y, unsigned) override { return note("rup", x, y); }
    void onKeyDown(int key) override { journal_.push_back(name_ + ".key " + std::to_string(key)); }
    void onChar(unsigned short c, int n) override {
        journal_.push_back(name_ + ".char " + std::to_string(c) + "x" + std::to_string(n));
    }
    void update(float) override { journal_.push_back(name_ + ".update"); }
    void draw() override { journal_.push_back(name_ + ".draw"); }
    void reset() override { journal_.push_back(name_ + ".reset"); }

private:
    bool note(const char* what, int x, int y) {
        journal_.push_back(name_ + "." + what + " " + std::to_string(x) + "," + std::to_string(y));
        return hit;
    }
    Journal& journal_;
    std::string name_;
};

class PlainDialog : public Dialog {
public:
    void onCommand(Widget* w) override { Window::onCommand(w); }
};

} // namespace

class WindowBaseTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        openWindow(100, 50);
        screen.addWidget(&a);
        screen.addWidget(&b);
        app->pushWindow(&screen);
        journal.clear();
    }
    // The desktop cursor, which also drives the dragging.
    void cursorAt(int x, int y) { native->cursor = {x, y}; }

    Window screen;
    ProbeWidget a{journal, "a"};
    ProbeWidget b{journal, "b"};
};

TEST_F(WindowBaseTest, OverlappingControlsBothGetTheEventInOrder) {
    a.hit = true;
    b.hit = true;
    screen.onLButtonDown(10, 10, 1);
    screen.onMouseMove(11, 12, 1);
    screen.onLButtonUp(11, 12, 0);
    screen.onRButtonUp(11, 12, 0);
    screen.onKeyDown('K');
    screen.onChar('k', 2);
    screen.update(16);
    screen.draw();
    EXPECT_THAT(journal, ElementsAre("a.ldown 10,10", "b.ldown 10,10", "a.move 11,12",
                                     "b.move 11,12", "a.lup 11,12", "b.lup 11,12", "a.rup 11,12",
                                     "b.rup 11,12", "a.key 75", "b.key 75", "a.char 107x2",
                                     "b.char 107x2", "a.update", "b.update", "a.draw", "b.draw"));
}

TEST_F(WindowBaseTest, PressOnEmptySpaceDragsTheProgramWindow) {
    screen.setDraggable(true);
    cursorAt(300, 200);
    screen.onLButtonDown(199, 149, 1);
    EXPECT_TRUE(screen.isDragging());
    cursorAt(320, 190);
    screen.onMouseMove(219, 139, 1);
    EXPECT_EQ(native->outerRect().left, 120);
    EXPECT_EQ(native->outerRect().top, 40);
    EXPECT_EQ(native->outerRect().width(), 802); // size kept
    cursorAt(325, 195);
    screen.onMouseMove(204, 154, 1); // relative to the last move, not the press
    EXPECT_EQ(native->outerRect().left, 125);
    EXPECT_EQ(native->outerRect().top, 45);
    screen.onLButtonUp(204, 154, 0);
    EXPECT_FALSE(screen.isDragging());
    cursorAt(400, 300);
    screen.onMouseMove(274, 254, 0);
    EXPECT_EQ(native->outerRect().left, 125);
}

TEST_F(WindowBaseTest, PressOnAControlOrANonDraggableScreenMovesNothing) {
    screen.setDraggable(true);
    b.hit = true;
    cursorAt(300, 200);
    screen.onLButtonDown(199, 149, 1);
    EXPECT_FALSE(screen.isDragging());
    cursorAt(350, 250);
    screen.onMouseMove(249, 199, 1);
    EXPECT_EQ(native->outerRect().left, 100);

    b.hit = false;
    screen.setDraggable(false);
    screen.onLButtonDown(249, 199, 1);
    EXPECT_TRUE(screen.isDragging()); // pressed, but the game screen never moves
    cursorAt(400, 300);
    screen.onMouseMove(299, 249, 1);
    EXPECT_EQ(native->outerRect().left, 100);
}

TEST_F(WindowBaseTest, DragEndsWhenTheCursorLeavesTheWindowOrAButtonIsReleased) {
    screen.setDraggable(true);
    cursorAt(300, 200);
    screen.onLButtonDown(199, 149, 1);
    screen.update(16);
    EXPECT_TRUE(screen.isDragging());
    cursorAt(99, 200); // just left of the outer rectangle
    screen.update(16);
    EXPECT_FALSE(screen.isDragging());

    cursorAt(300, 200);
    screen.onLButtonDown(199, 149, 1);
    screen.onRButtonUp(199, 149, 0);
    EXPECT_FALSE(screen.isDragging());
    screen.onLButtonDown(199, 149, 1);
    screen.onCommand(&a);
    EXPECT_FALSE(screen.isDragging());
}

TEST_F(WindowBaseTest, ActivationEndsDragAndResetsEveryControl) {
    screen.onLButtonDown(1, 1, 1);
    journal.clear();
    screen.activate();
    EXPECT_FALSE(screen.isDragging());
    EXPECT_THAT(journal, ElementsAre("a.reset", "b.reset"));

    // Reactivated when a screen over it closes.
    Window options;
    app->pushWindow(&options);
    journal.clear();
    app->closeTop(true);
    EXPECT_THAT(journal, ElementsAre("a.reset", "b.reset"));
}

TEST_F(WindowBaseTest, LogicalConversionDividesByTheClientRatioAndTruncates) {
    platform::Point p = Window::toLogical(512, 383);
    EXPECT_EQ(p.x, 512);
    EXPECT_EQ(p.y, 383);
    app->createWindow("big", 0, 0, 1024, 768); // the client size the frame knows
    p = Window::toLogical(512, 383);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 299); // 383 / 1.28 = 299.2
    p = Window::toLogical(-5, 0);
    EXPECT_EQ(p.x, -3); // toward zero, not down
}

TEST_F(WindowBaseTest, DialogConvertsToLocalCoordinates) {
    PlainDialog dialog;
    dialog.setPosition(144.7f, 172.2f, 0, 1);
    ProbeWidget c(journal, "c");
    dialog.addWidget(&c);
    dialog.onLButtonDown(200, 200, 1);
    dialog.onMouseMove(144, 172, 1);
    dialog.onLButtonUp(100, 100, 0);
    EXPECT_THAT(journal, ElementsAre("c.ldown 56,28", "c.move 0,0", "c.lup -44,-72"));

    journal.clear();
    app->createWindow("double", 0, 0, 1600, 1200);
    dialog.onLButtonDown(400, 400, 1);
    EXPECT_THAT(journal, ElementsAre("c.ldown 56,28"));
}

TEST_F(WindowBaseTest, DialogDefaultsAndSizes) {
    PlainDialog dialog;
    EXPECT_EQ(dialog.panelWidth(), 100);
    EXPECT_EQ(dialog.panelHeight(), 100);
    EXPECT_EQ(dialog.x(), 0.0f);
    dialog.setShadeSize(800, 600);
    dialog.setPanelSize(512, 256);
    EXPECT_EQ(dialog.shadeWidth(), 800);
    EXPECT_EQ(dialog.panelHeight(), 256);
    EXPECT_EQ(dialog.getResult(), 0);
    EXPECT_FALSE(dialog.isDraggable());
}

TEST_F(WindowBaseTest, EscapeCancelsEnterAcceptsAndTheKeyStillReachesTheControls) {
    RecordingWindow game(journal, "game");
    app->pushWindow(&game);
    PlainDialog dialog;
    ProbeWidget c(journal, "c");
    dialog.addWidget(&c);
    app->pushDialog(&dialog);
    journal.clear();

    app->windowProc(platform::Event::keyDown(platform::Key::Escape));
    EXPECT_EQ(dialog.getResult(), 1);
    EXPECT_EQ(app->topDialog(), &dialog); // the close waits for the next frame
    EXPECT_THAT(journal, ElementsAre("c.key 27"));
    journal.clear();
    app->updateFrame(16);
    EXPECT_TRUE(app->dialogs().empty());
    EXPECT_THAT(journal, ElementsAre("game.dialogClosed 1 ?", "game.update"));

    app->pushDialog(&dialog);
    app->windowProc(platform::Event::keyDown(platform::Key{'A'}));
    app->updateFrame(16);
    EXPECT_EQ(app->topDialog(), &dialog); // other keys close nothing
    app->windowProc(platform::Event::keyDown(platform::Key::Return));
    EXPECT_EQ(dialog.getResult(), 0);
    journal.clear();
    app->updateFrame(16);
    EXPECT_THAT(journal, ElementsAre("game.dialogClosed 0 ?", "game.update"));
}
