// The hundred levels, drawn from one table of outline kinds.
//
// Index, in file order:
// - Outline kinds: the table of forms and what each one takes (info).
// - Hex coordinates: axial to board positions, symmetry helpers.
// - Outlines: whether a cell lies inside a form (insideForm), tracing a form
//   on the grid, finding the outside, decorating with holes and moats.
// - Placement: the level map text, fitting clear of the head-up display,
//   connected groups, locking cells, choosing the centre (place).
// - The curve: colours, fill, jokers, locked cells and target work per level.
// - Building one level (level) and all of them (all).

#include "LevelDesign.h"

#include "HexBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>

namespace {

enum class Form {
    Hexagon,
    Circle,
    Diamond,
    Tile,
    Triangle,
    Flower,
    TwinLobes,
    Heart,
    Ring,
    Star,
    Bowtie,
    Clover,
    Crescent,
    Hourglass,
    Wheel,
    HoleyHex,
    Frame,
    Snowflake,
    Wave,
    Islands,
    Moat,
};

struct FormInfo {
    const char* name;
    int islands;
};

FormInfo info(Form f) {
    switch (f) {
    case Form::Hexagon:
        return {"hexagon", 1};
    case Form::Circle:
        return {"circle", 1};
    case Form::Diamond:
        return {"diamond", 1};
    case Form::Tile:
        return {"tile", 1};
    case Form::Triangle:
        return {"triangle", 1};
    case Form::Flower:
        return {"flower", 1};
    case Form::TwinLobes:
        return {"twin lobes", 1};
    case Form::Heart:
        return {"heart", 1};
    case Form::Ring:
        return {"ring", 1};
    case Form::Star:
        return {"star", 1};
    case Form::Bowtie:
        return {"bow tie", 1};
    case Form::Clover:
        return {"clover", 1};
    case Form::Crescent:
        return {"crescent", 1};
    case Form::Hourglass:
        return {"hourglass", 1};
    case Form::Wheel:
        return {"wheel", 1};
    case Form::HoleyHex:
        return {"hexagon with holes", 1};
    case Form::Frame:
        return {"frame", 1};
    case Form::Snowflake:
        return {"snowflake", 1};
    case Form::Wave:
        return {"wave", 1};
    case Form::Islands:
        return {"twin islands", 2};
    case Form::Moat:
        return {"moat", 1};
    }
    return {"?", 1};
}

using F = Form;
// Ten chapters of ten outlines: each chapter revisits familiar ones and
// brings a few new ones, so the look changes from level to level.
// Ten chapters of ten outlines. The narrow outlines (stars, bow ties,
// frames, islands) reach their largest size early, so the later chapters use
// the ones that grow to fill the board.
const Form kSequence[LevelDesign::levelCount] = {
    F::Hexagon,   F::Circle,    F::Diamond,   F::Tile,      F::Flower,    F::Triangle, F::TwinLobes,
    F::Hexagon,   F::Heart,     F::Ring,      F::Star,      F::Clover,    F::Bowtie,   F::Circle,
    F::Crescent,  F::Hourglass, F::Hexagon,   F::Wheel,     F::Diamond,   F::Flower,   F::HoleyHex,
    F::TwinLobes, F::Frame,     F::Snowflake, F::Heart,     F::Star,      F::Wave,     F::Ring,
    F::Tile,      F::Clover,    F::Islands,   F::Crescent,  F::Hexagon,   F::Bowtie,   F::Wheel,
    F::Flower,    F::Hourglass, F::Triangle,  F::Circle,    F::HoleyHex,  F::Frame,    F::Star,
    F::Snowflake, F::Islands,   F::Diamond,   F::Wave,      F::Heart,     F::Moat,     F::Clover,
    F::Hexagon,   F::TwinLobes, F::Ring,      F::Crescent,  F::Tile,      F::Flower,   F::HoleyHex,
    F::Moat,      F::Heart,     F::Wheel,     F::Circle,    F::Snowflake, F::Diamond,  F::Clover,
    F::Moat,      F::Hexagon,   F::Crescent,  F::Ring,      F::TwinLobes, F::Flower,   F::Heart,
    F::Wheel,     F::HoleyHex,  F::Tile,      F::Circle,    F::Snowflake, F::Moat,     F::Diamond,
    F::Clover,    F::Ring,      F::Flower,    F::Heart,     F::Crescent,  F::Wheel,    F::TwinLobes,
    F::HoleyHex,  F::Moat,      F::Circle,    F::Snowflake, F::Diamond,   F::Clover,   F::Ring,
    F::Flower,    F::Heart,     F::Moat,      F::Tile,      F::Hexagon,   F::HoleyHex, F::Circle,
    F::Snowflake, F::Wheel,
};

constexpr double kRowUnits = HexBoard::rowHeight / HexBoard::cellWidth;
// Where an outline's bounding box is centred: the middle of the space right
// of the score, lives and level column.
constexpr double kTargetX = 470.0;
constexpr double kTargetY = 300.0;

// A lattice point relative to the outline's centre cell.
struct Rel {
    int dx; // half cells
    int dy; // rows
    int q() const { return (dx - dy) / 2; }
    int r() const { return dy; }
    int s() const { return -q() - r(); }
    int distance() const { return std::max({std::abs(q()), std::abs(r()), std::abs(s())}); }
    double ux() const { return dx * 0.5; }
    double uy() const { return dy * kRowUnits; }
    bool operator<(const Rel& o) const { return dy != o.dy ? dy < o.dy : dx < o.dx; }
    bool operator==(const Rel& o) const { return dx == o.dx && dy == o.dy; }
};

Rel fromAxial(int q, int r) {
    return Rel{2 * q + r, r};
}

int floorMod(int a, int m) {
    int v = a % m;
    return v < 0 ? v + m : v;
}

bool inDisc(const Rel& p, double cx, double cy, double radius) {
    double x = p.ux() - cx;
    double y = p.uy() - cy;
    return x * x + y * y <= radius * radius;
}

bool insideForm(Form f, double R, const Rel& p) {
    const int d = p.distance();
    const double x = p.ux();
    const double y = p.uy();
    const double ax = std::abs(x);
    const double ay = std::abs(y);
    const int minAxis = std::min({std::abs(p.q()), std::abs(p.r()), std::abs(p.s())});
    switch (f) {
    case Form::Hexagon:
        return d <= R;
    case Form::Circle:
        return inDisc(p, 0, 0, R + 0.35);
    case Form::Diamond:
        return ax / (R + 0.6) + ay / (R * 0.95 + 0.3) <= 1.0;
    case Form::Tile:
        return ax <= R + 0.3 && ay <= R * 0.72;
    case Form::Triangle: {
        // Apex up, flat base (placement centres it).
        int a = static_cast<int>(R * 0.62);
        return p.q() <= a && p.r() <= a && p.s() <= a;
    }
    case Form::Flower: {
        if (inDisc(p, 0, 0, R * 0.4)) {
            return true;
        }
        for (int k = 0; k < 6; ++k) {
            double angle = k * M_PI / 3.0;
            if (inDisc(p, std::cos(angle) * R * 0.7, std::sin(angle) * R * 0.7, R * 0.34)) {
                return true;
            }
        }
        return false;
    }
    case Form::TwinLobes:
        return inDisc(p, -R * 0.55, 0, R * 0.5 + 0.3) || inDisc(p, R * 0.55, 0, R * 0.5 + 0.3) ||
               (ax <= R * 0.55 && ay <= 0.9);
    case Form::Heart: {
        double s = R * 0.85;
        double hx = x / s;
        double hy = -y / s + 0.2;
        double k = hx * hx + hy * hy - 1.0;
        return k * k * k - hx * hx * hy * hy * hy <= 0.0;
    }
    case Form::Ring: {
        int hole = static_cast<int>(std::floor(R / 2.0 - 1.0));
        return d <= R && d > hole;
    }
    case Form::Star: {
        // A six-pointed star on a hexagonal core that grows with the size.
        int a = std::min(3, static_cast<int>(R / 2.0 + 0.25));
        bool up = p.q() <= a && p.r() <= a && p.s() <= a;
        bool down = p.q() >= -a && p.r() >= -a && p.s() >= -a;
        return up || down || d <= std::min(R - 3.0, 4.0);
    }
    case Form::Bowtie:
        return ay <= 0.7 + ax * 0.65 && ax <= R + 0.3 && ay <= R * 0.75;
    case Form::Clover: {
        if (d <= 1) {
            return true;
        }
        for (int k = 0; k < 3; ++k) {
            double angle = -M_PI / 2.0 + k * 2.0 * M_PI / 3.0;
            if (inDisc(p, std::cos(angle) * R * 0.52, std::sin(angle) * R * 0.52, R * 0.5 + 0.2)) {
                return true;
            }
        }
        return false;
    }
    case Form::Crescent:
        return inDisc(p, 0, 0, R + 0.35) && !inDisc(p, R * 0.62, -R * 0.1, R * 0.8);
    case Form::Hourglass:
        return ax <= 0.8 + ay * 0.8 && ay <= R * 0.85 && ax <= R * 0.9;
    case Form::Wheel:
        // Rim, hub and spokes three cells wide, so lines run along each.
        return d <= R && (d >= R - 2 || d <= 2 || minAxis <= 1);
    case Form::HoleyHex:
        // Holes four apart leave room for lines of three between them.
        return d <= R && !(floorMod(p.q(), 4) == 0 && floorMod(p.r(), 4) == 0 && d > 0);
    case Form::Frame: {
        bool outer = ax <= R + 0.3 && ay <= R * 0.72;
        bool inner = ax <= R - 3.2 && ay <= R * 0.72 - 2.7;
        return outer && !inner;
    }
    case Form::Snowflake:
        // Six short arms, three cells across, round a broad core.
        return d <= R && (minAxis <= 1 || d <= R * 0.6);
    case Form::Wave:
        // A swell of water with rounded ends (no slivers where it is cut).
        return std::abs(y - (0.9 + 0.1 * R) * std::sin(x * 0.7)) <= 1.6 + 0.25 * R &&
               inDisc(p, 0, 0, R + 0.3);
    case Form::Moat: {
        // A hexagon inside a ring, joined by six broad bridges on the axes.
        int moat = static_cast<int>(std::lround(R * 0.5));
        return d <= R && !(d == moat && minAxis > 1);
    }
    case Form::Islands: {
        int a = static_cast<int>(R / 2.0);
        Rel left{p.dx + 2 * (a + 1), p.dy};
        Rel right{p.dx - 2 * (a + 1), p.dy};
        return left.distance() <= a || right.distance() <= a;
    }
    }
    return false;
}

const Rel kAxial[6] = {{2, 0}, {1, -1}, {-1, -1}, {-2, 0}, {-1, 1}, {1, 1}};

Rel add(const Rel& a, const Rel& b) {
    return Rel{a.dx + b.dx, a.dy + b.dy};
}

// 120 degree turn about the centre: (q, r, s) -> (s, q, r).
Rel turned(const Rel& p) {
    int q = p.s(), r = p.q();
    return fromAxial(q, r);
}

Rel mirrored(const Rel& p) {
    return Rel{-p.dx, p.dy};
}

// The lattice window outlines are traced in, with a margin of one point.
constexpr int kSpanY = HexBoard::rows + 1;
constexpr int kSpanX = 2 * HexBoard::columns + 2;
constexpr int kWindowWidth = 2 * kSpanX + 1;
constexpr int kWindowSize = kWindowWidth * (2 * kSpanY + 1);

int slotOf(const Rel& p) {
    if (std::abs(p.dy) > kSpanY || std::abs(p.dx) > kSpanX) {
        return -1;
    }
    return (p.dy + kSpanY) * kWindowWidth + p.dx + kSpanX;
}

// An outline: its cells with their map characters, relative to its centre.
struct Outline {
    std::vector<Rel> cells; // row order
    std::vector<char> marks;
    std::vector<int> cellAt = std::vector<int>(kWindowSize, -1);
    std::vector<char> outside; // lattice points around the outline reached from afar

    int find(const Rel& p) const {
        int slot = slotOf(p);
        return slot < 0 ? -1 : cellAt[slot];
    }
    bool onOuterRim(const Rel& p) const {
        for (const Rel& step : kAxial) {
            int slot = slotOf(add(p, step));
            if (slot < 0 || outside[slot]) {
                return true;
            }
        }
        return false;
    }
    bool interior(const Rel& p) const {
        for (const Rel& step : kAxial) {
            if (find(add(p, step)) < 0) {
                return false;
            }
        }
        return true;
    }
};

Outline trace(Form f, double R) {
    Outline o;
    for (int dy = -HexBoard::rows; dy <= HexBoard::rows; ++dy) {
        for (int dx = -2 * HexBoard::columns; dx <= 2 * HexBoard::columns; ++dx) {
            Rel p{dx, dy};
            if (floorMod(dx - dy, 2) == 0 && insideForm(f, R, p)) {
                o.cellAt[slotOf(p)] = static_cast<int>(o.cells.size());
                o.cells.push_back(p);
            }
        }
    }
    o.marks.assign(o.cells.size(), '0');
    return o;
}

// Marks the empty lattice points connected to the window's border, so holes
// inside an outline do not count as its rim.
void findOutside(Outline& o) {
    o.outside.assign(kWindowSize, 0);
    Rel corner{-kSpanX + (kSpanX + kSpanY) % 2, -kSpanY};
    std::vector<Rel> todo{corner};
    o.outside[slotOf(corner)] = 1;
    while (!todo.empty()) {
        Rel p = todo.back();
        todo.pop_back();
        for (const Rel& step : kAxial) {
            Rel n = add(p, step);
            int slot = slotOf(n);
            if (slot < 0 || o.cellAt[slot] >= 0 || o.outside[slot]) {
                continue;
            }
            o.outside[slot] = 1;
            todo.push_back(n);
        }
    }
}

// Half-filled and filled cells: none in the first chapter, then one of a few
// patterns that rotate from level to level.
void decorate(Outline& o, int number) {
    // The first chapter has nothing pre-filled; the last level gives no help.
    if (number <= 10 || number == LevelDesign::levelCount) {
        return;
    }
    const int pattern = number % 4;
    for (size_t i = 0; i < o.cells.size(); ++i) {
        const Rel& p = o.cells[i];
        switch (pattern) {
        case 0:
            if (o.onOuterRim(p)) {
                o.marks[i] = '1';
            }
            break;
        case 2:
            if (floorMod(p.q() - p.r(), 3) == 0) {
                o.marks[i] = '1';
            }
            break;
        case 3:
            if (p.distance() <= 1 && number > 20) {
                o.marks[i] = '2';
            } else if (p.distance() <= 2) {
                o.marks[i] = '1';
            }
            break;
        default:
            break;
        }
    }
}

std::string mapOf(const Outline& o, int centreRow, int centreX) {
    std::string map(HexBoard::positionCount(), '.');
    for (size_t i = 0; i < o.cells.size(); ++i) {
        int r = centreRow + o.cells[i].dy;
        int c = (centreX + o.cells[i].dx - std::abs(r - HexBoard::middle)) / 2;
        map[HexBoard::index(r, c)] = o.marks[i];
    }
    return map;
}

bool fitsAt(const Outline& o, int centreRow, int centreX) {
    for (const Rel& p : o.cells) {
        int r = centreRow + p.dy;
        int x2 = centreX + p.dx - std::abs(r - HexBoard::middle);
        if (r < 0 || r >= HexBoard::rows || x2 < 0 || x2 % 2 != 0) {
            return false;
        }
        int c = x2 / 2;
        if (HexBoard::index(r, c) < 0 ||
            LevelDesign::touchesDisplay(HexBoard::centreX(r, c), HexBoard::centreY(r))) {
            return false;
        }
    }
    return true;
}

// Connected groups of the outline's cells; with skipLocked, of the cells
// that stay free of locked balls.
int groupsOf(const Outline& o, bool skipLocked = false) {
    std::vector<int> seen(o.cells.size(), 0);
    int groups = 0;
    for (size_t i = 0; i < o.cells.size(); ++i) {
        if (seen[i] || (skipLocked && o.marks[i] == '4')) {
            continue;
        }
        ++groups;
        std::vector<size_t> todo{i};
        seen[i] = 1;
        while (!todo.empty()) {
            Rel p = o.cells[todo.back()];
            todo.pop_back();
            for (const Rel& step : kAxial) {
                int j = o.find(add(p, step));
                if (j >= 0 && !seen[j] && !(skipLocked && o.marks[j] == '4')) {
                    seen[j] = 1;
                    todo.push_back(j);
                }
            }
        }
    }
    return groups;
}

// Locked cells in threes turned by 120 degrees about the centre where the
// outline allows, else in mirrored pairs, else singly; never on the rim and
// never cutting the free cells apart.
void lock(Outline& o, int count, int islands) {
    std::vector<Rel> order;
    int far = 0;
    for (const Rel& p : o.cells) {
        far = std::max(far, p.distance());
    }
    for (size_t i = 0; i < o.cells.size(); ++i) {
        if (o.interior(o.cells[i]) && o.marks[i] != '2') {
            order.push_back(o.cells[i]);
        }
    }
    const double mid = far * 0.55;
    std::stable_sort(order.begin(), order.end(), [mid](const Rel& a, const Rel& b) {
        double da = std::abs(a.distance() - mid), db = std::abs(b.distance() - mid);
        if (da != db) {
            return da < db;
        }
        return std::atan2(a.uy(), a.ux()) < std::atan2(b.uy(), b.ux());
    });
    int placed = 0;
    auto freeGroups = [&]() { return groupsOf(o, true); };
    // Deep cells (away from the rim by two) first: a locked cell in a narrow
    // arm would block the only lines along it.
    auto deep = [&](const Rel& p) {
        for (const Rel& step : kAxial) {
            if (!o.interior(add(p, step))) {
                return false;
            }
        }
        return true;
    };
    bool deepOnly = true;
    auto tryGroup = [&](const std::vector<Rel>& group) {
        std::set<Rel> distinct(group.begin(), group.end());
        if (distinct.size() != group.size() || placed + static_cast<int>(group.size()) > count) {
            return;
        }
        std::vector<int> idx;
        for (const Rel& p : group) {
            int i = o.find(p);
            if (i < 0 || o.marks[i] == '4' || o.marks[i] == '2' || !o.interior(p) ||
                (deepOnly && !deep(p))) {
                return;
            }
            // Locked cells keep a free cell between them.
            for (const Rel& step : kAxial) {
                int j = o.find(add(p, step));
                if (j >= 0 && o.marks[j] == '4') {
                    return;
                }
            }
            idx.push_back(i);
        }
        std::vector<char> before;
        for (int i : idx) {
            before.push_back(o.marks[i]);
            o.marks[i] = '4';
        }
        if (freeGroups() != islands) {
            for (size_t k = 0; k < idx.size(); ++k) {
                o.marks[idx[k]] = before[k];
            }
            return;
        }
        placed += static_cast<int>(idx.size());
    };
    for (int pass = 0; pass < 2; ++pass, deepOnly = false) {
        for (const Rel& p : order) {
            tryGroup({p, turned(p), turned(turned(p))});
        }
        for (const Rel& p : order) {
            tryGroup({p, mirrored(p)});
        }
        for (const Rel& p : order) {
            tryGroup({p});
        }
    }
}

struct Placement {
    bool found = false;
    int row = 0;
    int x2 = 0;
    double offCentre = 0;
};

// The board position for the outline's centre that keeps it clear of the
// display and puts its bounding box nearest the middle of the free space.
Placement place(const Outline& o) {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Rel& p : o.cells) {
        minX = std::min(minX, p.ux() * HexBoard::cellWidth);
        maxX = std::max(maxX, p.ux() * HexBoard::cellWidth);
        minY = std::min(minY, p.uy() * HexBoard::cellWidth);
        maxY = std::max(maxY, p.uy() * HexBoard::cellWidth);
    }
    Placement best;
    for (int r = 0; r < HexBoard::rows; ++r) {
        for (int c = 0; c < HexBoard::width(r); ++c) {
            double bx = HexBoard::centreX(r, c) + (minX + maxX) / 2.0;
            double by = HexBoard::centreY(r) + (minY + maxY) / 2.0;
            double off = std::hypot(bx - kTargetX, (by - kTargetY) * 1.5);
            if ((best.found && off >= best.offCentre) || off > 120.0) {
                continue;
            }
            if (fitsAt(o, r, HexBoard::doubledX(r, c))) {
                best = {true, r, HexBoard::doubledX(r, c), off};
            }
        }
    }
    return best;
}

} // namespace

std::string LevelPlan::fileText() const {
    std::string text;
    for (int v : {colours, fillPercent, 0, jokerPercent, rows, columns}) {
        text += std::to_string(v) + "\r\n";
    }
    return text + map + "\r\n";
}

int LevelDesign::coloursFor(int number) {
    if (number <= 12) {
        return 4;
    }
    if (number <= 40) {
        return 5;
    }
    return number <= 78 ? 6 : 7;
}

namespace {
double progress(int number) {
    return (number - 1) / double(LevelDesign::levelCount - 1);
}
} // namespace

int LevelDesign::fillPercentFor(int number) {
    // A new colour is a big step, so the starting balls ease off for a
    // stretch after one and then climb again.
    int ease = 0;
    for (int step = 2; step <= number; ++step) {
        if (coloursFor(step) != coloursFor(step - 1)) {
            ease = std::max(0, 10 - (number - step) * 2 / 5);
        }
    }
    return std::max(2, 4 + static_cast<int>(std::lround(26.0 * progress(number))) - ease);
}

int LevelDesign::jokerPercentFor(int number) {
    return 15 - static_cast<int>(std::lround(13.0 * progress(number)));
}

int LevelDesign::lockedCountFor(int number) {
    return number < 16 ? 0 : std::min(18, 3 * ((number - 16) / 16 + 1));
}

int LevelDesign::targetWorkFor(int number) {
    // Rises quickly at first and levels off where the board runs out of room.
    double rise = 1.0 - std::pow(1.0 - progress(number), 1.6);
    return static_cast<int>(std::lround(108.0 + 132.0 * rise));
}

int LevelDesign::workOf(const std::string& map) {
    int work = 0;
    for (char ch : map) {
        work += ch == '0' ? 2 : ch == '1' ? 1 : ch == '4' ? 3 : 0;
    }
    return work;
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
    const Form form = kSequence[number - 1];
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
        lock(o, lockedCountFor(number), islands);
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
