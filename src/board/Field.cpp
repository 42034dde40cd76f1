// One level in play: the rules that tie the board's units together.
//
// Sections, in file order:
//   Construction    the level's board, its first balls and the sweep delays
//   Contents        reading and taking balls
//   Moves           selection, the move, the path preview and its search
//   New balls       choosing and landing the next balls
//   The update      balls, lines, explosions, effects, the state and scores
//   End of a level  the summary's click and clearing the board
//   Saved games     save and restore through FieldSave
#include "board/Field.h"

#include "audio/CSoundManager.h"
#include "board/Blast.h"
#include "board/ColourBomb.h"
#include "board/EffectLayer.h"
#include "board/FieldSave.h"
#include "board/SoundIds.h"
#include "persist/Settings.h"
#include "platform/Random.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace {

constexpr float sweepMsPerPixel = 4.0f;
constexpr float settledDelay = 0.001f;
constexpr float markerFade = 0.04f;
constexpr float chainDisplayStep = 0.01f;
constexpr int chainLength = 5;
constexpr int chainExplosions = 4;
constexpr int firstLinePoints = 10;
constexpr int linePointsStep = 2;
constexpr int lineShake = 16;
constexpr int chainShake = 8;
constexpr int emptyBoardReward = 25000;
constexpr Point emptyBoardRewardPoint{400.0f, 300.0f};
constexpr float smallText = 24.0f;
constexpr float bigText = 42.0f;

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Whether the player has a move: an idle ball off the locked cells next to a
// free cell. A ball still busy counts as one, since it may free cells yet.
bool anyMovePossible(const Board& board) {
    const HexGeometry& g = board.geometry();
    for (int r = 0; r < g.rows(); ++r) {
        for (int c = 0; c < g.width(r); ++c) {
            const Ball* ball = board.ballAt(r, c);
            if (!ball || board.cellBackAt(r, c)->fill == CellBack::Fill::Locked) {
                continue;
            }
            if (!ball->isIdle()) {
                return true;
            }
            for (const Cell n : g.neighbours({r, c})) {
                if (board.isCell(n) && !board.ballAt(n)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// A floating text rises by a random 0.25 to 0.5 px per update.
Point risingVelocity() {
    return {0.0f, -(static_cast<float>(Random::rand() % 100) / 400.0f + 0.25f)};
}

} // namespace

Field::Field(int level) : Field(level, LevelFile::read(level)) {}

Field::Field(int level, const LevelFile& file) : level_(level) {
    Random::seedFromClock();
    build(file);
}

Field::Field(int level, const LevelFile& file, unsigned seed) : level_(level) {
    Random::seed(seed);
    build(file);
}

Field::~Field() = default;

// ---------------------------------------------------------------------------
// Construction

void Field::build(const LevelFile& given) {
    const LevelFile& file = given.isValid() ? given : LevelFile::fallback();
    rules_.colours = file.colours;
    rules_.jokerPercent = file.jokerPercent;
    board_ = Board(file);
    plan_.rebuild(board_);

    // Locked cells come first among the candidates for the starting balls.
    std::vector<Cell> candidates = board_.cells();
    auto unlocked = std::stable_partition(candidates.begin(), candidates.end(), [this](Cell p) {
        return board_.cellBackAt(p)->fill == CellBack::Fill::Locked;
    });
    int lockedCount = static_cast<int>(unlocked - candidates.begin());
    rules_.minBalls = BallDealer::dealStartingBalls(board_, plan_, rules_, std::move(candidates),
                                                    lockedCount, file.fillPercent);

    chooseNewCells();
    setSweepDelays();
    state_ = State::Intro;
    summaryAlpha_ = 0.0f;
    summaryFadeStep_ = 0.04f;
    if (Settings* settings = Settings::instance();
        settings != nullptr && settings->level < level_) {
        settings->level = level_;
    }
}

// Cells and their balls appear, and later vanish, from left to right at
// 4 ms per pixel.
void Field::setSweepDelays() {
    const auto& backs = board_.cellBacks();
    const auto& balls = board_.balls();
    float left = 1024.0f;
    for (const auto& back : backs) {
        if (back && back->point.x < left) {
            left = back->point.x;
        }
    }
    for (std::size_t i = 0; i < backs.size(); ++i) {
        if (!backs[i]) {
            continue;
        }
        float delay = (backs[i]->point.x - left + 1.0f) * sweepMsPerPixel;
        backs[i]->delay = delay;
        if (balls[i]) {
            balls[i]->delay = delay;
        }
    }
}

// ---------------------------------------------------------------------------
// Contents

int Field::ballColourAt(int r, int c) const {
    Ball* ball = ballAt(r, c);
    return ball ? ball->colour : -1;
}

std::unique_ptr<Ball> Field::takeBall(Cell p) {
    std::unique_ptr<Ball> ball = board_.take(p);
    if (ball && ball.get() == lastMovedBall_) {
        lastMovedBall_ = nullptr;
    }
    return ball;
}

// ---------------------------------------------------------------------------
// Moves

int Field::selectBall(int r, int c) {
    if (!effects_.empty() || state_ != State::Play) {
        return -1;
    }
    Ball* ball = ballAt(r, c);
    CellBack* back = isCell(r, c) ? cellBackAt(r, c) : nullptr;
    if (ball && ball->isIdle() && back->fill != CellBack::Fill::Locked) {
        if (anyBallMoving()) {
            return -1;
        }
        deselectAll();
        ball->selected = true;
        return ball->colour;
    }
    if (back && back->fill == CellBack::Fill::Locked) {
        if (EffectLayer* layer = EffectLayer::instance()) {
            layer->addText("CELL LOCKED", centre(r, c), smallText, risingVelocity(), Rgba{});
        }
    }
    return -1;
}

bool Field::isSelectedAt(int r, int c) const {
    Ball* ball = ballAt(r, c);
    return ball && ball->selected;
}

bool Field::findSelected(Cell& cell) const {
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            if (isSelectedAt(r, c)) {
                cell = {r, c};
                return true;
            }
        }
    }
    return false;
}

Ball* Field::selectedBall() const {
    Cell cell;
    return findSelected(cell) ? ballAt(cell) : nullptr;
}

void Field::deselectAll() {
    for (const auto& ball : board_.balls()) {
        if (ball) {
            ball->selected = false;
        }
    }
}

bool Field::anyBallMoving() const {
    const auto& balls = board_.balls();
    return std::any_of(balls.begin(), balls.end(),
                       [](const auto& ball) { return ball && ball->state == Ball::State::Moving; });
}

bool Field::moveSelectedTo(int r, int c) {
    idleMs_ = 0;
    Cell from;
    if (!isCell(r, c) || ballAt(r, c) || !findSelected(from)) {
        return false;
    }
    Ball* ball = ballAt(from);
    // A ball selected earlier may have been caught in a line or in the
    // clearing of the board since; only a resting ball in play may leave.
    if (state_ != State::Play || !ball->isIdle()) {
        return false;
    }
    for (const auto& b : board_.balls()) {
        if (b) {
            b->movedByPlayer = false;
        }
    }
    std::vector<Cell> path;
    if (!findPath(from.row, from.col, r, c, path)) {
        return false;
    }
    for (std::size_t i = 1; i < path.size(); ++i) {
        ball->waypoints.push_back(centre(path[i].row, path[i].col));
    }
    ball->selected = false;
    ball->state = Ball::State::Moving;
    ball->movedByPlayer = true;
    board_.put({r, c}, takeBall(from));
    return true;
}

void Field::previewPath(int x, int y) {
    for (const auto& marker : board_.pathMarkers()) {
        if (marker) {
            marker->fadeStep = -markerFade;
        }
    }
    int r = rowAt(y);
    int c = columnAt(x, y);
    Cell from;
    if (!isCell(r, c) || !findSelected(from)) {
        previewPath_.clear();
        return;
    }
    idleMs_ = 0;
    std::vector<Cell> path;
    if (!findPath(from.row, from.col, r, c, path)) {
        previewPath_.clear();
        return;
    }
    for (Cell p : path) {
        board_.pathMarkerAt(p.row, p.col)->fadeStep = markerFade;
    }
    previewPath_ = std::move(path);
}

bool Field::findPath(int r0, int c0, int r1, int c1, std::vector<Cell>& path) {
    return pathSearch_.find(board_, {r0, c0}, {r1, c1}, previewPath_, path);
}

bool Field::wouldMakeLine(int r, int c, int colour) {
    return plan_.wouldMakeLine(board_, {r, c}, colour);
}

// ---------------------------------------------------------------------------
// New balls

void Field::chooseNewCells() {
    dealer_.choose(board_, plan_, rules_);
    previewAlpha_ = 0.0f;
}

void Field::placeNewCells() {
    dealer_.place(board_, landing_);
    state_ = State::Landing;
}

// ---------------------------------------------------------------------------
// The update

void Field::update(float elapsedMs) {
    const float dt = std::isfinite(elapsedMs) ? elapsedMs : 0.0f;
    // Whole milliseconds of the frame; the counters saturate instead of wrapping.
    const int wholeMs = static_cast<int>(std::clamp(dt, -1.0e9f, 1.0e9f));
    auto addMs = [wholeMs](int counter) {
        return static_cast<int>(
            std::clamp<long long>(static_cast<long long>(counter) + wholeMs, INT_MIN, INT_MAX));
    };

    float chainTarget = static_cast<float>(chainCounter_) / 4.0f;
    if (chainDisplay_ < chainTarget) {
        chainDisplay_ = std::min(chainDisplay_ + chainDisplayStep, chainTarget);
    } else if (chainDisplay_ > chainTarget) {
        chainDisplay_ = std::max(chainDisplay_ - chainDisplayStep, chainTarget);
    }
    idleMs_ = std::max(0, addMs(idleMs_));
    if (state_ == State::Play && !finished_) {
        stats_.timeOnLevel = addMs(stats_.timeOnLevel);
    }
    if (state_ == State::Play || state_ == State::LevelOver) {
        previewAlpha_ = clamp01(previewAlpha_ + previewFadeStep_);
    }

    updateBalls(dt);
    advanceState();
    if (state_ != State::LevelOver) {
        removeExplodedBalls();
    }
    findLines(arrived_);
    updateEffects(dt);
    testEndOfLevel();
    rewardEmptyBoard();
}

// Balls, cells and marks, noting the arrival of a moved ball.
void Field::updateBalls(float dt) {
    arrived_ = false;
    for (const auto& ball : board_.balls()) {
        if (!ball) {
            continue;
        }
        bool wasMoving = ball->state == Ball::State::Moving;
        if (wasMoving) {
            Cell under = geometry().cellAt(ball->point);
            if (PathMarker* marker = pathMarkerAt(under.row, under.col)) {
                marker->fadeStep = -markerFade;
            }
        }
        ball->update(dt);
        if (wasMoving && ball->state != Ball::State::Moving) {
            lastMovedBall_ = ball.get();
            arrived_ = true;
        }
    }
    for (const auto& back : board_.cellBacks()) {
        if (back) {
            back->update(dt);
        }
    }
    for (const auto& marker : board_.pathMarkers()) {
        if (marker) {
            marker->update();
        }
    }
    shake_.update();
}

void Field::advanceState() {
    if (state_ == State::Intro && allCellBacksSettled()) {
        state_ = State::Play;
    }
    if (state_ == State::LevelOver) {
        summaryAlpha_ = clamp01(summaryAlpha_ + summaryFadeStep_);
        const auto& balls = board_.balls();
        bool allExploded = std::all_of(balls.begin(), balls.end(), [](const auto& ball) {
            return !ball || ball->state == Ball::State::Exploded;
        });
        if (allCellBacksSettled() && allExploded) {
            state_ = State::Play;
        }
    }
    if (state_ == State::Landing) {
        std::erase_if(landing_, [this](Cell p) {
            Ball* ball = ballAt(p);
            return !ball || ball->isIdle();
        });
        if (landing_.empty()) {
            state_ = State::Play;
            chooseNewCells();
        }
    }
}

bool Field::allCellBacksSettled() const {
    const auto& backs = board_.cellBacks();
    return std::all_of(backs.begin(), backs.end(),
                       [](const auto& back) { return !back || back->delay <= settledDelay; });
}

void Field::removeExplodedBalls() {
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            Ball* ball = ballAt(r, c);
            if (!ball || ball->state != Ball::State::Exploded) {
                continue;
            }
            int becomes = ball->becomes;
            takeBall({r, c});
            CellBack* back = cellBackAt(r, c);
            back->fill = CellBack::fillAfterExplosion(back->fill);
            if (becomes == Ball::ColourBomb || becomes == Ball::BlastBall) {
                auto special = std::make_unique<Ball>(becomes, centre(r, c));
                special->startPopping();
                special->delay = 0.0f;
                board_.put({r, c}, std::move(special));
            }
        }
    }
}

void Field::findLines(bool arrived) {
    std::vector<Cell> explosions = lineFinder_.find(board_, [this](const Ball& special,
                                                                   int lineColour) {
        if (special.colour == Ball::BlastBall) {
            startEffect(std::make_unique<Blast>(*this, special.point, Blast::ballRadius),
                        lineShake);
        } else {
            startEffect(std::make_unique<ColourBomb>(*this, special.point, lineColour), lineShake);
        }
    });
    if (explosions.size() >= static_cast<std::size_t>(chainExplosions)) {
        stats_.countChain();
    }
    if (!explosions.empty()) {
        CSoundManager::instance()->play(SoundIds::glassBreaks, true, false);
    }
    int points = firstLinePoints;
    for (Cell p : explosions) {
        ballAt(p)->startExploding(true);
        addScore(points, centre(p.row, p.col), false);
        points += linePointsStep;
    }

    // A ball that arrives after the level has ended lands no new balls.
    if (!arrived || finished_) {
        return;
    }
    placeNewCells();
    if (explosions.empty()) {
        chainCounter_ = 0;
    } else if (++chainCounter_ == chainLength) {
        chainCounter_ = 0;
        if (lastMovedBall_) {
            startEffect(std::make_unique<Blast>(*this, lastMovedBall_->point, Blast::chainRadius),
                        chainShake);
        }
    }
}

void Field::startEffect(std::unique_ptr<Effect> effect, int shake) {
    effects_.push_back(std::move(effect));
    shake_.raise(shake);
}

void Field::updateEffects(float elapsedMs) {
    for (std::size_t i = 0; i < effects_.size();) {
        if (effects_[i]->update(elapsedMs)) {
            effects_.erase(effects_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void Field::testEndOfLevel() {
    if (!effects_.empty() || state_ != State::Play || finished_) {
        return;
    }
    const auto& backs = board_.cellBacks();
    const auto& balls = board_.balls();
    bool allFilled = std::all_of(backs.begin(), backs.end(), [](const auto& back) {
        return !back || back->fill == CellBack::Fill::Filled;
    });
    if (allFilled) {
        finished_ = true;
        complete_ = true;
        state_ = State::LevelOver;
        stats_.computeBonuses();
        return;
    }
    bool full = true;
    for (std::size_t i = 0; i < backs.size() && full; ++i) {
        full = !backs[i] || (balls[i] && balls[i]->isIdle());
    }
    if (full) {
        finished_ = true;
        complete_ = false;
        state_ = State::LevelOver;
    }
}

void Field::rewardEmptyBoard() {
    if (state_ != State::Play || finished_) {
        return;
    }
    const auto& balls = board_.balls();
    bool empty = true;
    for (std::size_t i = 0; i < balls.size() && empty; ++i) {
        empty = !balls[i] || board_.cellBacks()[i]->fill == CellBack::Fill::Locked;
    }
    // No ball can go anywhere although the board has room (one of two
    // islands full and the other empty, say): the level would never end, so
    // the next balls drop as after a move, without the reward.
    if (!empty && (!effects_.empty() || anyMovePossible(board_))) {
        return;
    }
    // The last landing may have found the board full and chosen nothing;
    // once the effects are over nothing else can bring balls.
    if (newCells().empty() && effects_.empty()) {
        chooseNewCells();
    }
    // Still none: the board is full of locked balls (or an effect runs).
    if (newCells().empty()) {
        return;
    }
    placeNewCells();
    if (empty) {
        addScore(emptyBoardReward, emptyBoardRewardPoint, true);
    }
}

void Field::addScore(int points, Point at, bool big) {
    stats_.addPoints(points);
    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->addText(std::to_string(points), at, big ? bigText : smallText, risingVelocity(),
                       Rgba{});
    }
}

// ---------------------------------------------------------------------------
// The end of a level

void Field::onClick(int /*x*/, int /*y*/) {
    if (state_ != State::LevelOver || levelOverClicked_) {
        return;
    }
    clearBoard();
    levelOverClicked_ = true;
}

void Field::clearBoard() {
    previewFadeStep_ = -0.04f;
    summaryFadeStep_ = -0.04f;
    for (const auto& back : board_.cellBacks()) {
        if (back) {
            back->fadeStep = -0.05f;
        }
    }
    for (const auto& ball : board_.balls()) {
        if (ball) {
            ball->startExploding(false);
        }
    }
    setSweepDelays();
}

// ---------------------------------------------------------------------------
// Saved games

void Field::save(PropertyFile& props) const {
    FieldSave::write(props, board_, state_ == State::LevelOver, dealer_.next(), stats_);
}

bool Field::load(const PropertyFile& props) {
    bool nextRestored = false;
    if (!FieldSave::read(props, rules_.colours, board_, dealer_, stats_, nextRestored)) {
        return false;
    }
    restored(nextRestored);
    return true;
}

bool Field::loadFrom(const Field& other) {
    bool nextRestored = false;
    if (other.rules_.colours != rules_.colours ||
        !FieldSave::copy(other.board_, other.state_ == State::LevelOver, other.dealer_.next(),
                         other.stats_, board_, dealer_, stats_, nextRestored)) {
        return false;
    }
    restored(nextRestored);
    return true;
}

void Field::restored(bool nextRestored) {
    landing_.clear();
    lastMovedBall_ = nullptr;
    if (!nextRestored) {
        chooseNewCells();
    }
    setSweepDelays();
}
