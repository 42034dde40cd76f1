#include "board/LevelStats.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int chainBonusPerChain = 1250;
constexpr int timeBonusFactor = 20000;
} // namespace

void LevelStats::addPoints(int points) {
    score += points;
    scoreOnLevel += points;
    ballsExploded += 1;
}

void LevelStats::computeBonuses() {
    // A level completed before any play time was counted earns no time bonus.
    double bonus =
        timeOnLevel > 0 ? static_cast<double>(score) / timeOnLevel * timeBonusFactor : 0.0;
    timeBonus = static_cast<int>(std::clamp(bonus, double(INT_MIN), double(INT_MAX)));
    chainBonus = chains * chainBonusPerChain;
}
