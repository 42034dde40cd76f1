#include "LevelDesign.h"

#include "LevelOutline.h"

#include <algorithm>
#include <cmath>

namespace {

// The curve is one table: each stage brings a colour, and across its levels
// the starting balls rise and the jokers thin out between the two ends. A
// stage starts with fewer balls and more jokers than the stage before ended,
// so a new colour comes in gently. With nine colours lines are so scarce
// that a player who plans is what wins: the last stages hold few locked
// cells and nothing pre-filled, their jokers decide how far chance alone
// gets, and their starting balls climb: a crowded board costs a player who
// moves at random at least as much as one who plans.
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
    {1, 4, 4, 8, 15, 13, false, false, 18},  {11, 5, 7, 16, 14, 11, false, true, 18},
    {24, 6, 12, 20, 12, 8, false, true, 18}, {40, 7, 16, 24, 9, 5, true, true, 18},
    {56, 8, 18, 38, 6, 1, true, true, 18},   {86, 9, 26, 34, 2, 2, true, false, 6},
    {91, 9, 36, 45, 1, 1, true, false, 6},
};
constexpr int stageCount = static_cast<int>(sizeof stages / sizeof stages[0]);

// Levels whose outline plays far from the levels around it (the rates of
// two players measured through the rules): a joker more where a narrow or
// holed outline starves lines, one less where a round one gives them away.
// In the last stretch, where one joker in a hundred balls is already a
// large step, the starting balls do the finer work.
struct LevelNudge {
    int level;
    LevelDesign::Nudge nudge;
};

constexpr LevelNudge nudges[] = {
    {41, {0, 3}},  {61, {0, 3}}, {65, {0, 2}},  {69, {0, 1}},    {72, {0, 2}},  {73, {0, 1}},
    {76, {0, -1}}, {77, {0, 2}}, {83, {0, -1}}, {90, {-3, 0}},   {92, {8, 0}},  {94, {6, 0}},
    {95, {-2, 0}}, {96, {1, 0}}, {97, {-1, 0}}, {98, {-13, -1}}, {99, {-6, 0}}, {100, {-10, -1}},
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
    return between(s.fillFrom, s.fillTo, along(number)) - fillEaseFor(number) +
           nudgeFor(number).fill;
}

int LevelDesign::fillEaseFor(int number) {
    if (!stages[stageOf(number)].easesOutlines) {
        return 0;
    }
    return leveldesign::info(leveldesign::formOf(number)).fillEase;
}

int LevelDesign::jokerPercentFor(int number) {
    const Stage& s = stages[stageOf(number)];
    return std::max(0, between(s.jokersFrom, s.jokersTo, along(number)) + nudgeFor(number).jokers);
}

LevelDesign::Nudge LevelDesign::nudgeFor(int number) {
    for (const LevelNudge& n : nudges) {
        if (n.level == number) {
            return n.nudge;
        }
    }
    return {};
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
