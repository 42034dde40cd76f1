// The keyboard cursor's moves over a bare 9 by 9 board (rows of 5, 6, 7, 8,
// 9, 8, 7, 6, 5 positions) and over boards with holes.
#include "game/KeyboardCursor.h"
#include "board/BoardTestSupport.h"
#include "board/Field.h"
#include "platform/Key.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using platform::Key;

using namespace boardtest;
using Action = KeyboardCursor::Action;

namespace {

constexpr int left = code(Key::Left);
constexpr int right = code(Key::Right);
constexpr int up = code(Key::Up);
constexpr int down = code(Key::Down);

} // namespace

class KeyboardCursorMoves : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        field = bareField(emptyLevel());
        cursor = std::make_unique<KeyboardCursor>(field.get());
        ASSERT_EQ(cursor->onKeyDown(left), Action::Shown);
    }

    // n presses of one key; answers the action of the last one.
    Action press(int key, int n = 1) {
        Action last = Action::None;
        for (int i = 0; i < n; ++i) {
            last = cursor->onKeyDown(key);
        }
        return last;
    }
    // Walks to (r, c) with the keys: to the top row, down r rows, to the
    // left end, then right.
    void walkTo(int r, int c) {
        press(up, field->rows());
        press(down, r);
        press(left, field->columns());
        press(right, c);
        ASSERT_EQ(cursor->cell(), (Cell{r, c}));
    }
    float x() const { return field->centre(cursor->cell().row, cursor->cell().col).x; }

    std::unique_ptr<Field> field;
    std::unique_ptr<KeyboardCursor> cursor;
};

TEST(KeyboardCursor, HiddenUntilAKeyAndTheFirstArrowOnlyShowsIt) {
    EffectLayer::create();
    auto field = bareField(emptyLevel());
    KeyboardCursor cursor(field.get());
    EXPECT_FALSE(cursor.isVisible());
    EXPECT_EQ(cursor.cell(), (Cell{4, 4})) << "the middle of the board";
    EXPECT_EQ(cursor.onKeyDown('A'), Action::None);
    EXPECT_EQ(cursor.onKeyDown(code(Key::Escape)), Action::None);
    EXPECT_FALSE(cursor.isVisible()) << "other keys are not the cursor's";
    EXPECT_EQ(cursor.onKeyDown(up), Action::Shown);
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_EQ(cursor.cell(), (Cell{4, 4})) << "not moved unseen";
    EXPECT_EQ(cursor.onKeyDown(up), Action::Moved);
    cursor.hide();
    EXPECT_FALSE(cursor.isVisible());
    // Space and Enter click even on a hidden cursor, and show it.
    EXPECT_EQ(cursor.onKeyDown(code(Key::Space)), Action::Click);
    EXPECT_TRUE(cursor.isVisible());
    EXPECT_EQ(cursor.onKeyDown(code(Key::Return)), Action::Click);
    EffectLayer::destroy();
}

TEST_F(KeyboardCursorMoves, LeftAndRightStopAtBothEndsOfEveryRow) {
    for (int r = 0; r < field->rows(); ++r) {
        SCOPED_TRACE(r);
        press(up, field->rows());
        press(down, r);
        press(left, field->columns());
        EXPECT_EQ(cursor->cell(), (Cell{r, 0}));
        EXPECT_EQ(press(left), Action::None);
        EXPECT_EQ(cursor->cell(), (Cell{r, 0}));
        for (int c = 1; c < field->width(r); ++c) {
            EXPECT_EQ(press(right), Action::Moved);
            EXPECT_EQ(cursor->cell(), (Cell{r, c}));
        }
        EXPECT_EQ(press(right), Action::None);
        EXPECT_EQ(cursor->cell(), (Cell{r, field->width(r) - 1}));
    }
}

TEST_F(KeyboardCursorMoves, UpAndDownStopAtTheTopAndBottomRows) {
    for (int c = 0; c < field->width(0); ++c) {
        walkTo(0, c);
        EXPECT_EQ(press(up), Action::None);
        EXPECT_EQ(cursor->cell(), (Cell{0, c}));
    }
    for (int c = 0; c < field->width(8); ++c) {
        walkTo(8, c);
        EXPECT_EQ(press(down), Action::None);
        EXPECT_EQ(cursor->cell(), (Cell{8, c}));
    }
}

TEST_F(KeyboardCursorMoves, UpAndDownGoToTheNearestCellOfTheNextRow) {
    // Every cell of every row, in both kinds of row (shorter above the
    // middle, shorter below it) and across the middle: the cell reached lies
    // half a cell to one side, and the way back returns to the start.
    for (int r = 0; r < field->rows(); ++r) {
        for (int c = 0; c < field->width(r); ++c) {
            SCOPED_TRACE(::testing::Message() << r << "," << c);
            for (int key : {up, down}) {
                const int next = key == up ? r - 1 : r + 1;
                if (next < 0 || next >= field->rows()) {
                    continue;
                }
                walkTo(r, c);
                const float before = x();
                ASSERT_EQ(press(key), Action::Moved);
                EXPECT_EQ(cursor->cell().row, next);
                EXPECT_FLOAT_EQ(std::fabs(x() - before), HexGeometry::halfWidth);
                // Nothing in that row lies nearer.
                for (int k = 0; k < field->width(next); ++k) {
                    EXPECT_GE(std::fabs(field->centre(next, k).x - before) + 0.01f,
                              std::fabs(x() - before));
                }
                press(key == up ? down : up);
                EXPECT_EQ(cursor->cell(), (Cell{r, c}));
            }
        }
    }
}

TEST_F(KeyboardCursorMoves, TiesGoLeftAndAColumnIsKeptFromTopToBottom) {
    walkTo(4, 4);
    const float column = x();
    ASSERT_EQ(press(up), Action::Moved);
    EXPECT_EQ(cursor->cell(), (Cell{3, 3})) << "of the two nearest, the left one";
    press(up, 8);
    EXPECT_EQ(cursor->cell(), (Cell{0, 2}));
    // All the way down: never more than half a cell off the column, where
    // nearest-to-the-current-cell alone would drift along a diagonal.
    for (int r = 1; r < field->rows(); ++r) {
        ASSERT_EQ(press(down), Action::Moved);
        EXPECT_EQ(cursor->cell().row, r);
        EXPECT_LE(std::fabs(x() - column), HexGeometry::halfWidth);
    }
    EXPECT_EQ(cursor->cell(), (Cell{8, 2}));
    EXPECT_EQ(x(), column);
}

TEST(KeyboardCursor, HolesAndEmptyRowsAreSteppedOver) {
    EffectLayer::create();
    // Row 4 without its positions 3 to 5, row 3 without any cell.
    HexGeometry g(9, 9);
    std::string map = uniformMap(9, 9, '0');
    auto at = [&](int r, int c) {
        int i = 0;
        for (int k = 0; k < r; ++k) {
            i += g.width(k);
        }
        return static_cast<std::size_t>(i + c);
    };
    for (int c = 3; c <= 5; ++c) {
        map[at(4, c)] = '.';
    }
    for (int c = 0; c < g.width(3); ++c) {
        map[at(3, c)] = '.';
    }
    auto field = bareField(level(5, 0, 0, 9, 9, map));
    KeyboardCursor cursor(field.get());
    EXPECT_TRUE(field->isCell(cursor.cell())) << "the middle is a hole: the nearest cell";
    EXPECT_EQ(cursor.cell().row, 4);
    cursor.onKeyDown(left);
    for (int i = 0; i < 9; ++i) {
        cursor.onKeyDown(left);
    }
    ASSERT_EQ(cursor.cell(), (Cell{4, 0}));
    cursor.onKeyDown(right);
    cursor.onKeyDown(right);
    EXPECT_EQ(cursor.onKeyDown(right), Action::Moved);
    EXPECT_EQ(cursor.cell(), (Cell{4, 6})) << "over the hole";
    EXPECT_EQ(cursor.onKeyDown(up), Action::Moved);
    EXPECT_EQ(cursor.cell().row, 2) << "over the empty row";
    EXPECT_TRUE(field->isCell(cursor.cell()));
    EffectLayer::destroy();
}

TEST(KeyboardCursor, ANewBoardKeepsTheCellItHas) {
    EffectLayer::create();
    auto first = bareField(emptyLevel());
    KeyboardCursor cursor(first.get());
    cursor.onKeyDown(down);
    cursor.onKeyDown(down);
    cursor.onKeyDown(down);
    const Cell kept = cursor.cell();
    auto second = bareField(emptyLevel());
    cursor.setField(second.get());
    EXPECT_EQ(cursor.cell(), kept);
    EXPECT_TRUE(cursor.isVisible());
    // A smaller board without that cell: back to its middle.
    auto small = bareField(emptyLevel(5, 5));
    cursor.setField(small.get());
    EXPECT_TRUE(small->isCell(cursor.cell()));
    EXPECT_EQ(cursor.cell(), (Cell{2, 2}));
    cursor.setField(nullptr);
    EXPECT_EQ(cursor.onKeyDown(up), Action::None);
    EffectLayer::destroy();
}

TEST(KeyboardCursor, StartsInTheMiddleOfTheCellsNotOfTheTable) {
    EffectLayer::create();
    // Cells only in the four bottom rows: their middle is row 6, whose
    // centre lies under the board's.
    HexGeometry g(9, 9);
    std::string map;
    for (int r = 0; r < 9; ++r) {
        map.append(static_cast<std::size_t>(g.width(r)), r >= 5 ? '0' : '.');
    }
    auto field = bareField(level(5, 0, 0, 9, 9, map));
    KeyboardCursor cursor(field.get());
    EXPECT_EQ(cursor.cell(), (Cell{6, 3}));
    EXPECT_FLOAT_EQ(field->centre(6, 3).x, field->centre(4, 4).x);
    EffectLayer::destroy();
}
