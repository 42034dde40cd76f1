#pragma once

// The score and the statistics of one level, as the level summary shows them
// and saved games keep them. Every number stays within what a game can
// reach, so that the sums the game screen makes of them fit an int too.
struct LevelStats {
    // Far beyond any game of a hundred levels.
    static constexpr int maxScore = 1'000'000'000;
    // Each bonus of a level; the score plus both bonuses still fits an int.
    static constexpr int maxBonus = 500'000'000;
    static constexpr int chainBonusPerChain = 1250;
    static constexpr int maxChains = maxBonus / chainBonusPerChain;

    int score = 0; // the game's running score, carried from level to level
    int scoreOnLevel = 0;
    int ballsExploded = 0;
    int timeOnLevel = 0; // ms of play
    int timeBonus = 0;
    int chains = 0; // moves that exploded four balls or more at once
    int chainBonus = 0;

    // Points earned for one ball or one cell; the counts saturate.
    void addPoints(int points);
    void countChain();
    // The bonuses of a completed level, from the score and the statistics.
    void computeBonuses();
    // Brings numbers read from a saved game within what a game can reach.
    void bound();
};
