#include "board/HexGeometry.h"
#include "board/LevelFile.h"

#include <climits>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

TEST(HexGeometry, NineByNineRowWidths) {
    HexGeometry g(9, 9);
    int expected[] = {5, 6, 7, 8, 9, 8, 7, 6, 5};
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(g.width(r), expected[r]) << "row " << r;
    }
    EXPECT_EQ(g.width(-1), 0);
    EXPECT_EQ(g.width(9), 0);
    EXPECT_FALSE(g.contains(0, 5));
    EXPECT_TRUE(g.contains(0, 4));
    EXPECT_FALSE(g.contains(-1, 0));
    EXPECT_FALSE(g.contains(4, -1));
}

TEST(HexGeometry, Centres) {
    HexGeometry g(9, 9);
    EXPECT_FLOAT_EQ(g.centre(0, 0).x, 120.0f);
    EXPECT_NEAR(g.centre(0, 0).y, 157.035934f, 1e-4);
    EXPECT_FLOAT_EQ(g.centre(4, 0).x, 40.0f);
    EXPECT_FLOAT_EQ(g.centre(4, 0).y, 300.0f);
    EXPECT_FLOAT_EQ(g.centre(8, 4).x, 120.0f + 4 * 40.0f);
    EXPECT_NEAR(g.centre(8, 4).y, 300.0f + 4 * 35.741016f, 1e-3);
}

TEST(HexGeometry, RowAndColumnUnderPointCutTowardZero) {
    HexGeometry g(9, 9);
    // Every centre maps back to its own position.
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < g.width(r); ++c) {
            Point p = g.centre(r, c);
            int x = static_cast<int>(p.x);
            int y = static_cast<int>(p.y);
            EXPECT_EQ(g.rowAt(y), r);
            EXPECT_EQ(g.columnAt(x, y), c);
        }
    }
    // Top edge of row 0 is at 300 - 4.5 * 35.741016 = 139.17: up to one row
    // height above it still answers row 0 because the division cuts toward zero.
    EXPECT_EQ(g.rowAt(140), 0);
    EXPECT_EQ(g.rowAt(139), 0);
    EXPECT_EQ(g.rowAt(104), 0); // -35 / 35.74 cuts to 0
    EXPECT_EQ(g.rowAt(103), -1);
    // Left edge of (0, 0) is x 100; up to a cell width left of it answers 0.
    EXPECT_EQ(g.columnAt(100, 157), 0);
    EXPECT_EQ(g.columnAt(99, 157), 0);
    EXPECT_EQ(g.columnAt(61, 157), 0);
    EXPECT_EQ(g.columnAt(60, 157), -1);
    EXPECT_EQ(g.columnAt(20, 157), -2);
    EXPECT_EQ(g.columnAt(140, 157), 1);
    EXPECT_EQ(g.columnAt(139, 157), 0);
}

TEST(HexGeometry, NeighboursAreSymmetricAndTouch) {
    HexGeometry g(9, 9);
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < g.width(r); ++c) {
            int inside = 0;
            for (Cell n : g.neighbours({r, c})) {
                if (!g.contains(n)) {
                    continue;
                }
                ++inside;
                // Neighbouring centres are one cell apart.
                Point d = g.centre(n) - g.centre(r, c);
                EXPECT_NEAR(d.length(), 40.0f, 1.2f) << r << "," << c;
                auto back = g.neighbours(n);
                EXPECT_NE(std::find(back.begin(), back.end(), Cell{r, c}), back.end());
            }
            if (r > 0 && r < 8 && c > 0 && c < g.width(r) - 1) {
                EXPECT_EQ(inside, 6);
            }
        }
    }
    // The order the path search relies on: up, down, left, right, diagonals.
    auto n = g.neighbours({2, 1});
    EXPECT_EQ(n[0], (Cell{1, 1}));
    EXPECT_EQ(n[1], (Cell{3, 1}));
    EXPECT_EQ(n[2], (Cell{2, 0}));
    EXPECT_EQ(n[3], (Cell{2, 2}));
    EXPECT_EQ(n[4], (Cell{1, 0}));
    EXPECT_EQ(n[5], (Cell{3, 2}));
    auto m = g.neighbours({4, 3});
    EXPECT_EQ(m[4], (Cell{3, 2}));
    EXPECT_EQ(m[5], (Cell{5, 2}));
    auto l = g.neighbours({6, 3});
    EXPECT_EQ(l[4], (Cell{5, 4}));
    EXPECT_EQ(l[5], (Cell{7, 2}));
}

TEST(HexGeometry, AxisStepsAreStraightLines) {
    HexGeometry g(9, 9);
    for (int axis = 0; axis < HexGeometry::axisCount; ++axis) {
        auto a = static_cast<HexGeometry::Axis>(axis);
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < g.width(r); ++c) {
                Cell f = g.step({r, c}, a, true);
                Cell b = g.step({r, c}, a, false);
                if (g.contains(f)) {
                    EXPECT_EQ(g.step(f, a, false), (Cell{r, c}));
                }
                if (g.contains(f) && g.contains(b)) {
                    // The three centres lie on one line, equally spaced.
                    Point d1 = g.centre(r, c) - g.centre(f);
                    Point d2 = g.centre(b) - g.centre(r, c);
                    EXPECT_NEAR(d1.x, d2.x, 1e-3);
                    EXPECT_NEAR(d1.y, d2.y, 1e-3);
                }
            }
        }
    }
    EXPECT_EQ(g.step({4, 4}, HexGeometry::Axis::Falling, true), (Cell{3, 3}));
    EXPECT_EQ(g.step({4, 4}, HexGeometry::Axis::Falling, false), (Cell{5, 4}));
    EXPECT_EQ(g.step({4, 4}, HexGeometry::Axis::Rising, true), (Cell{5, 3}));
    EXPECT_EQ(g.step({4, 4}, HexGeometry::Axis::Rising, false), (Cell{3, 4}));
}

TEST(HexGeometry, EvenRowCountsFindTheCellUnderEveryPointOfIt) {
    // With an even number of rows the middle row is rows / 2; the rows must
    // still split half way between neighbouring centres, as with odd counts.
    for (int rows : {2, 4, 8, 10, 14, 9, 15}) {
        HexGeometry g(rows, 12);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < g.width(r); ++c) {
                Point p = g.centre(r, c);
                int x = static_cast<int>(p.x);
                int y = static_cast<int>(p.y);
                EXPECT_EQ(g.rowAt(y), r) << rows << " rows, " << r << "," << c;
                EXPECT_EQ(g.columnAt(x, y), c) << rows << " rows, " << r << "," << c;
                EXPECT_EQ(g.cellAt(p), (Cell{r, c}));
                // A third of a row height above and below the centre.
                EXPECT_EQ(g.rowAt(static_cast<int>(std::floor(p.y - 12.0f))), r);
                EXPECT_EQ(g.rowAt(static_cast<int>(std::floor(p.y + 12.0f))), r);
            }
        }
    }
}

namespace {

// Every point that the lookups place on a position, scanned pixel by pixel
// (every step-th pixel on large boards), counts as near the board, and the
// band just outside the scanned area does not.
void expectNearWhereverAPositionIsFound(int rows, int columns, int step) {
    SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
    HexGeometry g(rows, columns);
    const Point first = g.centre(0, 0);
    const Point last = g.centre(rows - 1, 0);
    const int x0 = static_cast<int>(HexGeometry::originX) - 200;
    const int x1 = static_cast<int>(HexGeometry::originX + (columns + 4) * HexGeometry::cellWidth);
    const int y0 = static_cast<int>(first.y - 4 * HexGeometry::rowHeight);
    const int y1 = static_cast<int>(last.y + 4 * HexGeometry::rowHeight);
    int found = 0;
    for (int y = y0; y <= y1; y += step) {
        for (int x = x0; x <= x1; x += step) {
            if (g.contains(g.rowAt(y), g.columnAt(x, y))) {
                ++found;
                ASSERT_TRUE(g.isNearBoard(x, y)) << x << "," << y;
            }
        }
        EXPECT_FALSE(g.isNearBoard(x0, y));
        EXPECT_FALSE(g.isNearBoard(x1, y));
    }
    EXPECT_GT(found, 0);
    for (int x = x0; x <= x1; x += step) {
        EXPECT_FALSE(g.isNearBoard(x, y0));
        EXPECT_FALSE(g.isNearBoard(x, y1));
    }
}

} // namespace

TEST(HexGeometry, NearBoardCoversEveryPointOnAPositionAndNothingFarOff) {
    expectNearWhereverAPositionIsFound(9, 9, 1);
    expectNearWhereverAPositionIsFound(8, 8, 1);
    expectNearWhereverAPositionIsFound(1, 1, 1);
    expectNearWhereverAPositionIsFound(LevelFile::maxSide, LevelFile::maxSide, 7);
    HexGeometry g(9, 9);
    for (int v : {INT_MIN, -100000, 100000, INT_MAX}) {
        EXPECT_FALSE(g.isNearBoard(v, 300)) << v;
        EXPECT_FALSE(g.isNearBoard(120, v)) << v;
    }
}
