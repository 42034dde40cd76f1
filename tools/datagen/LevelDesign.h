#pragma once

#include "LevelPlan.h"

#include <vector>

// The hundred levels, from rules: a run of outlines (hexagons, rings,
// flowers, lobes, stars...) sized on a rising work curve, centred in the space
// right of the score and lives, with half-filled, filled and locked cells,
// colours, jokers and starting balls following the difficulty curve.
class LevelDesign {
public:
    static constexpr int levelCount = 100;
    // Starting balls that stand on cells that are not locked, at the least:
    // two cannot make a line, so no move clears them before the next land.
    static constexpr int minFreeStartingBalls = 2;

    static std::vector<LevelPlan> all();
    static LevelPlan level(int number);

    // The curve every level follows (also what the tests hold the files to).
    static int coloursFor(int number);
    static int fillPercentFor(int number);
    // What the level's outline takes off the curve's starting balls.
    static int fillEaseFor(int number);
    static int jokerPercentFor(int number);
    // Jokers a level is moved off the curve by, where playing it showed its
    // outline far from the rate the curve asks of it; never more either way
    // than mostJokerNudge.
    static constexpr int mostJokerNudge = 10;
    static int jokerNudgeFor(int number);
    static int lockedCountFor(int number);
    // Whether the level's pattern brings half-filled and filled cells.
    static bool prefillsFor(int number);
    // Explosions needed to fill every cell: 2 per empty cell, 1 per half
    // filled one, 3 per locked one (its ball unlocks it first).
    static int targetWorkFor(int number);
    static int workOf(const std::string& map);

    // Screen areas the head-up display keeps for itself; no cell may touch
    // them (score, lives and level top left, the chain meter top right, the
    // menu button's corners at the bottom).
    static bool touchesDisplay(double x, double y);
};
