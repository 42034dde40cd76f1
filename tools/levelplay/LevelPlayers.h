#pragma once

#include "board/Cell.h"
#include "board/LevelFile.h"

#include <random>
#include <vector>

class Field;

// Two players that play a level the way people do, through the field's public
// moves only: one takes a line when there is one and otherwise moves at
// random; the other weighs every move and tries the most promising ones on a
// copy of the field before it commits.
namespace levelplay {

struct Move {
    Cell from;
    Cell to;
};

// Every move the player could make now: each selectable ball to every free
// cell a path of free cells joins to it.
std::vector<Move> legalMoves(const Field& f);

// The longest run of balls matching the moving ball that it would stand in
// at `to` once it has left `from` (1 when it matches nothing).
int runAfter(const Field& f, Move m);

// Whether every ball rests and no effect runs, so that a move may be made.
bool isSettled(const Field& f);

class Player {
public:
    virtual ~Player() = default;
    // Makes one move on a settled field; false when no move is possible.
    virtual bool move(Field& f) = 0;
};

// Takes a line when a move makes one (any of them, whatever its length) and
// otherwise moves a random ball to a random cell it can reach.
class LineTaker : public Player {
public:
    explicit LineTaker(unsigned seed) : rng_(seed) {}
    bool move(Field& f) override;

private:
    std::mt19937 rng_;
};

class CarefulPlayer : public Player {
public:
    // The copies are rebuilt from this level file.
    CarefulPlayer(const LevelFile& file, unsigned seed) : file_(file), rng_(seed) {}
    bool move(Field& f) override;

    // How many of the best-looking moves are tried on a copy.
    static constexpr int lookahead = 8;

private:
    double afterMove(const Field& f, Move m, int workBefore) const;

    LevelFile file_;
    std::mt19937 rng_;
};

struct Outcome {
    bool complete = false;
    bool bonusBeforeMove = false; // points earned before the first move
    int moves = 0;
};

// Plays the level to its end (or to a cap on moves) at 60 updates a second.
Outcome play(const LevelFile& file, int level, unsigned seed, Player& player);

// Makes m on f, as the pointer control would, and answers whether it started.
bool make(Field& f, Move m);

} // namespace levelplay
