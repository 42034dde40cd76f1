#pragma once

#include "board/Ball.h"
#include "board/Cell.h"
#include "board/CellBack.h"
#include "board/Effect.h"
#include "board/HexGeometry.h"
#include "board/LevelFile.h"
#include "board/PathMarker.h"
#include "board/Point.h"
#include "board/Shake.h"

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
    enum State { Play = 0, Landing = 1, Intro = 2, LevelOver = 3 };

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
    const HexGeometry& geometry() const { return m_geometry; }
    int rows() const { return m_geometry.rows(); }
    int columns() const { return m_geometry.columns(); }
    int width(int r) const { return m_geometry.width(r); }
    Point centre(int r, int c) const { return m_geometry.centre(r, c); }
    int rowAt(int y) const { return m_geometry.rowAt(y); }
    int columnAt(int x, int y) const { return m_geometry.columnAt(x, y); }
    bool isCell(int r, int c) const;
    bool isCell(Cell p) const { return isCell(p.row, p.col); }

    // Contents; none (or -1) for a position that is not a cell.
    Ball* ballAt(int r, int c) const;
    Ball* ballAt(Cell p) const { return ballAt(p.row, p.col); }
    int ballColourAt(int r, int c) const;
    CellBack* cellBackAt(int r, int c) const;
    CellBack* cellBackAt(Cell p) const { return cellBackAt(p.row, p.col); }
    PathMarker* pathMarkerAt(int r, int c) const;
    int cellCount() const { return m_cellCount; }
    // The next balls, each at the centre of the cell it will land on.
    const std::vector<std::unique_ptr<Ball>>& newCells() const { return m_newCells; }

    // Level and statistics.
    int level() const { return m_level; }
    int colours() const { return m_colours; }
    int jokerPercent() const { return m_jokerPercent; }
    int minBalls() const { return m_minBalls; }
    int score() const { return m_score; }
    void setScore(int score) { m_score = score; }
    int scoreOnLevel() const { return m_statScoreOnLevel; }
    int ballsExploded() const { return m_statBallsExploded; }
    int timeOnLevel() const { return m_statTimeOnLevel; }
    int timeBonus() const { return m_statTimeBonus; }
    int chains() const { return m_statChains; }
    int chainBonus() const { return m_statChainBonus; }
    int chainCounter() const { return m_chainCounter; }
    float chainDisplay() const { return m_chainDisplay; }
    int idleMs() const { return m_idleMs; }
    bool isFinished() const { return m_finished; }
    bool isComplete() const { return m_complete; }
    int state() const { return m_state; }
    bool levelOverClicked() const { return m_levelOverClicked; }
    float previewAlpha() const { return m_previewAlpha; }
    float summaryAlpha() const { return m_summaryAlpha; }
    int effectCount() const { return static_cast<int>(m_effects.size()); }
    const Effect* effect(int i) const { return m_effects[i].get(); }
    const Shake& shake() const { return m_shake; }
    Shake& shake() { return m_shake; }

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
    const std::vector<Cell>& previewedPath() const { return m_previewPath; }
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
    void placeStartingBalls(std::vector<Cell> candidates, int lockedCount, int fillPercent);
    void setSweepDelays();
    void clearBoard();
    void rebuildPlan();
    bool planLine(Cell p, HexGeometry::Axis axis) const;
    std::vector<Cell> freeCells() const;
    bool findSelected(Cell& cell) const;
    bool anyBallMoving() const;
    void putBall(Cell p, std::unique_ptr<Ball> ball);
    std::unique_ptr<Ball> takeBall(Cell p);

    void removeExplodedBalls();
    void findLines(bool arrived);
    void testLine(Cell start, HexGeometry::Axis axis);
    void startEffect(std::unique_ptr<Effect> effect, int shake);
    void updateEffects(float elapsedMs);
    void testEndOfLevel();
    void rewardEmptyBoard();
    bool allCellBacksSettled() const;
    bool isValidBallColour(int colour) const;

    HexGeometry m_geometry;
    // Per-position tables of rows x columns entries, indexed by the geometry.
    std::vector<std::unique_ptr<Ball>> m_balls;
    std::vector<int> m_plan;
    std::vector<std::unique_ptr<CellBack>> m_cellBacks;
    std::vector<std::unique_ptr<PathMarker>> m_pathMarkers;
    int m_cellCount = 0;

    int m_level = 1;
    int m_colours = 5;
    int m_jokerPercent = 0;
    int m_minBalls = 0;
    int m_state = Play;
    bool m_finished = false;
    bool m_complete = false;
    bool m_arrived = false;
    Ball* m_lastMovedBall = nullptr;
    bool m_levelOverClicked = false;

    int m_score = 0;
    int m_statScoreOnLevel = 0;
    int m_statBallsExploded = 0;
    int m_statTimeOnLevel = 0;
    int m_statTimeBonus = 0;
    int m_statChains = 0;
    int m_statChainBonus = 0;
    int m_chainCounter = 0;
    float m_chainDisplay = 0.0f;
    int m_idleMs = 0;

    // Balls chosen to land after the next move, owned until they land.
    std::vector<std::unique_ptr<Ball>> m_newCells;
    // Cells of the balls that have landed and are still popping.
    std::vector<Cell> m_landing;
    float m_previewAlpha = 0.0f;
    float m_previewFadeStep = 0.08f;
    float m_summaryAlpha = 0.0f;
    float m_summaryFadeStep = 0.04f;
    std::vector<Cell> m_previewPath;
    std::vector<std::unique_ptr<Effect>> m_effects;
    Shake m_shake;

    // Scratch tables of the path search, kept between searches.
    std::vector<int> m_distance;
    struct QueueEntry {
        Cell cell;
        int distance;
    };
    std::vector<QueueEntry> m_queue;
    // Scratch list of the line test.
    std::vector<Cell> m_line;
};
