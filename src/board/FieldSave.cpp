#include "board/FieldSave.h"

#include "board/BallDealer.h"
#include "board/Board.h"
#include "board/LevelStats.h"
#include "persist/PropertyFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>

namespace {

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

bool isValidBallColour(int colour, int colours) {
    return (colour >= 0 && colour < colours) ||
           (colour >= Ball::Joker && colour <= Ball::BlastBall);
}

// The colour and fill a saved game keeps for one position (-1 for none). A
// ball that has scored and is exploding would come back as a live ball and
// score again: it is saved as its removal leaves the cell. The clearing after
// the level summary scores nothing and is saved as it stands.
void savedPosition(const Board& board, Cell p, bool levelOver, int& colour, int& fill) {
    Ball* ball = board.ballAt(p);
    CellBack* back = board.isCell(p) ? board.cellBackAt(p) : nullptr;
    colour = ball ? ball->colour : -1;
    fill = back ? static_cast<int>(back->fill) : -1;
    if (ball && !levelOver &&
        (ball->state == Ball::State::Exploding || ball->state == Ball::State::Exploded)) {
        fill = static_cast<int>(CellBack::fillAfterExplosion(back->fill));
        colour = (ball->becomes == Ball::ColourBomb || ball->becomes == Ball::BlastBall)
                     ? ball->becomes
                     : -1;
    }
}

// A restored ball pops in, like a ball landing.
void putRestored(Board& board, Cell p, int colour) {
    auto ball = std::make_unique<Ball>(colour, board.geometry().centre(p));
    ball->startPopping();
    board.put(p, std::move(ball));
}

// Entries that would put a ball outside a cell, give it a colour this level
// cannot have or give a cell an unknown fill are skipped.
void readBoard(const std::string& field, const std::string& backs, int colours, Board& board) {
    const HexGeometry& geometry = board.geometry();
    std::size_t p = 0;
    std::size_t q = 0;
    for (int r = 0; r < geometry.rows(); ++r) {
        for (int c = 0; c < geometry.width(r); ++c) {
            board.take({r, c});
            int colour = -1;
            std::size_t at = p;
            if (p < field.size() && readInt(field, at, colour) && colour != -1 &&
                board.isCell(r, c) && isValidBallColour(colour, colours)) {
                putRestored(board, {r, c}, colour);
            }
            if (p < field.size()) {
                p = nextBlank(field, p + 1);
            }
            if (!board.isCell(r, c)) {
                continue;
            }
            int fill = -1;
            std::size_t atBack = q;
            if (q < backs.size() && readInt(backs, atBack, fill) && CellBack::isValidFill(fill)) {
                board.cellBackAt(r, c)->fill = static_cast<CellBack::Fill>(fill);
            }
            if (q < backs.size()) {
                q = nextBlank(backs, q + 1);
            }
        }
    }
}

// Triples of centre x, centre y and colour; a ball whose centre lies on no
// cell (far off the board included) or whose colour this level cannot have
// is skipped.
void readNext(const std::string& next, int colours, const Board& board, BallDealer& dealer) {
    for (std::size_t pos = 0; pos < next.size();) {
        int x = 0;
        int y = 0;
        int colour = 0;
        std::size_t at = pos;
        if (!readInt(next, at, x) || !readInt(next, at, y) || !readInt(next, at, colour)) {
            break;
        }
        const HexGeometry& geometry = board.geometry();
        Point point{static_cast<float>(x), static_cast<float>(y)};
        if (geometry.isNearBoard(x, y) && board.isCell(geometry.cellAt(point)) &&
            isValidBallColour(colour, colours)) {
            dealer.add(std::make_unique<Ball>(colour, point));
        }
        for (int blank = 0; blank < 3 && pos != std::string::npos; ++blank) {
            pos = nextBlank(next, pos + 1);
        }
        if (pos == std::string::npos) {
            break;
        }
    }
}

// The statistics a saved game keeps; the bonuses are earned again at the end.
void restoreStats(const LevelStats& saved, LevelStats& stats) {
    stats.score = saved.score;
    stats.scoreOnLevel = saved.scoreOnLevel;
    stats.ballsExploded = saved.ballsExploded;
    stats.timeOnLevel = saved.timeOnLevel;
    stats.chains = saved.chains;
    stats.timeBonus = 0;
    stats.chainBonus = 0;
    stats.bound();
}

} // namespace

void FieldSave::write(PropertyFile& props, const Board& board, bool levelOver,
                      const std::vector<std::unique_ptr<Ball>>& next, const LevelStats& stats) {
    const HexGeometry& geometry = board.geometry();
    std::string field;
    std::string backs;
    for (int r = 0; r < geometry.rows(); ++r) {
        for (int c = 0; c < geometry.width(r); ++c) {
            int colour = -1;
            int fill = -1;
            savedPosition(board, {r, c}, levelOver, colour, fill);
            field += std::to_string(colour) + ' ';
            if (fill >= 0) {
                backs += std::to_string(fill) + ' ';
            }
        }
    }
    // Balls still landing are on the board already and saved with it.
    std::string nextText;
    for (const auto& ball : next) {
        nextText += std::to_string(static_cast<int>(ball->point.x)) + ' ' +
                    std::to_string(static_cast<int>(ball->point.y)) + ' ' +
                    std::to_string(ball->colour) + ' ';
    }
    props.setString(keyField, field);
    props.setString(keyCellBacks, backs);
    props.setString(keyNewCells, nextText);
    props.setInt(keyScore, stats.score);
    props.setInt(keyScoreOnLevel, stats.scoreOnLevel);
    props.setInt(keyBallsExploded, stats.ballsExploded);
    props.setInt(keyTimeOnLevel, stats.timeOnLevel);
    props.setInt(keyTimeBonus, stats.timeBonus);
    props.setInt(keyChains, stats.chains);
    props.setInt(keyChainBonus, stats.chainBonus);
}

// Damaged or foreign texts are read only as far as they go.
bool FieldSave::read(const PropertyFile& props, int colours, Board& board, BallDealer& dealer,
                     LevelStats& stats, bool& nextRestored) {
    const std::string field = props.getString(keyField, "");
    const std::string backs = props.getString(keyCellBacks, "");
    if (field.empty() || backs.empty()) {
        return false;
    }
    readBoard(field, backs, colours, board);

    dealer.clear();
    const std::string next = props.getString(keyNewCells, "");
    nextRestored = !next.empty();
    readNext(next, colours, board, dealer);

    LevelStats saved;
    saved.score = props.getInt(keyScore, 0);
    saved.scoreOnLevel = props.getInt(keyScoreOnLevel, 0);
    saved.ballsExploded = props.getInt(keyBallsExploded, 0);
    saved.timeOnLevel = props.getInt(keyTimeOnLevel, 0);
    saved.chains = props.getInt(keyChains, 0);
    restoreStats(saved, stats);
    return true;
}

bool FieldSave::copy(const Board& from, bool levelOver,
                     const std::vector<std::unique_ptr<Ball>>& next, const LevelStats& stats,
                     Board& board, BallDealer& dealer, LevelStats& statsTo, bool& nextRestored) {
    const HexGeometry& geometry = board.geometry();
    if (geometry.rows() != from.geometry().rows() ||
        geometry.columns() != from.geometry().columns()) {
        return false;
    }
    for (int r = 0; r < geometry.rows(); ++r) {
        for (int c = 0; c < geometry.width(r); ++c) {
            if (board.isCell(r, c) != from.isCell(r, c)) {
                return false;
            }
        }
    }
    for (int r = 0; r < geometry.rows(); ++r) {
        for (int c = 0; c < geometry.width(r); ++c) {
            board.take({r, c});
            int colour = -1;
            int fill = -1;
            savedPosition(from, {r, c}, levelOver, colour, fill);
            if (colour != -1) {
                putRestored(board, {r, c}, colour);
            }
            if (fill >= 0) {
                board.cellBackAt(r, c)->fill = static_cast<CellBack::Fill>(fill);
            }
        }
    }
    dealer.clear();
    nextRestored = !next.empty();
    for (const auto& ball : next) {
        // Saved games keep whole pixels.
        Point point{static_cast<float>(static_cast<int>(ball->point.x)),
                    static_cast<float>(static_cast<int>(ball->point.y))};
        dealer.add(std::make_unique<Ball>(ball->colour, point));
    }
    restoreStats(stats, statsTo);
    return true;
}
