// The generated levels, read back the way the game reads a level file.
#include "datagen/DataTree.h"
#include "datagen/Generators.h"
#include "datagen/LevelDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// A level file parsed by the rules of the game's loader: six numbers, each
// running from a digit to the first character below '0', the next starting
// two characters further; the map two characters after the sixth.
struct ParsedLevel {
    bool ok = false;
    int numbers[6] = {};
    std::string map; // one character per position
    int rows() const { return numbers[4]; }
    int columns() const { return numbers[5]; }
    int width(int r) const { return columns() - std::abs(rows() / 2 - r); }
    char at(int r, int c) const {
        if (r < 0 || r >= rows() || c < 0 || c >= width(r)) {
            return '.';
        }
        int i = 0;
        for (int k = 0; k < r; ++k) {
            i += width(k);
        }
        return map[i + c];
    }
    bool isCell(int r, int c) const {
        char ch = at(r, c);
        return ch == '0' || ch == '1' || ch == '2' || ch == '4';
    }
};

ParsedLevel parse(const std::vector<std::uint8_t>& bytes) {
    ParsedLevel level;
    size_t pos = 0;
    for (int& n : level.numbers) {
        if (pos >= bytes.size() || bytes[pos] < '0' || bytes[pos] > '9') {
            return level;
        }
        size_t end = pos;
        while (end < bytes.size() && bytes[end] >= '0') {
            ++end;
        }
        n = std::atoi(std::string(bytes.begin() + pos, bytes.begin() + end).c_str());
        // The line end must be CR LF: a lone LF would eat the next digit.
        if (end + 1 >= bytes.size() || bytes[end] != '\r' || bytes[end + 1] != '\n') {
            return level;
        }
        pos = end + 2;
    }
    int positions = 0;
    for (int r = 0; r < level.rows(); ++r) {
        positions += level.width(r);
    }
    if (level.rows() <= 0 || level.rows() > 120 || level.columns() > 120 ||
        bytes.size() < pos + positions) {
        return level;
    }
    level.map.assign(bytes.begin() + pos, bytes.begin() + pos + positions);
    level.ok = true;
    return level;
}

// The board's screen geometry.
double centreX(const ParsedLevel& l, int r, int c) {
    return 40.0 + std::abs(r - l.rows() / 2) * 20.0 + c * 40.0;
}
double centreY(const ParsedLevel& l, int r) {
    return 300.0 + (r - l.rows() / 2) * 35.741016;
}

std::vector<std::pair<int, int>> neighbours(const ParsedLevel& l, int r, int c) {
    int m = l.rows() / 2;
    std::vector<std::pair<int, int>> n{{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
    if (r < m) {
        n.insert(n.end(), {{r - 1, c - 1}, {r + 1, c + 1}});
    } else if (r == m) {
        n.insert(n.end(), {{r - 1, c - 1}, {r + 1, c - 1}});
    } else {
        n.insert(n.end(), {{r - 1, c + 1}, {r + 1, c - 1}});
    }
    return n;
}

// Sizes of the groups of cells joined through cells that pass `open`.
template <typename Open> std::vector<int> groups(const ParsedLevel& l, Open open) {
    std::set<std::pair<int, int>> seen;
    std::vector<int> sizes;
    for (int r = 0; r < l.rows(); ++r) {
        for (int c = 0; c < l.width(r); ++c) {
            if (!l.isCell(r, c) || !open(l.at(r, c)) || seen.count({r, c})) {
                continue;
            }
            int size = 0;
            std::vector<std::pair<int, int>> todo{{r, c}};
            seen.insert({r, c});
            while (!todo.empty()) {
                auto [rr, cc] = todo.back();
                todo.pop_back();
                ++size;
                for (auto n : neighbours(l, rr, cc)) {
                    if (l.isCell(n.first, n.second) && open(l.at(n.first, n.second)) &&
                        seen.insert(n).second) {
                        todo.push_back(n);
                    }
                }
            }
            sizes.push_back(size);
        }
    }
    return sizes;
}

struct Levels : ::testing::Test {
    static void SetUpTestSuite() {
        tree = new DataTree;
        addLevels(*tree);
        designs = new std::vector<LevelPlan>(LevelDesign::all());
    }
    static void TearDownTestSuite() {
        delete tree;
        delete designs;
    }
    static const std::vector<std::uint8_t>& file(int n) {
        char name[32];
        std::snprintf(name, sizeof name, "levels/level%03d.txt", n);
        return tree->packed().at(name);
    }
    static DataTree* tree;
    static std::vector<LevelPlan>* designs;
};
DataTree* Levels::tree = nullptr;
std::vector<LevelPlan>* Levels::designs = nullptr;

TEST_F(Levels, HundredFilesInTheGamesFormat) {
    EXPECT_EQ(tree->packed().size(), 100u);
    for (int n = 1; n <= 100; ++n) {
        SCOPED_TRACE(n);
        ParsedLevel level = parse(file(n));
        ASSERT_TRUE(level.ok);
        EXPECT_EQ(level.rows(), 15);
        EXPECT_EQ(level.columns(), 19);
        EXPECT_EQ(level.numbers[0], LevelDesign::coloursFor(n));
        EXPECT_EQ(level.numbers[1], LevelDesign::fillPercentFor(n));
        EXPECT_EQ(level.numbers[3], LevelDesign::jokerPercentFor(n));
        // Only the map characters the game knows, and no line break inside
        // the map (each would shift every later position).
        for (char ch : level.map) {
            EXPECT_NE(std::string("0124.").find(ch), std::string::npos) << int(ch);
        }
    }
}

TEST_F(Levels, EveryCellOnScreenAndClearOfTheDisplay) {
    // Score (centred on x 85 at y 40), lives (x 65, y 90) and level (x 55,
    // y 140) on their plaque in the top-left corner; the chain meter from
    // (664, 8) to (792, 136) with its counter at (750, 60) on its ledge; the
    // in-game menu button, 128 by 32 at (10, 560).
    struct Box {
        double x0, y0, x1, y1;
    };
    const Box display[] = {{0, 0, 160, 166}, {654, 0, 800, 156}, {10, 560, 138, 592}};
    for (int n = 1; n <= 100; ++n) {
        SCOPED_TRACE(n);
        ParsedLevel level = parse(file(n));
        for (int r = 0; r < level.rows(); ++r) {
            for (int c = 0; c < level.width(r); ++c) {
                if (!level.isCell(r, c)) {
                    continue;
                }
                double x = centreX(level, r, c), y = centreY(level, r);
                EXPECT_GE(x - 20, 0);
                EXPECT_LE(x + 20, 800);
                EXPECT_GE(y - 18, 0);
                EXPECT_LE(y + 18, 600);
                for (const Box& b : display) {
                    bool clear =
                        x + 20 <= b.x0 || x - 20 >= b.x1 || y + 17 <= b.y0 || y - 17 >= b.y1;
                    EXPECT_TRUE(clear) << "cell " << r << "," << c;
                }
            }
        }
    }
}

TEST_F(Levels, CellsJoinedOrApartByDesign) {
    const auto& levels = *designs;
    int apart = 0;
    for (int n = 1; n <= 100; ++n) {
        SCOPED_TRACE(n);
        ParsedLevel level = parse(file(n));
        auto all = groups(level, [](char) { return true; });
        EXPECT_EQ(static_cast<int>(all.size()), levels[n - 1].islands);
        for (int size : all) {
            EXPECT_GE(size, 30) << "an island too small to play on";
        }
        // Locked cells hold their balls until they explode; they must not cut
        // the free cells apart, or balls could never reach some of them.
        auto free = groups(level, [](char ch) { return ch != '4'; });
        EXPECT_EQ(free.size(), all.size());
        apart += levels[n - 1].islands > 1;
    }
    EXPECT_GE(apart, 1);
    EXPECT_LE(apart, 5);
}

TEST_F(Levels, DifficultyRisesSmoothly) {
    const auto& levels = *designs;
    EXPECT_EQ(levels.front().colours, 4);
    EXPECT_EQ(levels.back().colours, 8);
    std::map<int, int> colourRuns;
    double chapterWork[10] = {};
    std::set<std::string> outlines;
    for (size_t i = 0; i < levels.size(); ++i) {
        const LevelPlan& l = levels[i];
        SCOPED_TRACE(l.number);
        ++colourRuns[l.colours];
        outlines.insert(l.shape);
        int locked = static_cast<int>(std::count(l.map.begin(), l.map.end(), '4'));
        EXPECT_LE(locked, LevelDesign::lockedCountFor(l.number));
        EXPECT_GE(locked, LevelDesign::lockedCountFor(l.number) - 12);
        int work = LevelDesign::workOf(l.map);
        EXPECT_GT(work, LevelDesign::targetWorkFor(l.number) * 0.6);
        EXPECT_LT(work, LevelDesign::targetWorkFor(l.number) * 1.3);
        chapterWork[i / 10] += work / 10.0;
        if (i == 0) {
            continue;
        }
        const LevelPlan& prev = levels[i - 1];
        // Never a step back, and never two steps at once.
        EXPECT_GE(l.colours, prev.colours);
        EXPECT_LE(l.colours, prev.colours + 1);
        // More starting balls from level to level, except that they ease off
        // for a while when a new colour comes in.
        // Narrow outlines take a few off; the curve under them is smooth.
        // The measured nudges move a level's jokers off it, never far.
        const int ease = LevelDesign::fillEaseFor(l.number);
        const int prevEase = LevelDesign::fillEaseFor(prev.number);
        EXPECT_GE(ease, 0);
        EXPECT_LE(ease, 8);
        const int nudge = LevelDesign::jokerNudgeFor(l.number);
        EXPECT_LE(std::abs(nudge), LevelDesign::mostJokerNudge);
        const int fill = l.fillPercent + ease;
        const int prevFill = prev.fillPercent + prevEase;
        if (l.colours == prev.colours) {
            EXPECT_GE(fill, prevFill);
        } else {
            EXPECT_LT(fill, prevFill);
        }
        EXPECT_LE(fill, prevFill + 2);
        // Jokers thin out, and come back for a while with a new colour.
        const int jokers = l.jokerPercent - nudge;
        const int prevJokers = prev.jokerPercent - LevelDesign::jokerNudgeFor(prev.number);
        if (l.colours == prev.colours) {
            EXPECT_LE(jokers, prevJokers);
            EXPECT_GE(jokers, prevJokers - 1);
        } else {
            EXPECT_GT(jokers, prevJokers);
        }
        // Locked cells only grow while the patterns pre-fill; the last
        // stretch, broad and plain, takes most of them away.
        if (LevelDesign::prefillsFor(l.number) == LevelDesign::prefillsFor(prev.number)) {
            EXPECT_GE(LevelDesign::lockedCountFor(l.number),
                      LevelDesign::lockedCountFor(prev.number));
        }
        EXPECT_NE(l.shape, prev.shape);
    }
    // Every colour count gets a good stretch of levels.
    for (int colours = 4; colours <= 8; ++colours) {
        EXPECT_GE(colourRuns[colours], 10) << colours;
    }
    for (int c = 1; c < 10; ++c) {
        EXPECT_GE(chapterWork[c], chapterWork[c - 1] * 0.97) << "chapter " << c + 1;
    }
    EXPECT_GT(chapterWork[9], chapterWork[0] * 1.6);
    // The first level: plenty of room and help, nothing locked, nothing
    // pre-filled; the last one: all eight colours, few jokers, many balls.
    const LevelPlan& first = levels.front();
    EXPECT_EQ(first.map.find_first_of("124"), std::string::npos);
    EXPECT_GE(first.jokerPercent, 10);
    EXPECT_LE(first.fillPercent, 5);
    EXPECT_GE(levels.back().fillPercent, 20);
    EXPECT_LE(levels.back().jokerPercent, 5);
    EXPECT_GE(static_cast<int>(outlines.size()), 15);
}

TEST_F(Levels, StartingBallsBeyondTheLockedCells) {
    // The locked cells take the first starting balls; with nothing left for
    // the other cells the board would count as cleared before a move.
    for (int n = 1; n <= 100; ++n) {
        SCOPED_TRACE(n);
        ParsedLevel level = parse(file(n));
        const int cells = static_cast<int>(level.map.size() -
                                           std::count(level.map.begin(), level.map.end(), '.'));
        const int locked = static_cast<int>(std::count(level.map.begin(), level.map.end(), '4'));
        const int balls = static_cast<int>(cells / 100.0 * level.numbers[1]);
        EXPECT_GE(balls - locked, LevelDesign::minFreeStartingBalls)
            << cells << " cells, " << locked << " locked, fill " << level.numbers[1];
    }
}

TEST_F(Levels, LaterLevelsBringPreFilledAndLockedCells) {
    const auto& levels = *designs;
    int half = 0, filled = 0, locked = 0;
    for (const LevelPlan& l : levels) {
        bool h = l.map.find('1') != std::string::npos;
        bool f = l.map.find('2') != std::string::npos;
        bool k = l.map.find('4') != std::string::npos;
        if (l.number <= 10) {
            EXPECT_FALSE(h || f || k) << l.number;
        }
        if (!LevelDesign::prefillsFor(l.number)) {
            EXPECT_FALSE(h || f) << l.number;
        }
        half += h;
        filled += f;
        locked += k;
    }
    EXPECT_GE(half, 40);
    EXPECT_GE(filled, 10);
    EXPECT_GE(locked, 70);
}

TEST_F(Levels, GeneratedTwiceTheSame) {
    DataTree again;
    addLevels(again);
    EXPECT_EQ(again.packed(), tree->packed());
}

} // namespace
