#include "LevelPlayers.h"

#include "board/Field.h"
#include "platform/Random.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace levelplay {

namespace {

constexpr float frameMs = 16.0f;
// The copies run at a slower frame rate: the same rules in fewer updates.
constexpr float copyFrameMs = 48.0f;
constexpr int moveCap = 1500;

bool matches(int colour, int other) {
    return other == colour || other >= Ball::Joker || colour >= Ball::Joker;
}

// What the players look at, read from the field once per decision: per
// position whether it is a cell, the colour of a resting ball on it (-1 for
// none, busy for a ball on its way or going), its fill and the steps along
// the axes.
struct Board {
    static constexpr int noCell = -2;
    static constexpr int busy = 99;
    int colours = 0;
    std::vector<int> colour;
    std::vector<CellBack::Fill> fill;
    std::vector<Cell> cells;
    // step[2 * axis + (forward ? 0 : 1)][index]: the position one step on, or -1.
    std::array<std::vector<int>, 2 * HexGeometry::axisCount> step;

    explicit Board(const Field& f) : colours(f.colours()) {
        const HexGeometry& g = f.geometry();
        const std::size_t size = static_cast<std::size_t>(g.tableSize());
        colour.assign(size, noCell);
        fill.assign(size, CellBack::Fill::Filled);
        for (auto& s : step) {
            s.assign(size, -1);
        }
        for (int r = 0; r < f.rows(); ++r) {
            for (int c = 0; c < f.width(r); ++c) {
                if (!f.isCell(r, c)) {
                    continue;
                }
                const int i = g.index(r, c);
                const Ball* b = f.ballAt(r, c);
                colour[i] = !b ? -1 : b->isIdle() ? b->colour : busy;
                fill[i] = f.cellBackAt(r, c)->fill;
                cells.push_back({r, c});
            }
        }
        for (Cell p : cells) {
            for (int a = 0; a < HexGeometry::axisCount; ++a) {
                for (int d = 0; d < 2; ++d) {
                    Cell n = g.step(p, static_cast<HexGeometry::Axis>(a), d == 0);
                    if (g.contains(n) && colour[g.index(n)] != noCell) {
                        step[2 * a + d][g.index(p)] = g.index(n);
                    }
                }
            }
        }
    }
};

// The run through `to` on one axis; `room` is how far the run could grow
// through free cells and matching balls, so a pair against a wall counts less.
struct Run {
    int length = 1;
    int room = 1;
    int unfinished = 0;
};

Run runOn(const Board& b, int from, int to, int colour, int axis) {
    Run run;
    run.unfinished = b.fill[to] != CellBack::Fill::Filled;
    for (int d = 0; d < 2; ++d) {
        const std::vector<int>& next = b.step[2 * axis + d];
        bool joined = true;
        for (int p = next[to]; p >= 0 && run.room < 5; p = next[p]) {
            const int k = p == from ? -1 : b.colour[p];
            if (k >= 0 && k != Board::busy && matches(colour, k)) {
                run.length += joined;
                run.unfinished += joined && b.fill[p] != CellBack::Fill::Filled;
            } else if (k >= 0) {
                break;
            } else {
                joined = false;
            }
            ++run.room;
        }
    }
    return run;
}

// The colours a moved ball can make a line in: its own, or for a joker and
// the special balls whichever colour the neighbours offer.
int firstColour(int colour) {
    return colour < Ball::Joker ? colour : 0;
}
int lastColour(const Board& b, int colour) {
    return colour < Ball::Joker ? colour : b.colours - 1;
}

int runAfter(const Board& b, int from, int to) {
    int longest = 1;
    const int own = b.colour[from];
    for (int k = firstColour(own); k <= lastColour(b, own); ++k) {
        for (int a = 0; a < HexGeometry::axisCount; ++a) {
            longest = std::max(longest, runOn(b, from, to, k, a).length);
        }
    }
    return longest;
}

// What the careful player sees in a move before trying it: lines first
// (longer and over unfinished cells better), then pairs with room to grow.
int staticValue(const Board& b, int from, int to) {
    int best = 0;
    const int own = b.colour[from];
    for (int k = firstColour(own); k <= lastColour(b, own); ++k) {
        int value = 0;
        int longest = 0;
        int unfinished = 0;
        for (int a = 0; a < HexGeometry::axisCount; ++a) {
            Run run = runOn(b, from, to, k, a);
            if (run.length >= 3) {
                longest = std::max(longest, run.length);
                unfinished += run.unfinished;
            } else if (run.length == 2 && run.room >= 3) {
                value += 20;
            }
        }
        if (longest >= 3) {
            value = 1000 + 100 * longest + 10 * unfinished;
        }
        best = std::max(best, value);
    }
    best += b.fill[to] != CellBack::Fill::Filled ? 3 : 0;
    best += b.fill[from] == CellBack::Fill::Filled ? 2 : 0;
    return best;
}

struct Choice {
    int from;
    int to;
    Move move;
};

// Every selectable ball to every free cell joined to it by free cells: a
// ball reaches each group of free cells next to it.
std::vector<Choice> choices(const Board& b, const HexGeometry& g) {
    std::vector<int> group(b.colour.size(), -1);
    std::vector<std::vector<int>> groups;
    auto isFree = [&](Cell n) { return g.contains(n) && b.colour[g.index(n)] == -1; };
    for (Cell p : b.cells) {
        if (b.colour[g.index(p)] != -1 || group[g.index(p)] >= 0) {
            continue;
        }
        const int id = static_cast<int>(groups.size());
        std::vector<Cell> todo{p};
        groups.push_back({g.index(p)});
        group[g.index(p)] = id;
        while (!todo.empty()) {
            const Cell q = todo.back();
            todo.pop_back();
            for (Cell n : g.neighbours(q)) {
                if (isFree(n) && group[g.index(n)] < 0) {
                    group[g.index(n)] = id;
                    groups[id].push_back(g.index(n));
                    todo.push_back(n);
                }
            }
        }
    }
    std::vector<Choice> all;
    for (Cell p : b.cells) {
        const int from = g.index(p);
        const int k = b.colour[from];
        if (k < 0 || k == Board::busy || b.fill[from] == CellBack::Fill::Locked) {
            continue;
        }
        int seen[6];
        int seenCount = 0;
        for (Cell n : g.neighbours(p)) {
            if (!isFree(n)) {
                continue;
            }
            const int id = group[g.index(n)];
            if (std::find(seen, seen + seenCount, id) != seen + seenCount) {
                continue;
            }
            seen[seenCount++] = id;
            for (int to : groups[id]) {
                all.push_back({from, to, {p, {to / g.columns(), to % g.columns()}}});
            }
        }
    }
    return all;
}

int freeCellCount(const Board& b) {
    return static_cast<int>(std::count(b.colour.begin(), b.colour.end(), -1));
}

// Explosions still owed: a locked cell needs three, an empty one two.
int workLeft(const Board& b) {
    int work = 0;
    for (std::size_t i = 0; i < b.fill.size(); ++i) {
        if (b.colour[i] != Board::noCell) {
            work += b.fill[i] == CellBack::Fill::Locked  ? 3
                    : b.fill[i] == CellBack::Fill::Empty ? 2
                    : b.fill[i] == CellBack::Fill::Half  ? 1
                                                         : 0;
        }
    }
    return work;
}

// Runs updates until the field is ready for a move or has ended.
void settle(Field& f, int limit, float dt) {
    for (int i = 0; i < limit && !f.isFinished() && !isSettled(f); ++i) {
        f.update(dt);
    }
}

} // namespace

bool isSettled(const Field& f) {
    if (f.state() != Field::State::Play || f.effectCount() != 0) {
        return false;
    }
    // Asked after every update: the ball table as a whole, cell by cell.
    const auto& balls = f.board().balls();
    return std::none_of(balls.begin(), balls.end(),
                        [](const auto& b) { return b && !b->isIdle(); });
}

std::vector<Move> legalMoves(const Field& f) {
    std::vector<Move> moves;
    for (const Choice& c : choices(Board(f), f.geometry())) {
        moves.push_back(c.move);
    }
    return moves;
}

int runAfter(const Field& f, Move m) {
    const HexGeometry& g = f.geometry();
    return runAfter(Board(f), g.index(m.from), g.index(m.to));
}

bool make(Field& f, Move m) {
    if (f.selectBall(m.from.row, m.from.col) < 0) {
        return false;
    }
    const bool moved = f.moveSelectedTo(m.to.row, m.to.col);
    f.deselectAll();
    return moved;
}

bool LineTaker::move(Field& f) {
    const Board board(f);
    const std::vector<Choice> all = choices(board, f.geometry());
    if (all.empty()) {
        return false;
    }
    // Any line will do: seeking out the fours and fives that leave special
    // balls behind is already a plan, and plans are the careful player's.
    std::vector<Move> lines;
    for (const Choice& c : all) {
        if (runAfter(board, c.from, c.to) >= 3) {
            lines.push_back(c.move);
        }
    }
    if (!lines.empty()) {
        return make(f, lines[rng_() % lines.size()]);
    }
    // A random ball, then a random cell it can reach, so that a ball with
    // much room is not favoured.
    std::vector<int> balls;
    for (const Choice& c : all) {
        if (balls.empty() || balls.back() != c.from) {
            balls.push_back(c.from);
        }
    }
    const int from = balls[rng_() % balls.size()];
    std::vector<Move> mine;
    for (const Choice& c : all) {
        if (c.from == from) {
            mine.push_back(c.move);
        }
    }
    return make(f, mine[rng_() % mine.size()]);
}

// Tries the move on a copy restored from the field as a saved game would
// restore it and weighs where it leaves the board once the next balls have
// landed.
double CarefulPlayer::afterMove(const Field& f, Move m, int workBefore) const {
    Field copy(f.level(), file_, static_cast<unsigned>(Random::rand()));
    if (!copy.loadFrom(f)) {
        return -1e9;
    }
    // The restored board sweeps in; let it settle before the move. Nothing
    // but the pace of the animations depends on the frame time.
    copy.update(10000.0f);
    settle(copy, 2000, copyFrameMs);
    if (!make(copy, m)) {
        return -1e9;
    }
    settle(copy, 20000, copyFrameMs);
    if (copy.isFinished()) {
        return copy.isComplete() ? 1e9 : -1e9;
    }
    const Board after(copy);
    const int free = freeCellCount(after);
    double value = 30.0 * (workBefore - workLeft(after)) + 4.0 * free;
    if (free < 12) {
        value -= 40.0 * (12 - free);
    }
    // Room to go on: the best next move, and how many cells a line can
    // still be made on, since the balls after next are not known yet.
    int nextBest = 0;
    std::vector<char> lineCell(after.colour.size(), 0);
    for (const Choice& c : choices(after, copy.geometry())) {
        const int v = staticValue(after, c.from, c.to);
        nextBest = std::max(nextBest, v);
        lineCell[c.to] |= v >= 1000;
    }
    const int lineCells = static_cast<int>(std::count(lineCell.begin(), lineCell.end(), 1));
    return value + nextBest / 20.0 + 15.0 * std::min(lineCells, 6);
}

bool CarefulPlayer::move(Field& f) {
    const Board board(f);
    const std::vector<Choice> all = choices(board, f.geometry());
    if (all.empty()) {
        return false;
    }
    std::vector<std::pair<int, std::size_t>> ranked;
    for (std::size_t i = 0; i < all.size(); ++i) {
        // A little noise breaks ties without favouring the top-left corner.
        ranked.push_back(
            {staticValue(board, all[i].from, all[i].to) * 8 + static_cast<int>(rng_() % 8), i});
    }
    const std::size_t tried = std::min<std::size_t>(lookahead, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + tried, ranked.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    // The copies reseed the shared generator; the real game goes on from a
    // seed drawn before them, so it stays a function of its own seed.
    const unsigned resume = static_cast<unsigned>(Random::rand());
    const int workBefore = workLeft(board);
    std::size_t choice = ranked[0].second;
    double best = -2e9;
    for (std::size_t k = 0; k < tried; ++k) {
        const double value = afterMove(f, all[ranked[k].second].move, workBefore);
        if (value > best) {
            best = value;
            choice = ranked[k].second;
        }
    }
    Random::seed(resume);
    return make(f, all[choice].move);
}

Outcome play(const LevelFile& file, int level, unsigned seed, Player& player) {
    Field f(level, file, seed);
    Outcome out;
    for (int step = 0; step < 400000 && out.moves < moveCap && !f.isFinished(); ++step) {
        if (isSettled(f)) {
            if (out.moves == 0 && f.score() != 0) {
                out.bonusBeforeMove = true;
            }
            if (!player.move(f)) {
                break;
            }
            ++out.moves;
        }
        f.update(frameMs);
    }
    out.complete = f.isComplete();
    return out;
}

} // namespace levelplay
