#include "board/Field.h"

#include "audio/CSoundManager.h"
#include "board/Blast.h"
#include "board/ColourBomb.h"
#include "board/EffectLayer.h"
#include "board/SoundIds.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "platform/Random.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <string>

namespace {

constexpr int maxColourTries = 50;
constexpr float sweepMsPerPixel = 4.0f;
constexpr float settledDelay = 0.001f;
constexpr float markerFade = 0.04f;
constexpr float chainDisplayStep = 0.01f;
constexpr int chainLength = 5;
constexpr int chainBonusPerChain = 1250;
constexpr int timeBonusFactor = 20000;
constexpr int firstLinePoints = 10;
constexpr int linePointsStep = 2;
constexpr int lineShake = 16;
constexpr int chainShake = 8;
constexpr int bombLine = 4;
constexpr int blastLine = 5;
constexpr int emptyBoardReward = 25000;
constexpr Point emptyBoardRewardPoint{400.0f, 300.0f};
constexpr float smallText = 24.0f;
constexpr float bigText = 42.0f;

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// A floating text rises by a random 0.25 to 0.5 px per update.
Point risingVelocity() {
    return {0.0f, -(static_cast<float>(Random::rand() % 100) / 400.0f + 0.25f)};
}

int fillOfMapCharacter(char ch) {
    switch (ch) {
    case '0':
        return CellBack::Empty;
    case '1':
        return CellBack::Half;
    case '2':
        return CellBack::Filled;
    case '4':
        return CellBack::Locked;
    default:
        return -1;
    }
}

// Reads an integer at pos the way "%d" does: leading whitespace, an optional
// sign, decimal digits, saturating at the int range. Never reads past the
// text; false when no digit follows.
bool readInt(const std::string& text, std::size_t& pos, int& value) {
    std::size_t p = pos;
    while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) {
        ++p;
    }
    bool negative = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p]))) {
        return false;
    }
    long long v = 0;
    while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p]))) {
        v = std::min<long long>(v * 10 + (text[p] - '0'), 1LL << 32);
        ++p;
    }
    v = negative ? -v : v;
    value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    pos = p;
    return true;
}

// The next blank at or after from, or npos.
std::size_t nextBlank(const std::string& text, std::size_t from) {
    return from >= text.size() ? std::string::npos : text.find(' ', from);
}

const char* const keyField = "field.field";
const char* const keyCellBacks = "field.cellBacks";
const char* const keyNewCells = "field.newCells";
const char* const keyScore = "field.score";
const char* const keyScoreOnLevel = "field.m_statScoreOnLevel";
const char* const keyBallsExploded = "field.m_statBallsExploded";
const char* const keyTimeOnLevel = "field.m_statTimeOnLevel";
const char* const keyTimeBonus = "field.m_statTimeBonus";
const char* const keyChains = "field.m_statChains";
const char* const keyChainBonus = "field.m_statChainBonus";

} // namespace

Field::Field(int level) : Field(level, LevelFile::read(level)) {}

Field::Field(int level, const LevelFile& file) : m_level(level) {
    Random::seedFromClock();
    build(file);
}

Field::Field(int level, const LevelFile& file, unsigned seed) : m_level(level) {
    Random::seed(seed);
    build(file);
}

Field::~Field() = default;

// ---------------------------------------------------------------------------
// Construction

void Field::build(const LevelFile& given) {
    const LevelFile& file = given.isValid() ? given : LevelFile::fallback();
    m_colours = file.colours;
    m_jokerPercent = file.jokerPercent;
    m_geometry = HexGeometry(file.rows, file.columns);
    std::size_t size = static_cast<std::size_t>(m_geometry.tableSize());
    m_balls.resize(size);
    m_plan.assign(size, -1);
    m_cellBacks.resize(size);
    m_pathMarkers.resize(size);

    // Locked cells come first among the candidates for the starting balls.
    std::vector<Cell> locked;
    std::vector<Cell> others;
    std::size_t mapIndex = 0;
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c, ++mapIndex) {
            char ch = mapIndex < file.map.size() ? file.map[mapIndex] : '\0';
            int fill = fillOfMapCharacter(ch);
            if (fill < 0) {
                continue;
            }
            int i = m_geometry.index(r, c);
            m_cellBacks[i] = std::make_unique<CellBack>(fill, centre(r, c));
            m_pathMarkers[i] = std::make_unique<PathMarker>(centre(r, c));
            ++m_cellCount;
            (fill == CellBack::Locked ? locked : others).push_back({r, c});
        }
    }
    int lockedCount = static_cast<int>(locked.size());
    locked.insert(locked.end(), others.begin(), others.end());
    placeStartingBalls(std::move(locked), lockedCount, file.fillPercent);

    chooseNewCells();
    setSweepDelays();
    m_state = Intro;
    m_summaryAlpha = 0.0f;
    m_summaryFadeStep = 0.04f;
    if (Settings* settings = Settings::instance();
        settings != nullptr && settings->level < m_level) {
        settings->level = m_level;
    }
}

void Field::placeStartingBalls(std::vector<Cell> candidates, int lockedCount, int fillPercent) {
    double wanted = static_cast<double>(m_cellCount) / 100.0 * fillPercent;
    int target = wanted >= m_cellCount ? m_cellCount : static_cast<int>(wanted);
    if (target < lockedCount) {
        target = lockedCount;
    }
    m_minBalls = target;

    int remaining = lockedCount;
    for (int n = 0; n < target && !candidates.empty(); ++n) {
        std::size_t pick =
            remaining >= 1 ? 0 : static_cast<std::size_t>(Random::rand()) % candidates.size();
        Cell cell = candidates[pick];
        int colour = 0;
        for (int attempt = 1;; ++attempt) {
            colour = Random::rand() % m_colours;
            if (!wouldMakeLine(cell.row, cell.col, colour) || attempt == maxColourTries) {
                break;
            }
        }
        auto ball = std::make_unique<Ball>(colour, centre(cell.row, cell.col));
        ball->startPopping();
        putBall(cell, std::move(ball));
        m_plan[m_geometry.index(cell)] = colour;
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
        --remaining;
    }
}

// Cells and their balls appear, and later vanish, from left to right at
// 4 ms per pixel.
void Field::setSweepDelays() {
    float left = 1024.0f;
    for (const auto& back : m_cellBacks) {
        if (back && back->point.x < left) {
            left = back->point.x;
        }
    }
    for (std::size_t i = 0; i < m_cellBacks.size(); ++i) {
        if (!m_cellBacks[i]) {
            continue;
        }
        float delay = (m_cellBacks[i]->point.x - left + 1.0f) * sweepMsPerPixel;
        m_cellBacks[i]->delay = delay;
        if (m_balls[i]) {
            m_balls[i]->delay = delay;
        }
    }
}

// ---------------------------------------------------------------------------
// Contents

bool Field::isCell(int r, int c) const {
    return m_geometry.contains(r, c) && m_cellBacks[m_geometry.index(r, c)] != nullptr;
}

Ball* Field::ballAt(int r, int c) const {
    return isCell(r, c) ? m_balls[m_geometry.index(r, c)].get() : nullptr;
}

int Field::ballColourAt(int r, int c) const {
    Ball* ball = ballAt(r, c);
    return ball ? ball->colour : -1;
}

CellBack* Field::cellBackAt(int r, int c) const {
    return m_geometry.contains(r, c) ? m_cellBacks[m_geometry.index(r, c)].get() : nullptr;
}

PathMarker* Field::pathMarkerAt(int r, int c) const {
    return m_geometry.contains(r, c) ? m_pathMarkers[m_geometry.index(r, c)].get() : nullptr;
}

void Field::putBall(Cell p, std::unique_ptr<Ball> ball) {
    m_balls[m_geometry.index(p)] = std::move(ball);
}

std::unique_ptr<Ball> Field::takeBall(Cell p) {
    std::unique_ptr<Ball> ball = std::move(m_balls[m_geometry.index(p)]);
    if (ball && ball.get() == m_lastMovedBall) {
        m_lastMovedBall = nullptr;
    }
    return ball;
}

std::vector<Cell> Field::freeCells() const {
    std::vector<Cell> cells;
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            if (isCell(r, c) && !ballAt(r, c)) {
                cells.push_back({r, c});
            }
        }
    }
    return cells;
}

bool Field::isValidBallColour(int colour) const {
    return (colour >= 0 && colour < m_colours) ||
           (colour >= Ball::Joker && colour <= Ball::BlastBall);
}

// ---------------------------------------------------------------------------
// Moves

int Field::selectBall(int r, int c) {
    if (!m_effects.empty() || m_state != Play) {
        return -1;
    }
    Ball* ball = ballAt(r, c);
    CellBack* back = isCell(r, c) ? cellBackAt(r, c) : nullptr;
    if (ball && ball->isIdle() && back->fill != CellBack::Locked) {
        if (anyBallMoving()) {
            return -1;
        }
        deselectAll();
        ball->selected = true;
        return ball->colour;
    }
    if (back && back->fill == CellBack::Locked) {
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
    for (auto& ball : m_balls) {
        if (ball) {
            ball->selected = false;
        }
    }
}

bool Field::anyBallMoving() const {
    return std::any_of(m_balls.begin(), m_balls.end(),
                       [](const auto& ball) { return ball && ball->state == Ball::Moving; });
}

bool Field::moveSelectedTo(int r, int c) {
    m_idleMs = 0;
    Cell from;
    if (!isCell(r, c) || ballAt(r, c) || !findSelected(from)) {
        return false;
    }
    Ball* ball = ballAt(from);
    // A ball selected earlier may have been caught in a line or in the
    // clearing of the board since; only a resting ball in play may leave.
    if (m_state != Play || !ball->isIdle()) {
        return false;
    }
    for (auto& b : m_balls) {
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
    ball->state = Ball::Moving;
    ball->movedByPlayer = true;
    putBall({r, c}, takeBall(from));
    return true;
}

void Field::previewPath(int x, int y) {
    for (auto& marker : m_pathMarkers) {
        if (marker) {
            marker->fadeStep = -markerFade;
        }
    }
    int r = rowAt(y);
    int c = columnAt(x, y);
    Cell from;
    if (!isCell(r, c) || !findSelected(from)) {
        m_previewPath.clear();
        return;
    }
    m_idleMs = 0;
    std::vector<Cell> path;
    if (!findPath(from.row, from.col, r, c, path)) {
        m_previewPath.clear();
        return;
    }
    for (Cell p : path) {
        m_pathMarkers[m_geometry.index(p)]->fadeStep = markerFade;
    }
    m_previewPath = std::move(path);
}

// Breadth-first from the target, so that the distances found lead back from
// the ball along a shortest path.
bool Field::findPath(int r0, int c0, int r1, int c1, std::vector<Cell>& path) {
    if (!m_geometry.contains(r0, c0)) {
        return false;
    }
    const Cell start{r0, c0};
    m_distance.assign(m_balls.size(), 0);
    for (std::size_t i = 0; i < m_balls.size(); ++i) {
        if (m_balls[i]) {
            m_distance[i] = -1;
        }
    }
    m_distance[m_geometry.index(start)] = 0;

    m_queue.clear();
    m_queue.push_back({{r1, c1}, 1});
    bool found = false;
    for (std::size_t head = 0; head < m_queue.size() && !found; ++head) {
        QueueEntry entry = m_queue[head];
        if (!isCell(entry.cell)) {
            continue;
        }
        int& value = m_distance[m_geometry.index(entry.cell)];
        if (value != 0) {
            continue;
        }
        value = entry.distance;
        if (entry.cell == start) {
            found = true;
            break;
        }
        // Positions that would be skipped when taken from the queue (no
        // cell, a wall, already reached) are not queued at all.
        for (Cell n : m_geometry.neighbours(entry.cell)) {
            if (isCell(n) && m_distance[m_geometry.index(n)] == 0) {
                m_queue.push_back({n, entry.distance + 1});
            }
        }
    }
    if (!found) {
        return false;
    }

    // Among the shortest paths keep to the one the player was shown.
    std::vector<Cell> shown;
    if (!m_previewPath.empty()) {
        shown.assign(m_previewPath.begin() + 1, m_previewPath.end());
    }
    std::size_t nextShown = 0;
    path.clear();
    path.push_back(start);
    for (int d = m_distance[m_geometry.index(start)]; d >= 2; --d) {
        Cell last = path.back();
        Cell first{};
        bool any = false;
        bool followShown = false;
        for (Cell n : m_geometry.neighbours(last)) {
            if (!isCell(n) || m_distance[m_geometry.index(n)] != d - 1) {
                continue;
            }
            if (!any) {
                first = n;
                any = true;
            }
            if (nextShown < shown.size() && shown[nextShown] == n) {
                followShown = true;
            }
        }
        if (!any) {
            return false; // cannot happen: every distance was reached from a neighbour
        }
        if (followShown) {
            path.push_back(shown[nextShown++]);
        } else {
            path.push_back(first);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// Planning

void Field::rebuildPlan() {
    for (std::size_t i = 0; i < m_balls.size(); ++i) {
        m_plan[i] = m_balls[i] ? m_balls[i]->colour : -1;
    }
}

bool Field::planLine(Cell p, HexGeometry::Axis axis) const {
    int k = m_plan[m_geometry.index(p)];
    if (k == Ball::ColourBomb || k == Ball::BlastBall) {
        return false;
    }
    auto matches = [&](Cell q) {
        if (!isCell(q)) {
            return false;
        }
        int v = m_plan[m_geometry.index(q)];
        return v != -1 && (v == k || (v >= Ball::Joker && v <= Ball::BlastBall));
    };
    int count = 0;
    for (Cell q = p; matches(q); q = m_geometry.step(q, axis, true)) {
        ++count;
    }
    for (Cell q = m_geometry.step(p, axis, false); matches(q);
         q = m_geometry.step(q, axis, false)) {
        ++count;
    }
    return count >= 3;
}

bool Field::wouldMakeLine(int r, int c, int colour) {
    if (!isCell(r, c)) {
        return false;
    }
    int& slot = m_plan[m_geometry.index(r, c)];
    int previous = slot;
    slot = colour;
    bool line = false;
    for (int axis = 0; axis < HexGeometry::axisCount && !line; ++axis) {
        line = planLine({r, c}, static_cast<HexGeometry::Axis>(axis));
    }
    slot = previous;
    return line;
}

// ---------------------------------------------------------------------------
// New balls

void Field::chooseNewCells() {
    rebuildPlan();
    int ballCount = 0;
    for (const auto& ball : m_balls) {
        ballCount += ball ? 1 : 0;
    }
    std::vector<Cell> free = freeCells();

    int n = Random::rand() % 4 + 3;
    if (ballCount + n < m_minBalls) {
        n += m_minBalls - ballCount;
    }
    n = std::min(n, static_cast<int>(free.size()));
    for (int i = 0; i < n; ++i) {
        std::size_t pick = 0;
        int colour = 0;
        for (int attempt = 1;; ++attempt) {
            pick = static_cast<std::size_t>(Random::rand()) % free.size();
            colour = Random::rand() % m_colours;
            if (Random::rand() % 100 < m_jokerPercent) {
                colour = Ball::Joker;
            }
            if (!wouldMakeLine(free[pick].row, free[pick].col, colour) ||
                attempt == maxColourTries) {
                break;
            }
        }
        Cell cell = free[pick];
        m_newCells.push_back(std::make_unique<Ball>(colour, centre(cell.row, cell.col)));
        m_plan[m_geometry.index(cell)] = colour;
        free.erase(free.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    m_previewAlpha = 0.0f;
}

void Field::placeNewCells() {
    std::vector<std::unique_ptr<Ball>> blocked;
    for (auto& ball : m_newCells) {
        Cell cell = m_geometry.cellAt(ball->point);
        if (!isCell(cell) || ballAt(cell)) {
            blocked.push_back(std::move(ball));
            continue;
        }
        ball->startPopping();
        ball->delay = 0.0f;
        putBall(cell, std::move(ball));
        m_landing.push_back(cell);
    }
    m_newCells.clear();

    // A ball whose cell was taken lands on a random free cell, if any is left.
    if (!blocked.empty()) {
        std::vector<Cell> free = freeCells();
        for (auto& ball : blocked) {
            if (free.empty()) {
                break;
            }
            std::size_t pick = static_cast<std::size_t>(Random::rand()) % free.size();
            Cell cell = free[pick];
            ball->point = centre(cell.row, cell.col);
            ball->startPopping();
            ball->delay = 0.0f;
            putBall(cell, std::move(ball));
            m_landing.push_back(cell);
            free.erase(free.begin() + static_cast<std::ptrdiff_t>(pick));
        }
    }
    m_state = Landing;
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

    float chainTarget = static_cast<float>(m_chainCounter) / 4.0f;
    if (m_chainDisplay < chainTarget) {
        m_chainDisplay = std::min(m_chainDisplay + chainDisplayStep, chainTarget);
    } else if (m_chainDisplay > chainTarget) {
        m_chainDisplay = std::max(m_chainDisplay - chainDisplayStep, chainTarget);
    }
    m_idleMs = std::max(0, addMs(m_idleMs));
    if (m_state == Play && !m_finished) {
        m_statTimeOnLevel = addMs(m_statTimeOnLevel);
    }
    if (m_state == Play || m_state == LevelOver) {
        m_previewAlpha = clamp01(m_previewAlpha + m_previewFadeStep);
    }

    // Balls, noting the arrival of a moved ball.
    m_arrived = false;
    for (auto& ball : m_balls) {
        if (!ball) {
            continue;
        }
        bool wasMoving = ball->state == Ball::Moving;
        if (wasMoving) {
            Cell under = m_geometry.cellAt(ball->point);
            if (PathMarker* marker = pathMarkerAt(under.row, under.col)) {
                marker->fadeStep = -markerFade;
            }
        }
        ball->update(dt);
        if (wasMoving && ball->state != Ball::Moving) {
            m_lastMovedBall = ball.get();
            m_arrived = true;
        }
    }
    for (auto& back : m_cellBacks) {
        if (back) {
            back->update(dt);
        }
    }
    for (auto& marker : m_pathMarkers) {
        if (marker) {
            marker->update();
        }
    }
    m_shake.update();

    if (m_state == Intro && allCellBacksSettled()) {
        m_state = Play;
    }
    if (m_state == LevelOver) {
        m_summaryAlpha = clamp01(m_summaryAlpha + m_summaryFadeStep);
        bool allExploded = std::all_of(m_balls.begin(), m_balls.end(), [](const auto& ball) {
            return !ball || ball->state == Ball::Exploded;
        });
        if (allCellBacksSettled() && allExploded) {
            m_state = Play;
        }
    }
    if (m_state == Landing) {
        std::erase_if(m_landing, [this](Cell p) {
            Ball* ball = ballAt(p);
            return !ball || ball->isIdle();
        });
        if (m_landing.empty()) {
            m_state = Play;
            chooseNewCells();
        }
    }
    if (m_state != LevelOver) {
        removeExplodedBalls();
    }
    findLines(m_arrived);
    updateEffects(dt);
    testEndOfLevel();
    rewardEmptyBoard();
}

bool Field::allCellBacksSettled() const {
    return std::all_of(m_cellBacks.begin(), m_cellBacks.end(),
                       [](const auto& back) { return !back || back->delay <= settledDelay; });
}

void Field::removeExplodedBalls() {
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            Ball* ball = ballAt(r, c);
            if (!ball || ball->state != Ball::Exploded) {
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
                putBall({r, c}, std::move(special));
            }
        }
    }
}

void Field::findLines(bool arrived) {
    std::vector<Cell> explosions;
    for (int axis = 0; axis < HexGeometry::axisCount; ++axis) {
        for (int r = 0; r < rows(); ++r) {
            for (int c = 0; c < width(r); ++c) {
                if (ballAt(r, c)) {
                    testLine({r, c}, static_cast<HexGeometry::Axis>(axis));
                }
            }
        }
        for (int r = 0; r < rows(); ++r) {
            for (int c = 0; c < width(r); ++c) {
                Ball* ball = ballAt(r, c);
                if (ball && ball->marked) {
                    explosions.push_back({r, c});
                    ball->marked = false;
                }
            }
        }
    }
    if (explosions.size() >= 4) {
        ++m_statChains;
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
    if (!arrived || m_finished) {
        return;
    }
    placeNewCells();
    if (explosions.empty()) {
        m_chainCounter = 0;
    } else if (++m_chainCounter == chainLength) {
        m_chainCounter = 0;
        if (m_lastMovedBall) {
            startEffect(std::make_unique<Blast>(*this, m_lastMovedBall->point, Blast::chainRadius),
                        chainShake);
        }
    }
}

// The line from the ball on start along one axis, processed at once so that
// the balls it marks end the walks of later tests.
void Field::testLine(Cell start, HexGeometry::Axis axis) {
    const int k = ballAt(start)->colour;
    if (k == Ball::ColourBomb || k == Ball::BlastBall) {
        return;
    }
    auto joins = [&](Cell p) {
        Ball* ball = ballAt(p);
        if (!ball || !ball->isIdle()) {
            return false;
        }
        if (ball->isSpecial()) {
            return true;
        }
        return ball->colour == k && !ball->marked;
    };
    std::vector<Cell>& line = m_line;
    line.clear();
    for (Cell p = start; joins(p); p = m_geometry.step(p, axis, true)) {
        line.push_back(p);
    }
    // The second walk starts beside the ball even when the ball itself did
    // not join (busy, or already in a line on this axis): the balls beyond it
    // still make a line of its colour.
    for (Cell p = m_geometry.step(start, axis, false); joins(p);
         p = m_geometry.step(p, axis, false)) {
        line.push_back(p);
    }
    if (line.size() < 3) {
        return;
    }

    Ball* chosen = nullptr;
    for (Cell p : line) {
        Ball* ball = ballAt(p);
        ball->marked = true;
        if (ball->colour == Ball::BlastBall) {
            startEffect(std::make_unique<Blast>(*this, ball->point, Blast::ballRadius), lineShake);
        } else if (ball->colour == Ball::ColourBomb) {
            startEffect(std::make_unique<ColourBomb>(*this, ball->point, k), lineShake);
        }
        if (!chosen && ball->movedByPlayer) {
            chosen = ball;
        }
    }
    if (line.size() < static_cast<std::size_t>(bombLine)) {
        return;
    }
    if (!chosen) {
        chosen = ballAt(line[static_cast<std::size_t>(Random::rand()) % line.size()]);
    }
    chosen->becomes =
        line.size() >= static_cast<std::size_t>(blastLine) ? Ball::BlastBall : Ball::ColourBomb;
}

void Field::startEffect(std::unique_ptr<Effect> effect, int shake) {
    m_effects.push_back(std::move(effect));
    m_shake.raise(shake);
}

void Field::updateEffects(float elapsedMs) {
    for (std::size_t i = 0; i < m_effects.size();) {
        if (m_effects[i]->update(elapsedMs)) {
            m_effects.erase(m_effects.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void Field::testEndOfLevel() {
    if (!m_effects.empty() || m_state != Play || m_finished) {
        return;
    }
    bool allFilled = std::all_of(m_cellBacks.begin(), m_cellBacks.end(), [](const auto& back) {
        return !back || back->fill == CellBack::Filled;
    });
    if (allFilled) {
        m_finished = true;
        m_complete = true;
        m_state = LevelOver;
        // A level completed before any play time was counted earns no time bonus.
        double bonus = m_statTimeOnLevel > 0
                           ? static_cast<double>(m_score) / m_statTimeOnLevel * timeBonusFactor
                           : 0.0;
        m_statTimeBonus = static_cast<int>(std::clamp(bonus, double(INT_MIN), double(INT_MAX)));
        m_statChainBonus = m_statChains * chainBonusPerChain;
        return;
    }
    bool full = true;
    for (std::size_t i = 0; i < m_cellBacks.size() && full; ++i) {
        full = !m_cellBacks[i] || (m_balls[i] && m_balls[i]->isIdle());
    }
    if (full) {
        m_finished = true;
        m_complete = false;
        m_state = LevelOver;
    }
}

void Field::rewardEmptyBoard() {
    if (m_state != Play || m_finished) {
        return;
    }
    for (std::size_t i = 0; i < m_balls.size(); ++i) {
        if (m_balls[i] && m_cellBacks[i]->fill != CellBack::Locked) {
            return;
        }
    }
    // With no new ball to drop the board is full of locked balls: nothing to reward.
    if (m_newCells.empty()) {
        return;
    }
    placeNewCells();
    addScore(emptyBoardReward, emptyBoardRewardPoint, true);
}

void Field::addScore(int points, Point at, bool big) {
    m_score += points;
    m_statScoreOnLevel += points;
    m_statBallsExploded += 1;
    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->addText(std::to_string(points), at, big ? bigText : smallText, risingVelocity(),
                       Rgba{});
    }
}

// ---------------------------------------------------------------------------
// The end of a level

void Field::onClick(int /*x*/, int /*y*/) {
    if (m_state != LevelOver || m_levelOverClicked) {
        return;
    }
    clearBoard();
    m_levelOverClicked = true;
}

void Field::clearBoard() {
    m_previewFadeStep = -0.04f;
    m_summaryFadeStep = -0.04f;
    for (auto& back : m_cellBacks) {
        if (back) {
            back->fadeStep = -0.05f;
        }
    }
    for (auto& ball : m_balls) {
        if (ball) {
            ball->startExploding(false);
        }
    }
    setSweepDelays();
}

// ---------------------------------------------------------------------------
// Saved games

void Field::save(PropertyFile& props) const {
    std::string field;
    std::string backs;
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            Ball* ball = ballAt(r, c);
            int colour = ball ? ball->colour : -1;
            int fill = isCell(r, c) ? cellBackAt(r, c)->fill : -1;
            // A ball that has scored and is exploding would come back as a
            // live ball and score again: it is saved as its removal leaves
            // the cell. The clearing after the level summary scores nothing
            // and is saved as it stands.
            if (ball && m_state != LevelOver &&
                (ball->state == Ball::Exploding || ball->state == Ball::Exploded)) {
                fill = CellBack::fillAfterExplosion(fill);
                colour = (ball->becomes == Ball::ColourBomb || ball->becomes == Ball::BlastBall)
                             ? ball->becomes
                             : -1;
            }
            field += std::to_string(colour) + ' ';
            if (fill >= 0) {
                backs += std::to_string(fill) + ' ';
            }
        }
    }
    // Balls still landing are on the board already and saved with it.
    std::string next;
    for (const auto& ball : m_newCells) {
        next += std::to_string(static_cast<int>(ball->point.x)) + ' ' +
                std::to_string(static_cast<int>(ball->point.y)) + ' ' +
                std::to_string(ball->colour) + ' ';
    }
    props.setString(keyField, field);
    props.setString(keyCellBacks, backs);
    props.setString(keyNewCells, next);
    props.setInt(keyScore, m_score);
    props.setInt(keyScoreOnLevel, m_statScoreOnLevel);
    props.setInt(keyBallsExploded, m_statBallsExploded);
    props.setInt(keyTimeOnLevel, m_statTimeOnLevel);
    props.setInt(keyTimeBonus, m_statTimeBonus);
    props.setInt(keyChains, m_statChains);
    props.setInt(keyChainBonus, m_statChainBonus);
}

// Damaged or foreign texts are read only as far as they go; entries that
// would put a ball outside a cell, give it a colour this level cannot have or
// give a cell an unknown fill are skipped.
bool Field::load(const PropertyFile& props) {
    const std::string field = props.getString(keyField, "");
    const std::string backs = props.getString(keyCellBacks, "");
    if (field.empty() || backs.empty()) {
        return false;
    }
    m_score = props.getInt(keyScore, 0);

    std::size_t p = 0;
    std::size_t q = 0;
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < width(r); ++c) {
            takeBall({r, c});
            int colour = -1;
            std::size_t at = p;
            if (p < field.size() && readInt(field, at, colour) && colour != -1 && isCell(r, c) &&
                isValidBallColour(colour)) {
                auto ball = std::make_unique<Ball>(colour, centre(r, c));
                ball->startPopping();
                putBall({r, c}, std::move(ball));
            }
            if (p < field.size()) {
                p = nextBlank(field, p + 1);
            }
            if (!isCell(r, c)) {
                continue;
            }
            int fill = -1;
            std::size_t atBack = q;
            if (q < backs.size() && readInt(backs, atBack, fill) && CellBack::isValidFill(fill)) {
                cellBackAt(r, c)->fill = fill;
            }
            if (q < backs.size()) {
                q = nextBlank(backs, q + 1);
            }
        }
    }
    m_landing.clear();
    m_lastMovedBall = nullptr;

    m_newCells.clear();
    const std::string next = props.getString(keyNewCells, "");
    if (next.empty()) {
        chooseNewCells();
    } else {
        for (std::size_t pos = 0; pos < next.size();) {
            int x = 0;
            int y = 0;
            int colour = 0;
            std::size_t at = pos;
            if (!readInt(next, at, x) || !readInt(next, at, y) || !readInt(next, at, colour)) {
                break;
            }
            Point point{static_cast<float>(x), static_cast<float>(y)};
            if (isCell(m_geometry.cellAt(point)) && isValidBallColour(colour)) {
                m_newCells.push_back(std::make_unique<Ball>(colour, point));
            }
            for (int blank = 0; blank < 3 && pos != std::string::npos; ++blank) {
                pos = nextBlank(next, pos + 1);
            }
            if (pos == std::string::npos) {
                break;
            }
        }
    }

    m_statScoreOnLevel = props.getInt(keyScoreOnLevel, 0);
    m_statBallsExploded = props.getInt(keyBallsExploded, 0);
    m_statTimeOnLevel = props.getInt(keyTimeOnLevel, 0);
    m_statChains = props.getInt(keyChains, 0);
    m_statTimeBonus = 0;
    m_statChainBonus = 0;
    setSweepDelays();
    return true;
}
