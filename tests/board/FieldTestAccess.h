#pragma once

#include "board/Field.h"

#include <string>
#include <vector>

// Lets the board tests arrange and inspect a field directly.
class FieldTestAccess {
public:
    // Puts an idle ball of colour on (r, c), replacing any ball there.
    static Ball* put(Field& f, int r, int c, int colour) {
        auto ball = std::make_unique<Ball>(colour, f.centre(r, c));
        Ball* raw = ball.get();
        f.m_balls[f.m_geometry.index(r, c)] = std::move(ball);
        return raw;
    }
    static void remove(Field& f, int r, int c) { f.m_balls[f.m_geometry.index(r, c)].reset(); }
    static void removeAll(Field& f) {
        for (auto& b : f.m_balls) {
            b.reset();
        }
        f.m_lastMovedBall = nullptr;
        f.m_landing.clear();
    }
    static void clearNewCells(Field& f) { f.m_newCells.clear(); }
    static Ball* addNewCell(Field& f, int r, int c, int colour) {
        f.m_newCells.push_back(std::make_unique<Ball>(colour, f.centre(r, c)));
        return f.m_newCells.back().get();
    }
    static void setState(Field& f, int state) { f.m_state = state; }
    static void setChainCounter(Field& f, int n) { f.m_chainCounter = n; }
    static void setTimeOnLevel(Field& f, int ms) { f.m_statTimeOnLevel = ms; }
    // Every position of the table, cells or not.
    static Ball* rawBall(const Field& f, int r, int c) {
        return f.m_balls[f.m_geometry.index(r, c)].get();
    }
    static const std::vector<Cell>& landing(const Field& f) { return f.m_landing; }
    static Ball* lastMovedBall(const Field& f) { return f.m_lastMovedBall; }
    static void setPreviewPath(Field& f, std::vector<Cell> path) {
        f.m_previewPath = std::move(path);
    }
    static void setColours(Field& f, int colours) { f.m_colours = colours; }
    static void setJokerPercent(Field& f, int percent) { f.m_jokerPercent = percent; }
    static void setMinBalls(Field& f, int n) { f.m_minBalls = n; }
};
