// The generated levels read by the game's own level parser and played
// through the game's own rules by a simple-minded player, to see the
// difficulty curve: the early levels fall to a plain strategy, the late ones
// do not.
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/LevelFile.h"
#include "datagen/DataTree.h"
#include "datagen/Generators.h"
#include "datagen/LevelDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

LevelFile parsed(const DataTree& tree, int n) {
    const auto& bytes = tree.packed().at(LevelFile::fileName(n));
    auto file = LevelFile::parse(bytes.data(), bytes.size());
    EXPECT_TRUE(file.has_value()) << n;
    return file.value_or(LevelFile::fallback());
}

// Plays by one rule: make the longest line possible, filling unfinished
// cells; with no line to make, put a ball where it has most partners.
class LinePlayer {
public:
    explicit LinePlayer(unsigned seed) : m_state(seed * 2654435761u + 1) {}

    bool move(Field& f) {
        const HexGeometry& g = f.geometry();
        long best = -1;
        Cell from{}, to{};
        for (int r = 0; r < f.rows(); ++r) {
            for (int c = 0; c < f.width(r); ++c) {
                const Ball* ball = f.ballAt(r, c);
                if (!ball || !ball->isIdle() ||
                    f.cellBackAt(r, c)->fill == CellBack::Fill::Locked) {
                    continue;
                }
                for (Cell target : freeReach(f, {r, c})) {
                    long value = worth(f, g, {r, c}, target, ball->colour) * 64 + next() % 64;
                    if (value > best) {
                        best = value;
                        from = {r, c};
                        to = target;
                    }
                }
            }
        }
        if (best < 0 || f.selectBall(from.row, from.col) < 0) {
            return false;
        }
        const bool moved = f.moveSelectedTo(to.row, to.col);
        f.deselectAll();
        return moved;
    }

private:
    unsigned next() {
        m_state = m_state * 1103515245u + 12345u;
        return m_state >> 16;
    }

    static std::vector<Cell> freeReach(const Field& f, Cell start) {
        const HexGeometry& g = f.geometry();
        std::vector<char> seen(static_cast<size_t>(g.tableSize()), 0);
        std::vector<Cell> frontier{start}, reached;
        seen[static_cast<size_t>(g.index(start))] = 1;
        for (size_t i = 0; i < frontier.size(); ++i) {
            for (Cell n : g.neighbours(frontier[i])) {
                if (f.isCell(n) && !f.ballAt(n) && !seen[static_cast<size_t>(g.index(n))]) {
                    seen[static_cast<size_t>(g.index(n))] = 1;
                    frontier.push_back(n);
                    reached.push_back(n);
                }
            }
        }
        return reached;
    }

    // Longest line of the colour through `to` once the ball has left `from`,
    // weighted toward lines over unfinished cells.
    static long worth(const Field& f, const HexGeometry& g, Cell from, Cell to, int colour) {
        long total = 0;
        for (int a = 0; a < HexGeometry::axisCount; ++a) {
            const auto axis = static_cast<HexGeometry::Axis>(a);
            int length = 1, unfinished = f.cellBackAt(to)->fill != CellBack::Fill::Filled;
            for (bool forward : {true, false}) {
                for (Cell p = g.step(to, axis, forward); f.isCell(p) && !(p == from);
                     p = g.step(p, axis, forward)) {
                    const Ball* b = f.ballAt(p);
                    if (!b || !b->isIdle() ||
                        !(b->colour == colour || b->isSpecial() || colour == Ball::Joker)) {
                        break;
                    }
                    ++length;
                    unfinished += f.cellBackAt(p)->fill != CellBack::Fill::Filled;
                }
            }
            total += length >= 3 ? 1000 * length + 50 * unfinished : length * length;
        }
        return total;
    }

    unsigned m_state;
};

struct Outcome {
    bool complete = false;
    int moves = 0;
};

Outcome play(const LevelFile& file, int level, unsigned seed) {
    EffectLayer::destroy();
    EffectLayer::create();
    Field f(level, file, seed);
    LinePlayer player(seed);
    Outcome out;
    for (int step = 0; step < 400000 && out.moves < 1500; ++step) {
        if (f.isFinished()) {
            break;
        }
        const bool still = f.state() == Field::State::Play && f.effectCount() == 0;
        bool settled = still;
        for (int r = 0; settled && r < f.rows(); ++r) {
            for (int c = 0; settled && c < f.width(r); ++c) {
                settled = !f.ballAt(r, c) || f.ballAt(r, c)->isIdle();
            }
        }
        if (settled) {
            if (!player.move(f)) {
                // Nowhere to go: the board only fills further.
                f.update(16.0f);
            } else {
                ++out.moves;
            }
        }
        f.update(16.0f);
        EffectLayer::instance()->update(16.0f);
    }
    out.complete = f.isComplete();
    EffectLayer::destroy();
    return out;
}

TEST(LevelsInPlay, EveryLevelReadsAsDesigned) {
    DataTree tree;
    addLevels(tree);
    for (int n = 1; n <= LevelDesign::levelCount; ++n) {
        SCOPED_TRACE(n);
        const LevelPlan design = LevelDesign::level(n);
        LevelFile file = parsed(tree, n);
        EXPECT_EQ(file.colours, design.colours);
        EXPECT_EQ(file.fillPercent, design.fillPercent);
        EXPECT_EQ(file.jokerPercent, design.jokerPercent);
        // The map as the game reads it (what follows the last position is
        // not part of the board).
        EXPECT_EQ(file.map.substr(0, design.map.size()), design.map);
        Field f(n, file, 7);
        EXPECT_EQ(f.cellCount(),
                  static_cast<int>(design.map.size() -
                                   std::count(design.map.begin(), design.map.end(), '.')));
        EffectLayer::destroy();
    }
}

TEST(LevelsInPlay, PlainStrategyClearsEarlyLevelsNotLateOnes) {
    DataTree tree;
    addLevels(tree);
    // A few levels of each stretch of the game, three games each.
    const int sample[] = {1, 2, 3, 4, 5, 48, 50, 52, 54, 56, 96, 97, 98, 99, 100};
    int wins[3] = {}, games[3] = {};
    for (int n : sample) {
        const LevelFile file = parsed(tree, n);
        const int stretch = n <= 10 ? 0 : n <= 60 ? 1 : 2;
        for (unsigned seed = 1; seed <= 3; ++seed) {
            Outcome o = play(file, n, seed);
            wins[stretch] += o.complete;
            ++games[stretch];
        }
    }
    std::printf("cleared: %d of %d early, %d of %d middle, %d of %d late games\n", wins[0],
                games[0], wins[1], games[1], wins[2], games[2]);
    EXPECT_GE(wins[0] * 10, games[0] * 8) << "the first levels are for everyone";
    EXPECT_GE(wins[0], wins[1]);
    EXPECT_GE(wins[1], wins[2]);
    EXPECT_LE(wins[2] * 10, games[2] * 3) << "the last levels take more than a plain rule";
}

} // namespace
