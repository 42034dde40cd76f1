// The hundred levels: an outline from the sequence, sized to the level's
// share of work on the curve, placed clear of the head-up display, then
// decorated and locked (outlines in LevelOutline, placement and locking in
// LevelPlacement, the curve in LevelCurve).

#include "LevelDesign.h"

#include "LevelPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

using namespace leveldesign;

std::string LevelPlan::fileText() const {
    std::string text;
    for (int v : {colours, fillPercent, 0, jokerPercent, rows, columns}) {
        text += std::to_string(v) + "\r\n";
    }
    return text + map + "\r\n";
}

bool LevelDesign::touchesDisplay(double x, double y) {
    struct Box {
        double x0, y0, x1, y1;
    };
    static const Box kept[] = {
        {0, 0, 170, 178},   // score, lives and level
        {650, 0, 800, 160}, // chain meter, its counter and its ledge
        {0, 525, 150, 600}, // the menu button, and its twin corner
        {690, 525, 800, 600},
    };
    const double rad = HexBoard::cellRadius;
    if (x - rad < 0 || x + rad > 800 || y - rad < 0 || y + rad > 600) {
        return true;
    }
    for (const Box& b : kept) {
        double nx = std::clamp(x, b.x0, b.x1);
        double ny = std::clamp(y, b.y0, b.y1);
        if ((nx - x) * (nx - x) + (ny - y) * (ny - y) < rad * rad) {
            return true;
        }
    }
    return false;
}

LevelPlan LevelDesign::level(int number) {
    if (number < 1 || number > levelCount) {
        throw std::out_of_range("level number");
    }
    const Form form = formOf(number);
    const int target = targetWorkFor(number);
    const int islands = info(form).islands;

    LevelPlan best;
    int bestMiss = -1;
    std::vector<Rel> previous;
    for (int step = 0; step <= 150; ++step) {
        Outline o = trace(form, 1.5 + step * 0.05);
        if (o.cells == previous || o.cells.empty() || groupsOf(o) != islands) {
            continue;
        }
        previous = o.cells;
        // Every cell but a few filled ones needs at least one explosion, so
        // larger outlines can only miss the target further.
        if (static_cast<int>(o.cells.size()) > target * 1.5 + 20) {
            break;
        }
        Placement at = place(o);
        if (!at.found) {
            continue;
        }
        findOutside(o);
        decorate(o, number);
        // Locked cells get the first starting balls; enough must be left for
        // free cells, or the board would count as cleared before a move.
        const int startBalls = static_cast<int>(o.cells.size()) * fillPercentFor(number) / 100;
        lock(o, std::min(lockedCountFor(number), startBalls - minFreeStartingBalls), islands);
        std::string map = mapOf(o, at.row, at.x2);
        int miss = std::abs(workOf(map) - target);
        if (bestMiss < 0 || miss < bestMiss) {
            bestMiss = miss;
            best.map = map;
        }
    }
    if (bestMiss < 0) {
        throw std::logic_error("no outline fits for level " + std::to_string(number));
    }
    best.number = number;
    best.colours = coloursFor(number);
    best.fillPercent = fillPercentFor(number);
    best.jokerPercent = jokerPercentFor(number);
    best.rows = HexBoard::rows;
    best.columns = HexBoard::columns;
    best.shape = info(form).name;
    best.islands = islands;
    return best;
}

std::vector<LevelPlan> LevelDesign::all() {
    std::vector<LevelPlan> levels;
    for (int n = 1; n <= levelCount; ++n) {
        levels.push_back(level(n));
    }
    return levels;
}
