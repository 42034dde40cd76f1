#include "LevelPlacement.h"

#include "LevelDesign.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

namespace leveldesign {

namespace {

// Where an outline's bounding box is centred: the middle of the space right
// of the score, lives and level column.
constexpr double kTargetX = 470.0;
constexpr double kTargetY = 300.0;

} // namespace

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
        for (const Rel& step : axialSteps) {
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
            for (const Rel& step : axialSteps) {
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

} // namespace leveldesign
