// The soak's checks of a field: silent on the boards the rules make, and
// each broken rule reported.
#include "FieldChecks.h"

#include "board/Field.h"
#include "board/FieldTestAccess.h"
#include "board/LevelFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SoakFieldChecksTest : public ::testing::Test {
protected:
    std::vector<std::string> check() {
        std::vector<std::string> failures;
        soak::checkField(field, failures);
        return failures;
    }
    // A cell that holds a resting ball, after the opening has settled.
    Cell ballCell() {
        for (int r = 0; r < field.rows(); ++r) {
            for (int c = 0; c < field.width(r); ++c) {
                if (field.ballAt(r, c) && field.ballAt(r, c)->isIdle())
                    return {r, c};
            }
        }
        return {-1, -1};
    }
    Cell freeCell() {
        for (int r = 0; r < field.rows(); ++r) {
            for (int c = 0; c < field.width(r); ++c) {
                if (field.isCell(r, c) && !field.ballAt(r, c))
                    return {r, c};
            }
        }
        return {-1, -1};
    }
    static bool mentions(const std::vector<std::string>& failures, const std::string& text) {
        for (const std::string& f : failures) {
            if (f.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    Field field{1, LevelFile::fallback(), 5};
};

TEST_F(SoakFieldChecksTest, TheRulesOwnBoardsPassFromTheOpeningOn) {
    for (int i = 0; i < 400; ++i) {
        ASSERT_EQ(check(), std::vector<std::string>{}) << "after update " << i;
        field.update(25.0f);
    }
    EXPECT_EQ(field.state(), Field::State::Play);
    EXPECT_NE(ballCell().row, -1);
}

TEST_F(SoakFieldChecksTest, AnUnknownFillIsReported) {
    const Cell p = freeCell();
    field.cellBackAt(p)->fill = static_cast<CellBack::Fill>(2);
    const auto failures = check();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(mentions(failures, "fill 2"));
}

TEST_F(SoakFieldChecksTest, ABallOffTheBoardOrAwayFromItsCellIsReported) {
    for (int i = 0; i < 400; ++i)
        field.update(25.0f);
    const Cell p = ballCell();
    ASSERT_NE(p.row, -1);
    field.ballAt(p)->point.x += 3.0f;
    EXPECT_TRUE(mentions(check(), "away from its cell"));
    field.ballAt(p)->point.x -= 3.0f;
    EXPECT_TRUE(check().empty());

    // A position of the table that the geometry leaves out.
    int row = 0;
    while (row < field.rows() && field.width(row) == field.columns())
        ++row;
    ASSERT_LT(row, field.rows()) << "every row of the board is full width";
    FieldTestAccess::put(field, row, field.columns() - 1, 0);
    EXPECT_TRUE(mentions(check(), "off the board"));
}

TEST_F(SoakFieldChecksTest, NextBallsMustWaitOverCellsOfTheirOwn) {
    FieldTestAccess::clearNewCells(field);
    const Cell p = freeCell();
    FieldTestAccess::addNewCell(field, p.row, p.col, 1);
    EXPECT_TRUE(check().empty());
    FieldTestAccess::addNewCell(field, p.row, p.col, 2);
    EXPECT_TRUE(mentions(check(), "two next balls"));

    FieldTestAccess::clearNewCells(field);
    FieldTestAccess::addNewCell(field, p.row, p.col, 1)->point = {-500.0f, -500.0f};
    EXPECT_TRUE(mentions(check(), "off every cell"));
}

TEST_F(SoakFieldChecksTest, ABallOfAColourTheLevelCannotHaveIsReported) {
    const Cell p = freeCell();
    FieldTestAccess::put(field, p.row, p.col, field.colours());
    EXPECT_TRUE(mentions(check(), "colour"));
    FieldTestAccess::put(field, p.row, p.col, Ball::Joker);
    EXPECT_TRUE(check().empty());
}

} // namespace
