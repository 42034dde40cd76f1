#include "BoardTestSupport.h"
#include "FieldTestAccess.h"

#include "board/Field.h"
#include "board/LevelFile.h"

#include <gtest/gtest.h>

using namespace boardtest;

TEST(LevelFile, SixNumbersWithCrLf) {
    auto level = LevelFile::parse(std::string("6\r\n35\r\n7\r\n12\r\n11\r\n10\r\nXY0"));
    ASSERT_TRUE(level);
    EXPECT_EQ(level->colours, 6);
    EXPECT_EQ(level->fillPercent, 35);
    EXPECT_EQ(level->unused, 7);
    EXPECT_EQ(level->jokerPercent, 12);
    EXPECT_EQ(level->rows, 11);
    EXPECT_EQ(level->columns, 10);
    EXPECT_EQ(level->map, "XY0");
}

TEST(LevelFile, NumberTextEndsBelowDigitZero) {
    // Letters are above '0' and belong to the number's text; "%d" stops at them.
    auto level = LevelFile::parse(std::string("5ab\r\n20\r\n0\r\n0\r\n3\r\n3\r\n0000000"));
    ASSERT_TRUE(level);
    EXPECT_EQ(level->colours, 5);
    EXPECT_EQ(level->fillPercent, 20);
    EXPECT_EQ(level->map, "0000000");
}

TEST(LevelFile, LoneLineFeedSwallowsTheNextDigit) {
    auto level = LevelFile::parse(std::string("5\n20\r\n0\r\n0\r\n9\r\n9\r\n"));
    ASSERT_TRUE(level);
    EXPECT_EQ(level->fillPercent, 0); // "20" lost its "2"
}

TEST(LevelFile, RefusedFiles) {
    EXPECT_FALSE(LevelFile::parse(std::string()));
    EXPECT_FALSE(LevelFile::parse(nullptr, 0));
    EXPECT_FALSE(LevelFile::parse(std::string("5\r\n20\r\n0\r\n0\r\n9\r\n"))); // five numbers
    EXPECT_FALSE(LevelFile::parse(std::string("5\r\n20\r\n0\r\n0\r\n9\r\n"
                                              "\r\n0000"))); // sixth missing
    EXPECT_FALSE(LevelFile::parse(std::string(" 5\r\n20\r\n0\r\n0\r\n9\r\n9\r\n"))); // no digit
    EXPECT_FALSE(LevelFile::parse(levelText(5, 20, 0, 121, 9, "0"))); // too many rows
    EXPECT_FALSE(LevelFile::parse(levelText(5, 20, 0, 9, 121, "0"))); // too many columns
    EXPECT_FALSE(LevelFile::parse(levelText(0, 20, 0, 9, 9, "0")));   // no colour at all
    EXPECT_FALSE(LevelFile::parse(levelText(14, 20, 0, 9, 9, "0")));  // into the specials
    EXPECT_FALSE(LevelFile::parse(std::string("5\r\n20\r\n0\r\n0\r\n99999999999\r\n9\r\n0")));
    std::string hugeMap(LevelFile::maxMapBytes + 1, '0');
    EXPECT_FALSE(LevelFile::parse(levelText(5, 20, 0, 9, 9, hugeMap)));
    std::string fullMap(LevelFile::maxMapBytes, '0');
    EXPECT_TRUE(LevelFile::parse(levelText(5, 20, 0, 9, 9, fullMap)));
    EXPECT_TRUE(LevelFile::parse(levelText(13, 20, 0, 120, 120, "")));
}

TEST(LevelFile, NumbersRunningOffTheEndAreSafe) {
    // A number at the very end of the file, no line end after the sixth.
    auto level = LevelFile::parse(std::string("5\r\n20\r\n0\r\n0\r\n9\r\n9"));
    ASSERT_TRUE(level);
    EXPECT_TRUE(level->map.empty());
    // A number of more than 31 digits is cut to 31 and saturates.
    auto big = LevelFile::parse("5\r\n" + std::string(40, '9') + "\r\n0\r\n0\r\n9\r\n9\r\n");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->fillPercent, INT_MAX);
}

TEST(LevelFile, FallbackIsAnEmptyNineByNine) {
    LevelFile f = LevelFile::fallback();
    EXPECT_EQ(f.rows, 9);
    EXPECT_EQ(f.columns, 9);
    EXPECT_EQ(f.colours, 5);
    EXPECT_EQ(f.fillPercent, 20);
    EXPECT_EQ(f.jokerPercent, 0);
    Field field(1, f, 3);
    EXPECT_EQ(field.cellCount(), 61);
    int balls = 0;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            EXPECT_EQ(field.cellBackAt(r, c)->fill, CellBack::Fill::Empty);
            balls += field.ballAt(r, c) ? 1 : 0;
        }
    }
    EXPECT_EQ(balls, 12); // trunc(61 / 100.0 * 20)
    EXPECT_EQ(LevelFile::fileName(7), "levels/level007.txt");
    EXPECT_EQ(LevelFile::fileName(100), "levels/level100.txt");
}

class FieldConstruction : public BoardTest {};

TEST_F(FieldConstruction, ContentsThatNoFileCouldGiveAreReplacedByTheFallback) {
    LevelFile bad = LevelFile::fallback();
    bad.colours = 0;
    LevelFile negative = LevelFile::fallback();
    negative.rows = -3;
    LevelFile huge = LevelFile::fallback();
    huge.columns = 500;
    for (const LevelFile& file : {bad, negative, huge}) {
        EXPECT_FALSE(file.isValid());
        Field f(1, file, 1);
        EXPECT_EQ(f.rows(), 9);
        EXPECT_EQ(f.cellCount(), 61);
        EXPECT_EQ(f.colours(), 5);
    }
}

TEST_F(FieldConstruction, MapCharactersAndLineBreaksInsideTheMap) {
    // 3 rows, 3 columns: rows of 2, 3, 2 positions. A CR LF after row 0
    // takes two positions (the first two of row 1) and shifts the rest.
    std::string map = "01\r\n24x0";
    Field f(1, level(5, 0, 0, 3, 3, map), 1);
    EXPECT_EQ(f.cellCount(), 4);
    EXPECT_EQ(f.cellBackAt(0, 0)->fill, CellBack::Fill::Empty);
    EXPECT_EQ(f.cellBackAt(0, 1)->fill, CellBack::Fill::Half);
    EXPECT_FALSE(f.isCell(1, 0));                                // CR
    EXPECT_FALSE(f.isCell(1, 1));                                // LF
    EXPECT_EQ(f.cellBackAt(1, 2)->fill, CellBack::Fill::Filled); // '2'
    EXPECT_EQ(f.cellBackAt(2, 0)->fill, CellBack::Fill::Locked); // '4'
    EXPECT_FALSE(f.isCell(2, 1));                                // 'x'
    EXPECT_EQ(f.cellBackAt(1, 0), nullptr);
    EXPECT_EQ(f.ballColourAt(1, 0), -1);
    EXPECT_EQ(f.ballAt(-1, 0), nullptr);
    EXPECT_EQ(f.ballAt(0, 2), nullptr);
    // The locked cell starts with a ball even with a fill of 0.
    EXPECT_NE(f.ballAt(2, 0), nullptr);
}

TEST_F(FieldConstruction, FillZeroWithTwoLockedCells) {
    std::string map = uniformMap(9, 9, '0');
    map[3] = '4';
    map[40] = '4';
    for (unsigned seed : {1u, 2u, 3u, 99u}) {
        Field f(1, level(5, 0, 0, 9, 9, map), seed);
        int balls = 0;
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < f.width(r); ++c) {
                if (f.ballAt(r, c)) {
                    ++balls;
                    EXPECT_EQ(f.cellBackAt(r, c)->fill, CellBack::Fill::Locked);
                }
            }
        }
        EXPECT_EQ(balls, 2);
        EXPECT_EQ(f.minBalls(), 2);
    }
}

TEST_F(FieldConstruction, OverfullFillFillsEveryCellAndStops) {
    Field f(1, level(5, 250, 0, 9, 9, uniformMap(9, 9, '0')), 5);
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            EXPECT_NE(f.ballAt(r, c), nullptr);
        }
    }
    EXPECT_EQ(f.minBalls(), 61);
    EXPECT_TRUE(f.newCells().empty()); // no free cell left for the next balls
}

TEST_F(FieldConstruction, StartingBallsMakeNoLineAndPopInASweep) {
    Field f(4, level(5, 60, 0, 9, 9, uniformMap(9, 9, '0')), 11);
    EXPECT_EQ(f.state(), Field::State::Intro);
    EXPECT_EQ(f.level(), 4);
    int balls = 0;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            CellBack* back = f.cellBackAt(r, c);
            // (x - smallest x + 1) * 4 ms; the smallest centre x is 40.
            EXPECT_FLOAT_EQ(back->delay, (f.centre(r, c).x - 40.0f + 1.0f) * 4.0f);
            EXPECT_FLOAT_EQ(back->alpha, 0.0f);
            if (Ball* ball = f.ballAt(r, c)) {
                ++balls;
                EXPECT_EQ(ball->state, Ball::State::Popping);
                EXPECT_FLOAT_EQ(ball->scale, 0.5f);
                EXPECT_FLOAT_EQ(ball->delay, back->delay);
                EXPECT_GE(ball->colour, 0);
                EXPECT_LT(ball->colour, 5);
                // Take it out and ask whether it would complete a line.
                int colour = ball->colour;
                FieldTestAccess::remove(f, r, c);
                EXPECT_FALSE(f.wouldMakeLine(r, c, colour)) << r << "," << c;
                FieldTestAccess::put(f, r, c, colour)->state = Ball::State::Popping;
            }
        }
    }
    EXPECT_EQ(balls, 36); // trunc(61 * 0.6)
    // The next balls: 3 to 6 on distinct free cells, at their centres.
    ASSERT_GE(f.newCells().size(), 3u);
    ASSERT_LE(f.newCells().size(), 6u);
    std::vector<Cell> seen;
    for (const auto& ball : f.newCells()) {
        Cell cell = f.geometry().cellAt(ball->point);
        EXPECT_TRUE(f.isCell(cell));
        EXPECT_EQ(f.ballAt(cell), nullptr);
        EXPECT_EQ(ball->point, f.centre(cell.row, cell.col));
        EXPECT_EQ(std::count(seen.begin(), seen.end(), cell), 0);
        seen.push_back(cell);
    }
    // The intro lasts until the rightmost cell's delay has run out.
    float longest = (f.centre(4, 8).x - 40.0f + 1.0f) * 4.0f;
    int updates = 0;
    while (f.state() == Field::State::Intro && updates < 1000) {
        f.update(10.0f);
        ++updates;
    }
    EXPECT_EQ(f.state(), Field::State::Play);
    EXPECT_EQ(updates, static_cast<int>(std::ceil(longest / 10.0f)));
}

TEST_F(FieldConstruction, SameSeedSameBoard) {
    LevelFile file = level(6, 40, 10, 11, 11, uniformMap(11, 11, '0'));
    Field a(1, file, 77);
    Field b(1, file, 77);
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < a.width(r); ++c) {
            EXPECT_EQ(a.ballColourAt(r, c), b.ballColourAt(r, c));
        }
    }
    ASSERT_EQ(a.newCells().size(), b.newCells().size());
}
