#include "LevelDesign.h"

#include "LevelOutline.h"

#include <algorithm>
#include <cmath>

namespace {

// The curve is one table: each stage brings a colour or a change of board,
// and across its levels the starting balls rise and the jokers thin out
// between the two ends. A colour comes in gently: its first level starts with
// fewer balls and more jokers than the level before. The last stretch holds
// few locked cells and nothing pre-filled on broad outlines, so that a
// player who plans can clear it while one who moves at random seldom does.
struct Stage {
    int first; // level
    int colours;
    int fillFrom, fillTo;
    int jokersFrom, jokersTo;
    // Whether narrow outlines start with fewer balls: only once the board
    // holds so many colours that lines are scarce.
    bool easesOutlines;
    bool prefills;  // half-filled and filled cells in the pattern
    int mostLocked; // a ceiling on the locked cells of the rising rule
};

constexpr Stage stages[] = {
    {1, 4, 4, 8, 15, 13, false, false, 18},  {11, 5, 7, 16, 14, 3, false, true, 18},
    {24, 6, 12, 20, 10, 5, false, true, 18}, {40, 7, 16, 20, 10, 7, true, true, 18},
    {56, 7, 20, 30, 7, 3, true, true, 18},   {76, 8, 22, 27, 6, 6, true, true, 18},
    {86, 8, 28, 30, 5, 5, true, false, 6},   {91, 8, 30, 36, 5, 4, true, false, 6},
};
constexpr int stageCount = static_cast<int>(sizeof stages / sizeof stages[0]);

// Jokers a level is moved off its stage's line by, measured: the line
// taker's win rate was read at several joker counts on each level and the
// count nearest the curve's rate for that level kept. That rate falls in a
// straight line from every game at level 12 to one in twenty at level 92
// and stays there, about 1.2 points a level. Outlines play very
// differently at the same numbers (a bow tie or a frame starves lines that a
// round board gives away), and one joker in a hundred balls moves the rate
// by five to ten points.
struct LevelNudge {
    int level;
    int jokers;
};

constexpr LevelNudge nudges[] = {
    {11, -2}, {12, -4}, {13, 7},  {14, -3}, {15, 1},  {16, 2},  {17, -2}, {18, -6}, {19, -3},
    {20, -1}, {21, -1}, {22, 1},  {23, 7},  {24, -1}, {26, -1}, {27, 2},  {28, 2},  {29, 3},
    {30, -1}, {31, 5},  {33, -3}, {34, 10}, {35, -1}, {36, 1},  {37, 8},  {39, -2}, {40, -1},
    {41, 8},  {42, 1},  {43, 3},  {44, 2},  {45, 1},  {46, 1},  {47, -1}, {48, -1}, {49, 3},
    {50, -4}, {51, 1},  {52, 3},  {53, 5},  {55, 4},  {57, 1},  {58, -2}, {60, -2}, {61, 4},
    {64, -4}, {65, 2},  {66, -1}, {67, -1}, {68, 1},  {69, 2},  {70, -1}, {71, -2}, {72, 1},
    {73, 2},  {74, -1}, {76, -1}, {77, 4},  {80, 2},  {81, 2},  {82, 2},  {84, 1},  {85, 3},
    {88, 1},  {89, 2},  {92, -2}, {93, 1},  {95, -1}, {96, -1}, {97, 1},
};

int stageOf(int number) {
    int s = 0;
    while (s + 1 < stageCount && stages[s + 1].first <= number) {
        ++s;
    }
    return s;
}

// Where the level lies in its stage, 0 at the first level, 1 at the last.
double along(int number) {
    const int s = stageOf(number);
    const int last = s + 1 < stageCount ? stages[s + 1].first - 1 : LevelDesign::levelCount;
    return last > stages[s].first ? double(number - stages[s].first) / (last - stages[s].first)
                                  : 0.0;
}

int between(int from, int to, double t) {
    return from + static_cast<int>(std::lround((to - from) * t));
}

double progress(int number) {
    return (number - 1) / double(LevelDesign::levelCount - 1);
}

} // namespace

int LevelDesign::coloursFor(int number) {
    return stages[stageOf(number)].colours;
}

int LevelDesign::fillPercentFor(int number) {
    const Stage& s = stages[stageOf(number)];
    return between(s.fillFrom, s.fillTo, along(number)) - fillEaseFor(number);
}

int LevelDesign::fillEaseFor(int number) {
    if (!stages[stageOf(number)].easesOutlines) {
        return 0;
    }
    return leveldesign::info(leveldesign::formOf(number)).fillEase;
}

int LevelDesign::jokerPercentFor(int number) {
    const Stage& s = stages[stageOf(number)];
    return std::max(0, between(s.jokersFrom, s.jokersTo, along(number)) + jokerNudgeFor(number));
}

int LevelDesign::jokerNudgeFor(int number) {
    for (const LevelNudge& n : nudges) {
        if (n.level == number) {
            return n.jokers;
        }
    }
    return 0;
}

int LevelDesign::lockedCountFor(int number) {
    const int rising = number < 16 ? 0 : std::min(18, 3 * ((number - 16) / 16 + 1));
    return std::min(rising, stages[stageOf(number)].mostLocked);
}

bool LevelDesign::prefillsFor(int number) {
    return stages[stageOf(number)].prefills;
}

int LevelDesign::targetWorkFor(int number) {
    // Rises quickly at first and levels off where the board runs out of room.
    double rise = 1.0 - std::pow(1.0 - progress(number), 1.6);
    return static_cast<int>(std::lround(108.0 + 132.0 * rise));
}

int LevelDesign::workOf(const std::string& map) {
    int work = 0;
    for (char ch : map) {
        work += ch == '0' ? 2 : ch == '1' ? 1 : ch == '4' ? 3 : 0;
    }
    return work;
}
