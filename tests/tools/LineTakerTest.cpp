// The line taker is the yardstick the level curve is tuned with, so what it
// counts as a good move matters: any line, never a plan for a longer one.
#include "board/BoardTestSupport.h"
#include "board/FieldTestAccess.h"
#include "levelplay/LevelPlayers.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using boardtest::BoardTest;
using boardtest::runUntil;

class LineTakerChoice : public BoardTest {};

// A spare ball of colour 0 completes four in the middle row, a spare of
// colour 1 three two rows below, and the middle row's own end ball three.
void offerLines(Field& f) {
    FieldTestAccess::removeAll(f);
    FieldTestAccess::clearNewCells(f);
    for (int c = 0; c < 3; ++c) {
        FieldTestAccess::put(f, 4, c, 0);
    }
    FieldTestAccess::put(f, 0, 0, 0);
    FieldTestAccess::put(f, 6, 0, 1);
    FieldTestAccess::put(f, 6, 1, 1);
    FieldTestAccess::put(f, 0, 4, 1);
}

using Key = std::pair<int, int>; // from and to, as table indexes

// Which positions hold a ball, by table index.
std::vector<char> occupied(const Field& f) {
    std::vector<char> balls(static_cast<std::size_t>(f.geometry().tableSize()), 0);
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            balls[f.geometry().index(r, c)] = f.ballAt(r, c) != nullptr;
        }
    }
    return balls;
}

TEST_F(LineTakerChoice, TakesShortAndLongLinesAlike) {
    const LevelFile file = boardtest::emptyLevel();
    std::map<int, int> taken; // line length -> moves
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(seed);
        Field f(1, file, seed);
        ASSERT_TRUE(runUntil(f, [&] { return levelplay::isSettled(f); }));
        offerLines(f);
        const HexGeometry& g = f.geometry();
        std::map<Key, int> lines;
        for (const levelplay::Move& m : levelplay::legalMoves(f)) {
            const int run = levelplay::runAfter(f, m);
            if (run >= 3) {
                lines[{g.index(m.from), g.index(m.to)}] = run;
            }
        }
        ASSERT_EQ(lines.size(), 3u);
        const std::vector<char> before = occupied(f);
        levelplay::LineTaker player(seed);
        ASSERT_TRUE(player.move(f));
        // The moving ball stands on its target at once.
        const std::vector<char> after = occupied(f);
        Key made{-1, -1};
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (before[i] != after[i]) {
                (before[i] ? made.first : made.second) = static_cast<int>(i);
            }
        }
        ASSERT_EQ(lines.count(made), 1u) << "the move makes a line";
        ++taken[lines[made]];
    }
    // One who looked for the longer line would never take a three.
    EXPECT_GE(taken[4], 3);
    EXPECT_GE(taken[3], 6);
}

} // namespace
