#include "FlowWatch.h"

#include "board/Field.h"
#include "board/LevelStats.h"
#include "game/Game.h"

#include <algorithm>
#include <string>

namespace soak {

namespace {

constexpr int lastLevel = 100;
constexpr int startingLives = 3;

std::string expected(const char* what, long long want, long long got) {
    return std::string(what) + " is " + std::to_string(got) + ", not " + std::to_string(want);
}

} // namespace

FlowWatch::FlowWatch(const Game& game) : last_(take(game)), carried_(last_.score) {}

FlowWatch::Snapshot FlowWatch::take(const Game& game) {
    Snapshot s;
    s.level = game.level();
    s.lives = game.lives();
    s.gameOver = game.isGameOver();
    if (const Field* f = game.field()) {
        s.score = f->score();
        s.scoreOnLevel = f->scoreOnLevel();
        s.timeBonus = f->timeBonus();
        s.chainBonus = f->chainBonus();
        s.clicked = f->levelOverClicked();
        s.complete = f->isComplete();
    }
    return s;
}

FlowWatch::LevelEnd FlowWatch::afterUpdate(const Game& game, std::vector<std::string>& failures) {
    const Snapshot now = take(game);
    if (game.field() == nullptr) {
        failures.push_back("the game has no field");
        return LevelEnd::None;
    }
    // Only a field whose summary was clicked away ends; its successor is new.
    const bool ended = last_.clicked && !now.clicked;
    LevelEnd end = LevelEnd::None;
    if (ended) {
        checkLevelEnd(now, game, failures);
        end = last_.complete ? LevelEnd::Won : LevelEnd::Lost;
        carried_ = now.score;
    } else {
        checkWithinLevel(now, failures);
    }
    last_ = now;
    return end;
}

void FlowWatch::checkWithinLevel(const Snapshot& now, std::vector<std::string>& failures) const {
    if (now.level != last_.level)
        failures.push_back(expected("the level during play", last_.level, now.level));
    if (now.lives != last_.lives)
        failures.push_back(expected("the lives during a level", last_.lives, now.lives));
    if (now.gameOver != last_.gameOver)
        failures.push_back("the game ended while no level did");
    if (now.score < last_.score)
        failures.push_back(expected("the score fell: it", last_.score, now.score));
    // Points saturate at the top; below it every point counts on the level too.
    if (now.score < LevelStats::maxScore && now.score - now.scoreOnLevel != carried_)
        failures.push_back(expected("the score beyond the level's own points", carried_,
                                    now.score - now.scoreOnLevel));
}

void FlowWatch::checkLevelEnd(const Snapshot& now, const Game& game,
                              std::vector<std::string>& failures) const {
    if (last_.gameOver)
        failures.push_back("a level ended after the game was over");
    const long long total =
        static_cast<long long>(last_.score) + last_.timeBonus + last_.chainBonus;
    if (game.totalScore() != total)
        failures.push_back(expected("the game's total", total, game.totalScore()));
    const long long carried = std::min<long long>(total, LevelStats::maxScore);
    if (now.score != carried || now.scoreOnLevel != 0)
        failures.push_back(expected("the next level's starting score", carried, now.score));
    if (last_.complete) {
        const bool last = last_.level >= lastLevel;
        if (now.level != (last ? lastLevel : last_.level + 1))
            failures.push_back(expected("the level after a won one", last_.level + 1, now.level));
        if (now.lives != last_.lives)
            failures.push_back(expected("the lives after a won level", last_.lives, now.lives));
        if (now.gameOver != last)
            failures.push_back(last ? "winning the last level did not end the game"
                                    : "a won level ended the game");
        return;
    }
    if (now.level != last_.level)
        failures.push_back(expected("the level after a lost one", last_.level, now.level));
    if (now.lives != last_.lives - 1)
        failures.push_back(expected("the lives after a lost level", last_.lives - 1, now.lives));
    if (now.gameOver != (now.lives < 0))
        failures.push_back(now.gameOver ? "a loss with a spare life ended the game"
                                        : "the loss past the last life did not end the game");
    if (now.lives < -1 || now.lives > startingLives)
        failures.push_back(expected("the lives", startingLives, now.lives));
}

} // namespace soak
