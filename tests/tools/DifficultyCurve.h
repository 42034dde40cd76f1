#pragma once

#include "LevelPlayers.h"

#include <string>
#include <vector>

// Win rate and moves per level of one kind of player, over a run of seeds.
namespace levelplay {

enum class Kind { LineTaker, Careful };

struct LevelResult {
    int level = 0;
    int games = 0;
    int wins = 0;
    int medianMoves = 0;
    int bonusesBeforeMove = 0;
    double winRate() const { return games ? 100.0 * wins / games : 0.0; }
};

// Plays seeds games of the level, spread over the given number of threads;
// every game is a function of its own seed, so the result does not depend on
// the threads.
LevelResult measure(const LevelFile& file, int level, Kind kind, int seeds, int threads = 1,
                    int firstSeed = 1);

// Where the curve breaks the rules it is tuned to, one line each: the line
// taker's rate against its neighbours (20 points at most from the average of
// the nearest two and of the two on each side) and moves that halve from one
// level to the next.
std::vector<std::string> roughSpots(const std::vector<LevelResult>& curve);

// The curve as a table: level, wins in percent, median moves.
std::string table(const std::vector<LevelResult>& lineTaker,
                  const std::vector<LevelResult>& careful);

} // namespace levelplay
