#include "board/BallDealer.h"

#include "board/Board.h"
#include "board/LinePlan.h"
#include "platform/Random.h"

namespace {

constexpr int maxColourTries = 50;

void landPopping(Board& board, Cell cell, std::unique_ptr<Ball> ball) {
    ball->startPopping();
    ball->delay = 0.0f;
    board.put(cell, std::move(ball));
}

} // namespace

int BallDealer::dealStartingBalls(Board& board, LinePlan& plan, const DealRules& rules,
                                  std::vector<Cell> candidates, int lockedCount, int fillPercent) {
    const int cellCount = board.cellCount();
    double wanted = static_cast<double>(cellCount) / 100.0 * fillPercent;
    int target = wanted >= cellCount ? cellCount : static_cast<int>(wanted);
    if (target < lockedCount) {
        target = lockedCount;
    }

    int remaining = lockedCount;
    for (int n = 0; n < target && !candidates.empty(); ++n) {
        std::size_t pick =
            remaining >= 1 ? 0 : static_cast<std::size_t>(Random::rand()) % candidates.size();
        Cell cell = candidates[pick];
        int colour = 0;
        for (int attempt = 1;; ++attempt) {
            colour = Random::rand() % rules.colours;
            if (!plan.wouldMakeLine(board, cell, colour) || attempt == maxColourTries) {
                break;
            }
        }
        auto ball = std::make_unique<Ball>(colour, board.geometry().centre(cell));
        ball->startPopping();
        board.put(cell, std::move(ball));
        plan.set(board, cell, colour);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
        --remaining;
    }
    return target;
}

void BallDealer::choose(const Board& board, LinePlan& plan, const DealRules& rules) {
    plan.rebuild(board);
    const int ballCount = board.ballCount();
    std::vector<Cell> free = board.freeCells();

    int n = Random::rand() % 4 + 3;
    if (ballCount + n < rules.minBalls) {
        n += rules.minBalls - ballCount;
    }
    n = std::min(n, static_cast<int>(free.size()));
    for (int i = 0; i < n; ++i) {
        std::size_t pick = 0;
        int colour = 0;
        for (int attempt = 1;; ++attempt) {
            pick = static_cast<std::size_t>(Random::rand()) % free.size();
            colour = Random::rand() % rules.colours;
            if (Random::rand() % 100 < rules.jokerPercent) {
                colour = Ball::Joker;
            }
            if (!plan.wouldMakeLine(board, free[pick], colour) || attempt == maxColourTries) {
                break;
            }
        }
        Cell cell = free[pick];
        next_.push_back(std::make_unique<Ball>(colour, board.geometry().centre(cell)));
        plan.set(board, cell, colour);
        free.erase(free.begin() + static_cast<std::ptrdiff_t>(pick));
    }
}

void BallDealer::place(Board& board, std::vector<Cell>& landed) {
    std::vector<std::unique_ptr<Ball>> blocked;
    for (auto& ball : next_) {
        Cell cell = board.geometry().cellAt(ball->point);
        if (!board.isCell(cell) || board.ballAt(cell)) {
            blocked.push_back(std::move(ball));
            continue;
        }
        landPopping(board, cell, std::move(ball));
        landed.push_back(cell);
    }
    next_.clear();

    // A ball whose cell was taken lands on a random free cell, if any is left.
    if (blocked.empty()) {
        return;
    }
    std::vector<Cell> free = board.freeCells();
    for (auto& ball : blocked) {
        if (free.empty()) {
            break;
        }
        std::size_t pick = static_cast<std::size_t>(Random::rand()) % free.size();
        Cell cell = free[pick];
        ball->point = board.geometry().centre(cell);
        landPopping(board, cell, std::move(ball));
        landed.push_back(cell);
        free.erase(free.begin() + static_cast<std::ptrdiff_t>(pick));
    }
}
