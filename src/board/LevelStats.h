#pragma once

// The score and the statistics of one level, as the level summary shows them
// and saved games keep them.
struct LevelStats {
    int score = 0; // the game's running score, carried from level to level
    int scoreOnLevel = 0;
    int ballsExploded = 0;
    int timeOnLevel = 0; // ms of play
    int timeBonus = 0;
    int chains = 0; // moves that exploded four balls or more at once
    int chainBonus = 0;

    // Points earned for one ball or one cell.
    void addPoints(int points);
    // The bonuses of a completed level, from the score and the statistics.
    void computeBonuses();
};
