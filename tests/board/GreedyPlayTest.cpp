// Plays whole levels with the rules alone: a greedy player that moves a ball
// where it makes the longest line, through the same calls the pointer control
// uses, checking the board's invariants after every update.
#include "BoardTestSupport.h"
#include "GreedyPlayer.h"

#include "board/Field.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>

using namespace boardtest;

namespace {

constexpr float frameMs = 16.0f;

bool allFilled(const Field& f) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (f.isCell(r, c) && f.cellBackAt(r, c)->fill != CellBack::Fill::Filled) {
                return false;
            }
        }
    }
    return true;
}

bool fullAndResting(const Field& f) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (f.isCell(r, c) && !(f.ballAt(r, c) && f.ballAt(r, c)->isIdle())) {
                return false;
            }
        }
    }
    return true;
}

bool readyForMove(const Field& f) {
    return settled(f) && !f.isFinished();
}

struct Outcome {
    bool ended = false;
    bool won = false;
    int moves = 0;
};

// Checks everything that must hold after any update.
void checkInvariants(const Field& f, const std::string& where) {
    SCOPED_TRACE(where);
    std::set<const Ball*> balls;
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.columns(); ++c) {
            const Ball* ball = rawBall(f, r, c);
            if (!ball) {
                continue;
            }
            ASSERT_TRUE(f.isCell(r, c)) << "ball outside a cell at " << r << "," << c;
            ASSERT_TRUE(balls.insert(ball).second) << "ball listed twice at " << r << "," << c;
            if (ball->state == Ball::State::Idle || ball->state == Ball::State::Popping) {
                ASSERT_EQ(ball->point, f.centre(r, c)) << "ball off its cell at " << r << "," << c;
            }
        }
    }
    for (const auto& next : f.newCells()) {
        ASSERT_TRUE(f.isCell(f.geometry().cellAt(next->point)));
        ASSERT_EQ(balls.count(next.get()), 0u);
    }
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (const CellBack* back = f.cellBackAt(r, c)) {
                ASSERT_TRUE(CellBack::isValidFill(static_cast<int>(back->fill))) << static_cast<int>(back->fill);
            }
        }
    }
    ASSERT_GE(f.chainCounter(), 0);
    ASSERT_LE(f.chainCounter(), 4);
}

Outcome playLevel(const LevelFile& file, unsigned seed, int carried) {
    Outcome outcome;
    EffectLayer& layer = *EffectLayer::create();
    layer.clear();
    Field f(1, file, seed);
    f.setScore(carried);
    GreedyPlayer player(seed * 7919u + 1u);
    long long earned = 0;
    int lastTime = 0;
    bool clicked = false;
    int levelOverUpdates = 0;
    for (int update = 0; update < 400000; ++update) {
        if (f.state() == Field::State::Play && f.isFinished()) {
            outcome.ended = true;
            outcome.won = f.isComplete();
            break;
        }
        if (readyForMove(f)) {
            if (!player.move(f)) {
                ADD_FAILURE() << "no move left on a board that is neither won nor lost";
                return outcome;
            }
            ++outcome.moves;
        }
        if (f.state() == Field::State::LevelOver && !clicked && ++levelOverUpdates > 20) {
            f.onClick(400, 300);
            clicked = true;
        }

        bool wasFinished = f.isFinished();
        std::size_t textsBefore = layer.texts().size();
        f.update(frameMs);
        for (std::size_t i = textsBefore; i < layer.texts().size(); ++i) {
            const std::string& text = layer.texts()[i].text;
            if (text != "CELL LOCKED") {
                earned += std::stoll(text);
            }
        }
        layer.update(frameMs);

        std::string where = "seed " + std::to_string(seed) + ", update " + std::to_string(update);
        checkInvariants(f, where);
        if (::testing::Test::HasFatalFailure()) {
            return outcome;
        }
        EXPECT_EQ(f.score(), carried + earned) << where;
        EXPECT_EQ(f.scoreOnLevel(), earned) << where;
        EXPECT_GE(f.timeOnLevel(), lastTime) << where;
        lastTime = f.timeOnLevel();

        // The level ends exactly when the board is filled or full and resting.
        if (!wasFinished && f.isFinished()) {
            EXPECT_EQ(f.state(), Field::State::LevelOver) << where;
            EXPECT_EQ(f.effectCount(), 0) << where;
            if (f.isComplete()) {
                EXPECT_TRUE(allFilled(f)) << where;
                int expected =
                    f.timeOnLevel() > 0
                        ? static_cast<int>(static_cast<double>(f.score()) / f.timeOnLevel() * 20000)
                        : 0;
                EXPECT_EQ(f.timeBonus(), expected) << where;
                EXPECT_EQ(f.chainBonus(), f.chains() * 1250) << where;
            } else {
                EXPECT_TRUE(fullAndResting(f)) << where;
                EXPECT_EQ(f.timeBonus(), 0);
                EXPECT_EQ(f.chainBonus(), 0);
            }
        }
        if (wasFinished) {
            EXPECT_TRUE(f.isFinished()) << where;
        }
        if (!f.isFinished() && f.state() == Field::State::Play && f.effectCount() == 0) {
            EXPECT_FALSE(allFilled(f)) << where;
            EXPECT_FALSE(fullAndResting(f)) << where;
        }
        if (::testing::Test::HasFailure()) {
            return outcome;
        }
    }
    return outcome;
}

struct Case {
    const char* name;
    LevelFile file;
};

std::vector<Case> cases() {
    std::string holes = uniformMap(9, 9, '0');
    for (std::size_t i = 7; i < holes.size(); i += 9) {
        holes[i] = 'x';
    }
    std::string mixed = uniformMap(11, 11, '0');
    for (std::size_t i = 3; i < mixed.size(); i += 7) {
        mixed[i] = '1';
    }
    for (std::size_t i = 5; i < mixed.size(); i += 23) {
        mixed[i] = '4';
    }
    mixed[20] = '2';
    return {
        {"plain 9x9", level(5, 30, 5, 9, 9, uniformMap(9, 9, '0'))},
        {"holes 9x9", level(4, 40, 0, 9, 9, holes)},
        {"mixed 11x11", level(6, 25, 3, 11, 11, mixed)},
        {"crowded 7x7", level(7, 60, 2, 7, 7, uniformMap(7, 7, '0'))},
    };
}

TEST(GreedyPlay, WholeLevelsKeepTheRules) {
    int won = 0;
    int lost = 0;
    for (const Case& c : cases()) {
        for (unsigned seed : {1u, 2u, 3u, 4u}) {
            SCOPED_TRACE(std::string(c.name) + " seed " + std::to_string(seed));
            Outcome outcome = playLevel(c.file, seed, 1000 * static_cast<int>(seed));
            if (::testing::Test::HasFailure()) {
                return;
            }
            EXPECT_TRUE(outcome.ended);
            EXPECT_GT(outcome.moves, 0);
            (outcome.won ? won : lost) += 1;
        }
    }
    // The greedy player is good enough to win some levels and bad enough to
    // lose some: both endings are exercised.
    EXPECT_GT(won, 0);
    EXPECT_GT(lost, 0);
    std::printf("greedy player: %d won, %d lost\n", won, lost);
    EffectLayer::destroy();
}

} // namespace
