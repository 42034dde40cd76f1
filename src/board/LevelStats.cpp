#include "board/LevelStats.h"

#include <algorithm>

namespace {

constexpr int timeBonusFactor = 20000;

int boundedSum(int value, long long add, int limit) {
    return static_cast<int>(std::clamp<long long>(value + add, 0, limit));
}

} // namespace

void LevelStats::addPoints(int points) {
    score = boundedSum(score, points, maxScore);
    scoreOnLevel = boundedSum(scoreOnLevel, points, maxScore);
    ballsExploded = boundedSum(ballsExploded, 1, maxScore);
}

void LevelStats::countChain() {
    chains = boundedSum(chains, 1, maxChains);
}

void LevelStats::computeBonuses() {
    // A level completed before any play time was counted earns no time bonus.
    double bonus =
        timeOnLevel > 0 ? static_cast<double>(score) / timeOnLevel * timeBonusFactor : 0.0;
    timeBonus = static_cast<int>(std::clamp(bonus, 0.0, static_cast<double>(maxBonus)));
    chainBonus = boundedSum(0, static_cast<long long>(chains) * chainBonusPerChain, maxBonus);
}

void LevelStats::bound() {
    score = std::clamp(score, 0, maxScore);
    scoreOnLevel = std::clamp(scoreOnLevel, 0, maxScore);
    ballsExploded = std::clamp(ballsExploded, 0, maxScore);
    timeOnLevel = std::max(timeOnLevel, 0);
    timeBonus = std::clamp(timeBonus, 0, maxBonus);
    chains = std::clamp(chains, 0, maxChains);
    chainBonus = std::clamp(chainBonus, 0, maxBonus);
}
