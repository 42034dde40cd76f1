#pragma once

#include "board/Ball.h"
#include "board/BallDealer.h"
#include "board/Board.h"
#include "board/Cell.h"
#include "board/CellBack.h"
#include "board/Effect.h"
#include "board/HexGeometry.h"
#include "board/LevelFile.h"
#include "board/LevelStats.h"
#include "board/LineFinder.h"
#include "board/LinePlan.h"
#include "board/PathMarker.h"
#include "board/PathSearch.h"
#include "board/Point.h"
#include "board/Shake.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class PropertyFile;

// One level in play: the cells of a hexagonal board read from a level file,
// the balls on them, the balls that land after the next move, the effects of
// special balls and the statistics of the level. This is the rule engine: it
// needs no window and no sound device; the pictures of its records are drawn
// elsewhere.
class Field {
public:
    enum class State { Play = 0, Landing = 1, Intro = 2, LevelOver = 3 };

    // Builds the level from "levels/levelNNN.txt", seeding the random
    // generator with the millisecond clock.
    explicit Field(int level);
    // Builds the level from the given file contents, seeding with the clock.
    Field(int level, const LevelFile& file);
    // Builds the level seeding the generator with seed, so that the same
    // seed replays the same level (tests, benchmarks).
    Field(int level, const LevelFile& file, unsigned seed);
    ~Field();
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    // Geometry.
    const HexGeometry& geometry() const { return board_.geometry(); }
    int rows() const { return geometry().rows(); }
    int columns() const { return geometry().columns(); }
    int width(int r) const { return geometry().width(r); }
    Point centre(int r, int c) const { return geometry().centre(r, c); }
    int rowAt(int y) const { return geometry().rowAt(y); }
    int columnAt(int x, int y) const { return geometry().columnAt(x, y); }
    bool isCell(int r, int c) const { return board_.isCell(r, c); }
    bool isCell(Cell p) const { return board_.isCell(p); }

    // Contents; none (or -1) for a position that is not a cell.
    const Board& board() const { return board_; }
    Ball* ballAt(int r, int c) const { return board_.ballAt(r, c); }
    Ball* ballAt(Cell p) const { return board_.ballAt(p); }
    int ballColourAt(int r, int c) const;
    CellBack* cellBackAt(int r, int c) const { return board_.cellBackAt(r, c); }
    CellBack* cellBackAt(Cell p) const { return board_.cellBackAt(p); }
    PathMarker* pathMarkerAt(int r, int c) const { return board_.pathMarkerAt(r, c); }
    int cellCount() const { return board_.cellCount(); }
    // The next balls, each at the centre of the cell it will land on.
    const std::vector<std::unique_ptr<Ball>>& newCells() const { return dealer_.next(); }

    // Level and statistics.
    int level() const { return level_; }
    int colours() const { return rules_.colours; }
    int jokerPercent() const { return rules_.jokerPercent; }
    int minBalls() const { return rules_.minBalls; }
    const LevelStats& stats() const { return stats_; }
    int score() const { return stats_.score; }
    void setScore(int score) { stats_.score = std::clamp(score, 0, LevelStats::maxScore); }
    int scoreOnLevel() const { return stats_.scoreOnLevel; }
    int ballsExploded() const { return stats_.ballsExploded; }
    int timeOnLevel() const { return stats_.timeOnLevel; }
    int timeBonus() const { return stats_.timeBonus; }
    int chains() const { return stats_.chains; }
    int chainBonus() const { return stats_.chainBonus; }
    int chainCounter() const { return chainCounter_; }
    float chainDisplay() const { return chainDisplay_; }
    int idleMs() const { return idleMs_; }
    bool isFinished() const { return finished_; }
    bool isComplete() const { return complete_; }
    State state() const { return state_; }
    bool levelOverClicked() const { return levelOverClicked_; }
    float previewAlpha() const { return previewAlpha_; }
    float summaryAlpha() const { return summaryAlpha_; }
    int effectCount() const { return static_cast<int>(effects_.size()); }
    const Effect* effect(int i) const { return effects_[i].get(); }
    const Shake& shake() const { return shake_; }
    Shake& shake() { return shake_; }

    // Moves.
    // Selects the idle ball on (r, c) and answers its colour, or -1.
    int selectBall(int r, int c);
    bool isSelectedAt(int r, int c) const;
    // The first selected ball in row order, or none.
    Ball* selectedBall() const;
    void deselectAll();
    // Starts the selected ball's travel to the free cell (r, c).
    bool moveSelectedTo(int r, int c);
    // Recomputes the previewed path from the selected ball to the cell under
    // the cursor point (x, y) in screen pixels.
    void previewPath(int x, int y);
    const std::vector<Cell>& previewedPath() const { return previewPath_; }
    // Shortest free path from (r0, c0) to (r1, c1), both ends included,
    // following the previewed path where it is one of the shortest.
    bool findPath(int r0, int c0, int r1, int c1, std::vector<Cell>& path);

    // Rules.
    void update(float elapsedMs);
    // Whether colour on (r, c) would complete a line in the colour plan.
    bool wouldMakeLine(int r, int c, int colour);
    // The single way points are earned.
    void addScore(int points, Point at, bool big);
    void chooseNewCells();
    void placeNewCells();

    // Saved games.
    void save(PropertyFile& props) const;
    bool load(const PropertyFile& props);
    // Restores what other would save, as load would restore it, without the
    // text in between (a look-ahead copy). False, and nothing changed, when
    // other is a board of other cells or colours.
    bool loadFrom(const Field& other);

    // The click that clears the board after the level summary.
    void onClick(int x, int y);

    // Drawing, with the pictures of BoardSprites.
    void drawBackground() const;
    void draw() const;
    // The level chooser's miniature of the board.
    void drawPreview() const;
    // The level summary; draws only once the level is over.
    void drawSummary() const;

private:
    friend class FieldTestAccess;

    void build(const LevelFile& file);
    void setSweepDelays();
    // What a restore leaves to do once the board is back.
    void restored(bool nextRestored);
    void clearBoard();
    bool findSelected(Cell& cell) const;
    bool anyBallMoving() const;
    std::unique_ptr<Ball> takeBall(Cell p);

    void updateBalls(float elapsedMs);
    void advanceState();
    void removeExplodedBalls();
    void findLines(bool arrived);
    void startEffect(std::unique_ptr<Effect> effect, int shake);
    void updateEffects(float elapsedMs);
    void testEndOfLevel();
    void rewardEmptyBoard();
    bool allCellBacksSettled() const;

    Board board_;
    LinePlan plan_;
    PathSearch pathSearch_;
    LineFinder lineFinder_;
    BallDealer dealer_;
    DealRules rules_;
    LevelStats stats_;

    int level_ = 1;
    State state_ = State::Play;
    bool finished_ = false;
    bool complete_ = false;
    bool arrived_ = false;
    Ball* lastMovedBall_ = nullptr;
    bool levelOverClicked_ = false;
    int chainCounter_ = 0;
    float chainDisplay_ = 0.0f;
    int idleMs_ = 0;

    // Cells of the balls that have landed and are still popping.
    std::vector<Cell> landing_;
    float previewAlpha_ = 0.0f;
    float previewFadeStep_ = 0.08f;
    float summaryAlpha_ = 0.0f;
    float summaryFadeStep_ = 0.04f;
    std::vector<Cell> previewPath_;
    std::vector<std::unique_ptr<Effect>> effects_;
    Shake shake_;
};
