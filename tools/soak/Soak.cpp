#include "Soak.h"

#include "FieldChecks.h"
#include "FlowWatch.h"
#include "LevelPlayers.h"

#include "board/Field.h"
#include "game/EnterNameDialog.h"
#include "game/Game.h"
#include "persist/PropertyFile.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "ui/HighScores.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace soak {

namespace {

constexpr std::size_t maxReported = 20;
// Far more updates than any level needs; a level still going then is stuck.
constexpr long updateCapPerLevel = 100000;
// On average one update in this many is followed by a save and a reload.
constexpr int saveCheckOdds = 500;
constexpr int highScoreCategories = 2;
constexpr int minFrameMs = 8;
constexpr int maxFrameMs = 90;
constexpr int lastLevel = 100;
constexpr const char* nextBallsKey = "field.newCells";
constexpr const char* bonusKeys[] = {"field.m_statTimeBonus", "field.m_statChainBonus"};

class SimulatedClock : public platform::Clock {
public:
    explicit SimulatedClock(unsigned start) : now_(start) {}
    unsigned milliseconds() override { return now_; }
    void sleep(unsigned ms) override { now_ += ms; }
    void advance(unsigned ms) { now_ += ms; }

private:
    unsigned now_;
};

// Where a stuck level stands, for the report.
std::string describe(const Field& f) {
    int balls = 0;
    int busy = 0;
    std::string states;
    for (const auto& ball : f.board().balls()) {
        if (!ball)
            continue;
        ++balls;
        if (!ball->isIdle()) {
            ++busy;
            states += ' ' + std::to_string(static_cast<int>(ball->state));
        }
    }
    return "state " + std::to_string(static_cast<int>(f.state())) + ", finished " +
           std::to_string(f.isFinished()) + ", " + std::to_string(balls) + " balls on " +
           std::to_string(f.cellCount()) + " cells, " + std::to_string(busy) + " busy (states" +
           states + "), " + std::to_string(f.effectCount()) + " effects, " +
           std::to_string(f.newCells().size()) + " next, " +
           std::to_string(levelplay::legalMoves(f).size()) + " moves";
}

// The first key whose value differs between two stores, for the report.
std::string firstDifference(const PropertyFile& a, const PropertyFile& b) {
    for (const auto& [key, value] : a.all()) {
        if (!b.has(key) || b.getString(key, "") != value)
            return key;
    }
    for (const auto& [key, value] : b.all()) {
        if (!a.has(key))
            return key;
    }
    return "none";
}

class Runner {
public:
    explicit Runner(const Options& options)
        : options_(options), rng_(options.seed), clock_(options.seed * 2654435761u),
          player_(options.seed), scores_(highScoreCategories) {}

    Tally run() {
        platform::setClock(&clock_);
        while (tally_.levels < options_.levels)
            playGame();
        platform::setClock(nullptr);
        return tally_;
    }

private:
    void playGame() {
        // Every level gets played at times: the level choice offers them all.
        const int start =
            tally_.games == 0 ? 1 : std::uniform_int_distribution<int>(1, lastLevel)(rng_);
        // Some games are played carelessly, so that levels are lost and games
        // end before the last level too.
        carelessness_ = std::uniform_int_distribution<int>(0, 2)(rng_) * 30;
        Game game(start, &scores_);
        ++tally_.games;
        FlowWatch watch(game);
        long levelUpdates = 0;
        while (tally_.levels < options_.levels) {
            play(game);
            const FlowWatch::LevelEnd end = update(game, watch);
            ++levelUpdates;
            if (end != FlowWatch::LevelEnd::None) {
                ++tally_.levels;
                ++(end == FlowWatch::LevelEnd::Won ? tally_.won : tally_.lost);
                if (end == FlowWatch::LevelEnd::Won && game.isGameOver())
                    ++tally_.gamesCompleted;
                levelUpdates = 0;
                checkSave(game);
                if (options_.onLevelEnd)
                    options_.onLevelEnd(tally_);
            } else if (std::uniform_int_distribution<int>(1, saveCheckOdds)(rng_) == 1) {
                checkSave(game);
            }
            if (game.isGameOver()) {
                finishGame(game);
                return;
            }
            if (levelUpdates > updateCapPerLevel) {
                // Told, and left for a new game: one stuck level must not
                // end a long run.
                report("the level never ended: " + describe(*game.field()));
                if (tally_.stuck++ == 0)
                    dumpSave(game);
                return;
            }
        }
    }

    // What a player does before this frame: clicks a summary away or moves.
    void play(Game& game) {
        Field* field = game.field();
        if (field->state() == Field::State::LevelOver && !field->levelOverClicked()) {
            game.onLButtonDown(400, 300, 0);
            game.onLButtonUp(400, 300, 0);
        } else if (!field->isFinished() && levelplay::isSettled(*field) && move(*field)) {
            ++tally_.moves;
        }
    }

    bool move(Field& field) {
        if (std::uniform_int_distribution<int>(0, 99)(rng_) >= carelessness_)
            return player_.move(field);
        const std::vector<levelplay::Move> moves = levelplay::legalMoves(field);
        if (moves.empty())
            return false;
        return levelplay::make(
            field, moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng_)]);
    }

    FlowWatch::LevelEnd update(Game& game, FlowWatch& watch) {
        // Frame times of a fast and of a struggling machine.
        const int ms = std::uniform_int_distribution<int>(minFrameMs, maxFrameMs)(rng_);
        clock_.advance(static_cast<unsigned>(ms));
        game.update(static_cast<float>(ms));
        ++tally_.updates;
        level_ = game.level();
        tally_.highestLevel = std::max(tally_.highestLevel, level_);
        std::vector<std::string> found;
        checkField(*game.field(), found);
        const FlowWatch::LevelEnd end = watch.afterUpdate(game, found);
        for (const std::string& failure : found)
            report(failure);
        return end;
    }

    // The name entry of a game that reached the table, answered with no name.
    void finishGame(Game& game) {
        ++tally_.gamesOver;
        const int total = game.totalScore();
        EnterNameDialog* dialog = game.enterNameDialog();
        if ((dialog != nullptr) != scores_.accepts(0, total)) {
            report(dialog ? "the name entry opened for a score the table refuses"
                          : "a score the table takes got no name entry");
        }
        if (dialog == nullptr)
            return;
        game.onDialogClosed(0, dialog);
        bool stored = false;
        for (int i = 0; i < HighScores::entryCount; ++i)
            stored =
                stored || (scores_.getPoints(0, i) == total && scores_.getName(0, i) == "Nemo");
        if (!game.isNameStored() || !stored)
            report("the score of the game did not enter the table");
    }

    // The first stuck level's saved game, so it can be looked at again.
    static void dumpSave(Game& game) {
        PropertyFile saved;
        game.saveState(saved);
        std::fprintf(stderr, "stuck level, saved game:\n%s\n", saved.text().c_str());
    }

    void checkSave(Game& game) {
        PropertyFile saved;
        game.saveState(saved);
        // The new game's fields reseed the generator; the game in play goes on
        // from where it was.
        const unsigned resume = static_cast<unsigned>(Random::rand());
        {
            Game copy(1, &scores_);
            const bool loaded = copy.loadState(saved);
            PropertyFile again;
            copy.saveState(again);
            // While balls land there are no next balls yet; a game loaded
            // then chooses them at once, as the landing would have.
            if (saved.getString(nextBallsKey, "").empty())
                again.setString(nextBallsKey, "");
            // A completed level's bonuses are worked out again when it ends.
            for (const char* key : bonusKeys)
                again.setString(key, saved.getString(key, ""));
            if (!loaded)
                report("the saved game did not load");
            else if (again.text() != saved.text())
                report("the loaded game saves otherwise, first at " +
                       firstDifference(saved, again));
        }
        Random::seed(resume);
        ++tally_.saveChecks;
    }

    void report(const std::string& failure) {
        ++tally_.failures;
        if (tally_.firstFailures.size() < maxReported) {
            tally_.firstFailures.push_back("game " + std::to_string(tally_.games) + ", level " +
                                           std::to_string(level_) + ", update " +
                                           std::to_string(tally_.updates) + ": " + failure);
        }
    }

    Options options_;
    std::mt19937 rng_;
    SimulatedClock clock_;
    levelplay::LineTaker player_;
    HighScores scores_;
    Tally tally_;
    int level_ = 0;
    // Per cent of the moves made at random instead of by the player.
    int carelessness_ = 0;
};

} // namespace

Tally run(const Options& options) {
    return Runner(options).run();
}

} // namespace soak
