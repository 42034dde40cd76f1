#pragma once

#include <functional>
#include <string>
#include <vector>

namespace soak {

struct Tally;

struct Options {
    long levels = 20;
    unsigned seed = 1;
    // Told the tally after every level end, for long runs.
    std::function<void(const Tally&)> onLevelEnd;
};

struct Tally {
    long levels = 0;
    long won = 0;
    long lost = 0;
    long games = 0;
    // Games the rules ended (the last one of a run may be cut off instead).
    long gamesOver = 0;
    // Games that ended by winning the last level.
    long gamesCompleted = 0;
    // Levels that never ended; their games were left.
    long stuck = 0;
    long updates = 0;
    long moves = 0;
    long saveChecks = 0;
    long failures = 0;
    int highestLevel = 0;
    // The first failures, each with the game, level and update it came in.
    std::vector<std::string> firstFailures;
};

// Plays whole games through the real game screen and rules, without a
// window, until the given number of levels has ended: a simple player makes
// the moves, the summaries are clicked away, the name entry is answered. The
// field and the flow are checked after every update, and at random moments
// (and after every level end) the game is saved, loaded into a new game and
// saved again, which must give the same text. The millisecond clock is
// simulated, so a seed replays the same run. Needs the resource manager
// "main" and no other set-up.
Tally run(const Options& options);

} // namespace soak
