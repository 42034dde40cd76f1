#include "LevelOutline.h"

#include "LevelDesign.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace leveldesign {

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
        return {"flower", 1, 7};
    case Form::TwinLobes:
        return {"twin lobes", 1};
    case Form::Heart:
        return {"heart", 1};
    case Form::Ring:
        return {"ring", 1, 6};
    case Form::Star:
        return {"star", 1, 4};
    case Form::Bowtie:
        return {"bow tie", 1};
    case Form::Clover:
        return {"clover", 1};
    case Form::Crescent:
        return {"crescent", 1, 6};
    case Form::Hourglass:
        return {"hourglass", 1};
    case Form::Wheel:
        return {"wheel", 1, 5};
    case Form::HoleyHex:
        return {"hexagon with holes", 1, 2};
    case Form::Frame:
        return {"frame", 1, 6};
    case Form::Snowflake:
        return {"snowflake", 1, 5};
    case Form::Wave:
        return {"wave", 1};
    case Form::Islands:
        return {"twin islands", 2};
    case Form::Moat:
        return {"moat", 1};
    }
    return {"?", 1};
}

namespace {

using F = Form;
// Ten chapters of ten outlines: each chapter revisits familiar ones and
// brings a few new ones, so the look changes from level to level. The narrow outlines (stars, bow
// ties, frames, islands) reach their largest size early, so the later chapters use the ones that
// grow to fill the board; once eight colours are in play lines are scarce, and the last stretch
// keeps to broad outlines, ending on the two that leave a planner the most room.
const Form kSequence[LevelDesign::levelCount] = {
    F::Hexagon,   F::Circle,    F::Diamond,   F::Tile,     F::Flower,    F::Triangle, F::TwinLobes,
    F::Hexagon,   F::Heart,     F::Ring,      F::Star,     F::Clover,    F::Bowtie,   F::Circle,
    F::Crescent,  F::Hourglass, F::Hexagon,   F::Wheel,    F::Diamond,   F::Flower,   F::HoleyHex,
    F::TwinLobes, F::Frame,     F::Snowflake, F::Heart,    F::Star,      F::Wave,     F::Ring,
    F::Tile,      F::Clover,    F::Islands,   F::Crescent, F::Hexagon,   F::Bowtie,   F::Wheel,
    F::Flower,    F::Hourglass, F::Triangle,  F::Circle,   F::HoleyHex,  F::Frame,    F::Star,
    F::Triangle,  F::Snowflake, F::Diamond,   F::Wave,     F::Heart,     F::Moat,     F::Clover,
    F::Hexagon,   F::TwinLobes, F::Ring,      F::Crescent, F::Tile,      F::Flower,   F::HoleyHex,
    F::Moat,      F::Heart,     F::Tile,      F::Circle,   F::TwinLobes, F::Diamond,  F::Clover,
    F::Moat,      F::Hexagon,   F::Heart,     F::Circle,   F::TwinLobes, F::Diamond,  F::Heart,
    F::Hexagon,   F::HoleyHex,  F::Tile,      F::Circle,   F::Heart,     F::Moat,     F::Diamond,
    F::Clover,    F::Hexagon,   F::Tile,      F::Heart,    F::Diamond,   F::Circle,   F::TwinLobes,
    F::HoleyHex,  F::Hexagon,   F::Moat,      F::Circle,   F::Heart,     F::Circle,   F::Diamond,
    F::Circle,    F::Diamond,   F::Circle,    F::Diamond,  F::Circle,    F::Diamond,  F::Circle,
    F::Diamond,   F::Circle,
};

} // namespace

Form formOf(int number) {
    return kSequence[std::clamp(number, 1, LevelDesign::levelCount) - 1];
}

int Rel::distance() const {
    return std::max({std::abs(q()), std::abs(r()), std::abs(s())});
}

const std::array<Rel, 6> axialSteps = {{{2, 0}, {1, -1}, {-1, -1}, {-2, 0}, {-1, 1}, {1, 1}}};

Rel fromAxial(int q, int r) {
    return Rel{2 * q + r, r};
}

int floorMod(int a, int m) {
    int v = a % m;
    return v < 0 ? v + m : v;
}

namespace {

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

} // namespace

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

int slotOf(const Rel& p) {
    if (std::abs(p.dy) > spanY || std::abs(p.dx) > spanX) {
        return -1;
    }
    return (p.dy + spanY) * windowWidth + p.dx + spanX;
}

int Outline::find(const Rel& p) const {
    int slot = slotOf(p);
    return slot < 0 ? -1 : cellAt[slot];
}

bool Outline::onOuterRim(const Rel& p) const {
    for (const Rel& step : axialSteps) {
        int slot = slotOf(add(p, step));
        if (slot < 0 || outside[slot]) {
            return true;
        }
    }
    return false;
}

bool Outline::interior(const Rel& p) const {
    for (const Rel& step : axialSteps) {
        if (find(add(p, step)) < 0) {
            return false;
        }
    }
    return true;
}

Outline trace(Form f, double size) {
    Outline o;
    for (int dy = -HexBoard::rows; dy <= HexBoard::rows; ++dy) {
        for (int dx = -2 * HexBoard::columns; dx <= 2 * HexBoard::columns; ++dx) {
            Rel p{dx, dy};
            if (floorMod(dx - dy, 2) == 0 && insideForm(f, size, p)) {
                o.cellAt[slotOf(p)] = static_cast<int>(o.cells.size());
                o.cells.push_back(p);
            }
        }
    }
    o.marks.assign(o.cells.size(), '0');
    return o;
}

void findOutside(Outline& o) {
    o.outside.assign(windowSize, 0);
    Rel corner{-spanX + (spanX + spanY) % 2, -spanY};
    std::vector<Rel> todo{corner};
    o.outside[slotOf(corner)] = 1;
    while (!todo.empty()) {
        Rel p = todo.back();
        todo.pop_back();
        for (const Rel& step : axialSteps) {
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

void decorate(Outline& o, int number) {
    // The first chapter has nothing pre-filled, nor has the last stretch.
    if (!LevelDesign::prefillsFor(number)) {
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

int groupsOf(const Outline& o, bool skipLocked) {
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
            for (const Rel& step : axialSteps) {
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

} // namespace leveldesign
