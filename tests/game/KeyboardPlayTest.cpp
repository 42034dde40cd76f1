// Keyboard play through the real game screen: a whole move with keys alone
// against the same move made with two clicks, refusals like a click's, the
// mouse taking over again, and the hint page and summary taking the keys.
#include "GameTestSupport.h"

#include "gfx/Sprite.h"
#include "platform/Key.h"
#include "ui/HighScores.h"

using platform::Key;

namespace {

constexpr int colour = 2;

} // namespace

class KeyboardPlay : public GameTest {
protected:
    void key(Game& g, int k, int n = 1) {
        for (int i = 0; i < n; ++i) {
            g.onKeyDown(k);
        }
    }
    // The level in play with one ball on from and nothing else on the board.
    Ball* prepare(Game& g, Cell from) {
        EXPECT_TRUE(waitForPlay(g));
        Field& f = *g.field();
        FieldTestAccess::removeAll(f);
        FieldTestAccess::clearNewCells(f);
        return FieldTestAccess::put(f, from.row, from.col, colour);
    }
    void click(Game& g, Cell at) {
        const Point p = g.field()->centre(at.row, at.col);
        frame.mouse = {int(p.x), int(p.y)};
        g.onLButtonDown(frame.mouse.x, frame.mouse.y, 0);
        g.onLButtonUp(frame.mouse.x, frame.mouse.y, 0);
    }
    bool arrived(Game& g, Cell at) {
        return runUntil(g, [&] {
            const Ball* b = g.field()->ballAt(at.row, at.col);
            return b != nullptr && b->state == Ball::State::Idle;
        });
    }

    HighScores scores{2};
};

TEST_F(KeyboardPlay, AWholeMoveWithKeysAloneSoundsLikeTheTwoClickMove) {
    Game keys(1, &scores);
    ASSERT_FALSE(keys.hasHintPage());
    key(keys, code(Key::Right)); // shows the cursor where it is
    const Cell from = keys.keyboardCursor().cell();
    ASSERT_TRUE(keys.keyboardCursor().isVisible());
    Ball* ball = prepare(keys, from);
    ASSERT_TRUE(keys.field()->isCell(from));

    key(keys, code(Key::Return));
    ASSERT_TRUE(keys.fieldController()->isHolding());
    EXPECT_TRUE(keys.field()->isSelectedAt(from.row, from.col));
    EXPECT_EQ(sounds.size(), 1u);

    key(keys, code(Key::Right), 2);
    key(keys, code(Key::Up));
    const Cell to = keys.keyboardCursor().cell();
    ASSERT_FALSE(to == from);
    // The path runs from the ball to the cursor, and the held ball rides on
    // the cursor's cell, not under the mouse (far off the board).
    const std::vector<Cell>& path = keys.field()->previewedPath();
    ASSERT_GE(path.size(), 2u);
    EXPECT_EQ(path.front(), from);
    EXPECT_EQ(path.back(), to);
    keys.update(16.0f);
    ASSERT_TRUE(keys.fieldController()->isHolding()) << "a frame drops nothing";
    const float* held = keys.fieldController()->held()->position();
    EXPECT_FLOAT_EQ(held[0], keys.field()->centre(to.row, to.col).x);
    EXPECT_FLOAT_EQ(held[1], keys.field()->centre(to.row, to.col).y);

    key(keys, code(Key::Space));
    EXPECT_FALSE(keys.fieldController()->isHolding());
    EXPECT_EQ(ball->state, Ball::State::Moving);
    EXPECT_TRUE(arrived(keys, to));
    const std::vector<int> keySounds = sounds;

    // The same move with two clicks of the mouse.
    sounds.clear();
    Game mouse(1, &scores);
    prepare(mouse, from);
    click(mouse, from);
    ASSERT_TRUE(mouse.fieldController()->isHolding());
    click(mouse, to);
    EXPECT_TRUE(arrived(mouse, to));
    EXPECT_EQ(keySounds, sounds);
    EXPECT_EQ(keySounds.size(), 2u);
}

TEST_F(KeyboardPlay, RefusalsAnswerLikeAClick) {
    Game g(1, &scores);
    key(g, code(Key::Down));
    const Cell at = g.keyboardCursor().cell();
    prepare(g, at);
    g.field()->cellBackAt(at.row, at.col)->fill = CellBack::Fill::Locked;
    EffectLayer& layer = *EffectLayer::instance();
    const std::size_t texts = layer.texts().size();

    key(g, code(Key::Return));
    EXPECT_FALSE(g.fieldController()->isHolding());
    EXPECT_FALSE(g.field()->isSelectedAt(at.row, at.col));
    EXPECT_TRUE(sounds.empty());
    ASSERT_EQ(layer.texts().size(), texts + 1);
    EXPECT_EQ(layer.texts().back().text, "CELL LOCKED");
    // The mouse on the same ball: the same answer.
    click(g, at);
    EXPECT_FALSE(g.fieldController()->isHolding());
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(layer.texts().size(), texts + 2);

    // An empty cell bonks, from the keys as from the mouse.
    key(g, code(Key::Left), 2);
    const Cell empty = g.keyboardCursor().cell();
    ASSERT_FALSE(empty == at);
    key(g, code(Key::Return));
    ASSERT_EQ(sounds.size(), 1u);
    click(g, empty);
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0], sounds[1]);
    EXPECT_FALSE(g.fieldController()->isHolding());
}

TEST_F(KeyboardPlay, TheMouseHidesTheCursorAndTakesTheHeldBallBack) {
    Game g(1, &scores);
    key(g, code(Key::Up));
    const Cell from = g.keyboardCursor().cell();
    prepare(g, from);
    key(g, code(Key::Return));
    ASSERT_TRUE(g.fieldController()->isHolding());
    ASSERT_TRUE(g.fieldController()->aim().has_value());

    // A move message without a move (the window regaining the pointer) is no move.
    g.onMouseMove(frame.mouse.x, frame.mouse.y, 0);
    key(g, code(Key::Left));
    g.onMouseMove(frame.mouse.x, frame.mouse.y, 0);
    EXPECT_TRUE(g.keyboardCursor().isVisible());

    const Cell under{from.row, from.col + 1};
    ASSERT_TRUE(g.field()->isCell(under));
    const Point p = g.field()->centre(under.row, under.col);
    frame.mouse = {int(p.x) + 2, int(p.y) + 3};
    g.onMouseMove(frame.mouse.x, frame.mouse.y, 0);
    EXPECT_FALSE(g.keyboardCursor().isVisible());
    EXPECT_FALSE(g.fieldController()->aim().has_value());
    g.update(16.0f);
    ASSERT_TRUE(g.fieldController()->isHolding());
    EXPECT_FLOAT_EQ(g.fieldController()->held()->position()[0], p.x);
    EXPECT_FLOAT_EQ(g.fieldController()->held()->position()[1], p.y);

    // A press shows and keeps it; a click of the mouse hides it again.
    key(g, code(Key::Return));
    EXPECT_TRUE(g.keyboardCursor().isVisible());
    g.onLButtonDown(frame.mouse.x, frame.mouse.y, 0);
    EXPECT_FALSE(g.keyboardCursor().isVisible());
}

TEST_F(KeyboardPlay, EscapeStillLeavesAndShowsNothing) {
    Game g(1, &scores);
    key(g, code(Key::Escape));
    EXPECT_EQ(frame.closes, 1);
    EXPECT_FALSE(g.keyboardCursor().isVisible());
}

TEST_F(KeyboardPlay, TheHintPageAndTheSummaryTakeTheKeysLikeAClick) {
    Settings* settings = Settings::create();
    settings->hints = true;
    Game g(1, &scores);
    ASSERT_TRUE(g.hasHintPage());
    for (int i = 0; i < 30; ++i) {
        g.update(16.0f);
    }
    key(g, code(Key::Space));
    ASSERT_TRUE(runUntil(
        g, [&] { return !g.hasHintPage(); }, 200));
    ASSERT_TRUE(waitForPlay(g));
    Field* before = g.field();
    fillBacks(*before);
    ASSERT_TRUE(runUntil(
        g, [&] { return before->state() == Field::State::LevelOver; }, 200));
    key(g, code(Key::Return));
    EXPECT_TRUE(before->levelOverClicked());
    ASSERT_TRUE(runUntil(g, [&] { return !g.field()->levelOverClicked(); }));
    EXPECT_EQ(g.level(), 2);
    EXPECT_TRUE(g.field()->isCell(g.keyboardCursor().cell())) << "on the new board";
    Settings::destroy();
}
