#pragma once

#include "HexBoard.h"

#include <array>
#include <string>
#include <vector>

// The outlines levels are drawn from, traced on the board's lattice relative
// to their centre cell, with the map characters each cell will get.
namespace leveldesign {

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
    // Narrow outlines leave fewer places for a line, so a level on one may
    // start with fewer balls: percent of the cells taken off the curve.
    int fillEase = 0;
};

FormInfo info(Form f);
// The outline of a level (1 to the level count).
Form formOf(int number);

constexpr double rowUnits = HexBoard::rowHeight / HexBoard::cellWidth;

// A lattice point relative to the outline's centre cell.
struct Rel {
    int dx; // half cells
    int dy; // rows
    int q() const { return (dx - dy) / 2; }
    int r() const { return dy; }
    int s() const { return -q() - r(); }
    int distance() const;
    double ux() const { return dx * 0.5; }
    double uy() const { return dy * rowUnits; }
    bool operator<(const Rel& o) const { return dy != o.dy ? dy < o.dy : dx < o.dx; }
    bool operator==(const Rel& o) const { return dx == o.dx && dy == o.dy; }
};

// The six steps to a point's neighbours.
extern const std::array<Rel, 6> axialSteps;

Rel fromAxial(int q, int r);
int floorMod(int a, int m);
Rel add(const Rel& a, const Rel& b);
// 120 degree turn about the centre: (q, r, s) -> (s, q, r).
Rel turned(const Rel& p);
Rel mirrored(const Rel& p);

// The lattice window outlines are traced in, with a margin of one point.
constexpr int spanY = HexBoard::rows + 1;
constexpr int spanX = 2 * HexBoard::columns + 2;
constexpr int windowWidth = 2 * spanX + 1;
constexpr int windowSize = windowWidth * (2 * spanY + 1);
// Index of a point in the window, -1 outside it.
int slotOf(const Rel& p);

// An outline: its cells with their map characters, relative to its centre.
struct Outline {
    std::vector<Rel> cells; // row order
    std::vector<char> marks;
    std::vector<int> cellAt = std::vector<int>(windowSize, -1);
    std::vector<char> outside; // lattice points around the outline reached from afar

    int find(const Rel& p) const;
    bool onOuterRim(const Rel& p) const;
    bool interior(const Rel& p) const;
};

Outline trace(Form f, double size);
// Marks the empty lattice points connected to the window's border, so holes
// inside an outline do not count as its rim.
void findOutside(Outline& o);
// Half-filled and filled cells of the level's pattern.
void decorate(Outline& o, int number);
// Connected groups of the outline's cells; with skipLocked, of the cells
// that stay free of locked balls.
int groupsOf(const Outline& o, bool skipLocked = false);

} // namespace leveldesign
