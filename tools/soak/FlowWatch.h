#pragma once

#include <string>
#include <vector>

class Game;

namespace soak {

// Follows one game from update to update and tells where its flow breaks the
// rules: within a level the level, the lives and the carried score stay and
// the score only grows by the points the level adds; a won level moves on to
// the next one, a lost one costs a life and is played again, the loss past
// the last spare life ends the game, and so does winning the last level; the
// next level starts from the total of the last one.
class FlowWatch {
public:
    enum class LevelEnd { None, Won, Lost };

    explicit FlowWatch(const Game& game);

    // Compares the game after an update with what it was before; answers how
    // a level ended in that update, if one did.
    LevelEnd afterUpdate(const Game& game, std::vector<std::string>& failures);

private:
    struct Snapshot {
        int level = 0;
        int lives = 0;
        int score = 0;
        int scoreOnLevel = 0;
        int timeBonus = 0;
        int chainBonus = 0;
        bool clicked = false;
        bool complete = false;
        bool gameOver = false;
    };
    static Snapshot take(const Game& game);
    void checkWithinLevel(const Snapshot& now, std::vector<std::string>& failures) const;
    void checkLevelEnd(const Snapshot& now, const Game& game,
                       std::vector<std::string>& failures) const;

    Snapshot last_;
    // The score the level in play started from.
    int carried_ = 0;
};

} // namespace soak
