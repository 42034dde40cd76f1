// Saved games whose numbers no real game could write: the field must refuse
// or bound them, and nothing computed from them may overflow.
#include "BoardTestSupport.h"

#include "board/Field.h"
#include "persist/PropertyFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace boardtest;

namespace {

class RestoredLimits : public BoardTest {};

std::string triple(int x, int y, int colour) {
    return std::to_string(x) + ' ' + std::to_string(y) + ' ' + std::to_string(colour) + ' ';
}

TEST_F(RestoredLimits, NewBallsFarOffTheBoardAreSkipped) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, 1);
    PropertyFile props;
    f->save(props);
    const Point centre = f->centre(4, 4);
    props.setString("field.newCells",
                    triple(INT_MAX, 0, 0) + triple(INT_MIN, 300, 1) + triple(120, INT_MAX, 2) +
                        triple(120, INT_MIN, 3) + triple(INT_MAX, INT_MAX, 0) +
                        triple(2147483000, 300, 1) + triple(-2147483000, 300, 1) +
                        triple(100000, 300, 2) +
                        triple(static_cast<int>(centre.x), static_cast<int>(centre.y), 4));

    Field g(1, emptyLevel(), 2);
    ASSERT_TRUE(g.load(props));
    ASSERT_EQ(g.newCells().size(), 1u);
    EXPECT_EQ(g.newCells()[0]->colour, 4);
    Cell under = g.geometry().cellAt(g.newCells()[0]->point);
    EXPECT_EQ(under, (Cell{4, 4}));
    // The one that was kept lands where it was shown.
    g.placeNewCells();
    ASSERT_NE(g.ballAt(4, 4), nullptr);
    EXPECT_EQ(g.ballAt(4, 4)->colour, 4);
}

// A line of four ready to explode on a restored board whose score and
// statistics stand at the integer limit.
TEST_F(RestoredLimits, PointsAndChainsAddedToHugeRestoredValuesSaturate) {
    auto f = bareField(emptyLevel());
    for (int c = 0; c < 4; ++c) {
        FieldTestAccess::put(*f, 4, c, 2);
    }
    PropertyFile props;
    f->save(props);
    for (const char* key : {"field.score", "field.m_statScoreOnLevel", "field.m_statBallsExploded",
                            "field.m_statChains"}) {
        props.setInt(key, INT_MAX);
    }
    Field g(1, emptyLevel(), 3);
    FieldTestAccess::rules(g).minBalls = 0;
    ASSERT_TRUE(g.load(props));
    const int score = g.score();
    const int onLevel = g.scoreOnLevel();
    const int exploded = g.ballsExploded();
    const int chains = g.chains();
    EXPECT_GT(score, 0);
    ASSERT_TRUE(runUntil(
        g, [&] { return g.ballAt(4, 0) && g.ballAt(4, 0)->state == Ball::State::Exploding; }));
    // Saturated, never wrapped round to a negative number.
    EXPECT_GE(g.score(), score);
    EXPECT_GE(g.scoreOnLevel(), onLevel);
    EXPECT_GE(g.ballsExploded(), exploded);
    EXPECT_GE(g.chains(), chains);
    EXPECT_GT(g.chains(), 0);
}

// Every cell filled: the restored level completes at once and its bonuses
// are computed from the restored numbers.
TEST_F(RestoredLimits, LevelEndBonusesFromHugeOrNegativeRestoredValuesStayInRange) {
    const LevelFile filled = level(5, 0, 0, 9, 9, uniformMap(9, 9, '2'));
    struct Case {
        int score;
        int time;
        int chains;
    };
    for (Case k : {Case{INT_MAX, 1, INT_MAX}, Case{INT_MIN, 1, INT_MIN}, Case{INT_MAX, INT_MIN, 0},
                   Case{1000000, 1, 2000000}}) {
        SCOPED_TRACE(std::to_string(k.score) + " " + std::to_string(k.time) + " " +
                     std::to_string(k.chains));
        Field f(1, filled, 1);
        PropertyFile props;
        f.save(props);
        props.setInt("field.score", k.score);
        props.setInt("field.m_statTimeOnLevel", k.time);
        props.setInt("field.m_statChains", k.chains);
        Field g(1, filled, 1);
        ASSERT_TRUE(g.load(props));
        EXPECT_GE(g.score(), 0);
        EXPECT_GE(g.timeOnLevel(), 0);
        EXPECT_GE(g.chains(), 0);
        ASSERT_TRUE(runUntil(
            g, [&] { return g.isFinished(); }, 1000));
        ASSERT_TRUE(g.isComplete());
        EXPECT_GE(g.timeBonus(), 0);
        EXPECT_GE(g.chainBonus(), 0);
        // The game screen adds both bonuses to the score: that sum fits too.
        EXPECT_LE(static_cast<long long>(g.score()) + g.timeBonus() + g.chainBonus(), INT_MAX);
        if (k.chains > 0) {
            EXPECT_GT(g.chainBonus(), 0);
        }
    }
}

TEST_F(RestoredLimits, ScoreCarriedIntoALevelIsBoundedLikeARestoredOne) {
    auto f = bareField(emptyLevel());
    f->setScore(-5);
    EXPECT_EQ(f->score(), 0);
    f->setScore(INT_MAX);
    const int carried = f->score();
    EXPECT_GT(carried, 0);
    f->addScore(25000, Point{400.0f, 300.0f}, true);
    EXPECT_GE(f->score(), carried);
    f->setScore(123456);
    EXPECT_EQ(f->score(), 123456);
}

} // namespace
