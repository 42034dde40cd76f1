// The little boards the help and hint animations are drawn from.
//
// Index, in file order:
// - The patch of board, its balls, the chain jar, and drawScene.
// - The scenes: a move, lines on each axis, filling, new balls, special
//   balls and how they are made, the chain, the level.

#include "HelpScenes.h"

#include "BoardArt.h"
#include "Canvas.h"
#include "GameScreen.h"
#include "SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A little hexagonal board of 5 rows (5, 6, 7, 6, 5 cells), as the game's.
struct Patch {
    static constexpr int kRows = 5, kColumns = 7, kMiddle = 2;
    double ox = 0, oy = 0, radius = 16;

    static int width(int row) { return kColumns - std::abs(kMiddle - row); }
    double cellW() const { return radius * std::sqrt(3.0); }
    double rowH() const { return radius * 1.5 + 1; }
    double x(double row, double col) const {
        return ox + std::abs(kMiddle - row) * cellW() / 2 + col * cellW();
    }
    double y(double row) const { return oy + (row - kMiddle) * rowH(); }
};

// The chain jar in the frame's top right corner, lit from the bottom up to
// the moves made, with the moves still needed on its badge.
void drawJar(Canvas& canvas, int chain, int w) {
    static const Picture dull = chainJar(false), lit = chainJar(true);
    const double k = 0.42, x = w - 128 * k - 2, y = 2;
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, k, k);
    canvas.paint(dull, 0, 0);
    const double full = std::min(1.0, static_cast<double>(chain) / chainLength);
    cairo_rectangle(cr, 0, 128 * (1 - full), 128, 128 * full);
    cairo_clip(cr);
    canvas.paint(lit, 0, 0);
    cairo_restore(cr);
    Lettering::plain(canvas, std::to_string(std::max(0, chainLength - chain)), Face::SansBold, 14,
                     x + 96 * k, y + 38 * k + 5, Align::Centre, {1, 1, 1});
}

Scene emptyScene(int fillValue = 0) {
    Scene s;
    for (int r = 0; r < Patch::kRows; ++r) {
        s.fill.emplace_back(Patch::width(r), fillValue);
    }
    return s;
}

double ease(double t) {
    return t * t * (3 - 2 * t);
}

} // namespace

Picture drawScene(const Scene& scene, int w, int h, double radius) {
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    Patch p;
    p.radius = radius;
    // Centre the patch.
    p.ox = w / 2.0 - 3 * p.cellW();
    p.oy = h / 2.0;
    for (int r = 0; r < Patch::kRows; ++r) {
        for (int c = 0; c < Patch::width(r); ++c) {
            if (scene.fill[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] >= 0) {
                BoardArt::cellBack(
                    cr, p.x(r, c), p.y(r), radius * 0.95,
                    scene.fill[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
            }
        }
    }
    for (const auto& [r, c] : scene.sparkles) {
        BoardArt::spark(cr, p.x(r, c), p.y(r), radius * 0.7, Palette::gold, 0.9);
    }
    for (std::size_t i = 0; i < scene.balls.size(); ++i) {
        const BallAt& b = scene.balls[i];
        if (b.alpha <= 0) {
            continue;
        }
        const double bx = p.x(b.row, b.col), by = p.y(b.row);
        if (static_cast<int>(i) == scene.selected) {
            Shapes::glow(cr, bx, by, radius * 1.5, Palette::gold, 0.8);
        }
        cairo_push_group(cr);
        BoardArt::ball(cr, bx, by, radius * 0.72 * b.scale, b.colour, 0.9);
        const int row = static_cast<int>(std::lround(b.row)),
                  col = static_cast<int>(std::lround(b.col));
        if (row >= 0 && row < Patch::kRows && col >= 0 && col < Patch::width(row) &&
            scene.fill[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == 4) {
            BoardArt::lock(cr, bx, by, radius * 1.7);
        }
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, b.alpha);
        if (b.scale > 1.05 && scene.burst > 0) {
            SeededRandom rng(static_cast<std::uint32_t>(i * 31 + 7));
            for (int k = 0; k < 10; ++k) {
                const double a = rng.between(0, 2 * M_PI),
                             d = radius * (0.6 + 1.6 * scene.burst) * rng.between(0.6, 1.2);
                BoardArt::spark(cr, bx + std::cos(a) * d, by + std::sin(a) * d, radius * 0.45,
                                Palette::gold, 1 - scene.burst * 0.6);
            }
        }
    }
    if (scene.chain >= 0) {
        drawJar(canvas, scene.chain, w);
    }
    return canvas.picture();
}

// A ball picked up and carried along a path of free cells.
Scene moveScene(int f) {
    Scene s = emptyScene();
    s.balls = {{2, 0, 0}, {1, 2, 1}, {2, 2, 2}, {3, 2, 3}, {2, 5, 0}, {1, 4, 0}};
    // Path: (2,0) -> (2,1) -> (1,1) [row 1 col 1] -> (0,1) -> ... ends beside the two reds.
    const std::vector<std::pair<double, double>> path{{2, 0}, {2, 1}, {1, 1},
                                                      {0, 1}, {0, 2}, {0, 3}};
    const int travel = static_cast<int>(path.size()) - 1;
    if (f == 0) {
        s.selected = 0;
    } else if (f <= travel) {
        s.selected = 0;
        for (std::size_t i = static_cast<std::size_t>(f); i < path.size(); ++i) {
            s.sparkles.push_back(path[i]);
        }
        s.balls[0].row = path[static_cast<std::size_t>(f)].first;
        s.balls[0].col = path[static_cast<std::size_t>(f)].second;
    } else {
        s.balls[0].row = path.back().first;
        s.balls[0].col = path.back().second;
        // It lands on a diagonal with the two others of its colour: they explode.
        if (f > travel + 1) {
            const double t = std::min(1.0, (f - travel - 1) / 2.0);
            for (int i : {0, 4, 5}) {
                s.balls[static_cast<std::size_t>(i)].scale = 1 + 0.5 * t;
                s.balls[static_cast<std::size_t>(i)].alpha = 1 - t;
            }
            s.burst = t;
            for (const auto& [r, c] : {std::pair{0, 3}, std::pair{1, 4}, std::pair{2, 5}}) {
                s.fill[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = t >= 1 ? 1 : 0;
            }
        }
    }
    return s;
}

// Three of a colour in a row explode and fill their cells.
Scene lineScene(int f, int axis) {
    Scene s = emptyScene();
    // Three cells on one axis through the middle, and a ball that completes them.
    std::vector<std::pair<double, double>> line;
    if (axis == 0) {
        line = {{2, 2}, {2, 3}, {2, 4}};
    } else if (axis == 1) {
        line = {{1, 2}, {2, 3}, {3, 3}};
    } else {
        line = {{1, 3}, {2, 3}, {3, 2}};
    }
    s.balls = {{line[0].first, line[0].second, 2},
               {line[1].first, line[1].second, 2},
               {0, 1, 5},
               {4, 3, 7}};
    const std::pair<double, double> start{4, 0};
    if (f < 3) {
        const double t = ease(f / 3.0);
        s.balls.push_back({start.first + (line[2].first - start.first) * t,
                           start.second + (line[2].second - start.second) * t, 2});
        s.selected = f == 0 ? 4 : -1;
    } else {
        s.balls.push_back({line[2].first, line[2].second, 2});
    }
    if (f >= 4) {
        const double t = std::min(1.0, (f - 4) / 3.0);
        for (int i : {0, 1, 4}) {
            s.balls[static_cast<std::size_t>(i)].scale = 1 + 0.5 * t;
            s.balls[static_cast<std::size_t>(i)].alpha = 1 - t;
        }
        s.burst = t;
        if (f >= 6) {
            for (const auto& [r, c] : line) {
                s.fill[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = f >= 7 ? 3 : 1;
            }
        }
    }
    return s;
}

// Empty cells become half filled, then filled, as balls explode on them.
Scene fillScene(int f) {
    Scene s = emptyScene();
    // A ball on the cell explodes at `when` (half filled) and another four
    // frames later (filled).
    auto explodeOn = [&](double r, double c, int colour, int at) {
        if (f == at - 1) {
            s.balls.push_back({r, c, colour});
        } else if (f == at) {
            s.balls.push_back({r, c, colour, 1.4, 0.45});
            s.burst = 0.5;
        }
    };
    for (int r = 0; r < Patch::kRows; ++r) {
        for (int c = 0; c < Patch::width(r); ++c) {
            if (r == 2 && c == 3) {
                continue;
            }
            const int when = (r * 7 + c * 3) % 10;
            s.fill[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = f > when + 4 ? 3
                                                                               : f > when   ? 1
                                                                                            : 0;
            explodeOn(r, c, (r + c) % 3, when);
            explodeOn(r, c, (r + c + 1) % 3, when + 4);
        }
    }
    // The caged ball on its locked cell, freed by a line through it at the end.
    if (f < 14) {
        s.fill[2][3] = 4;
        s.balls.push_back({2, 3, 4});
        if (f >= 12) {
            s.balls.push_back({2, 2, 4});
            s.balls.push_back({2, 4, 4});
        }
        if (f == 13) {
            for (std::size_t i = s.balls.size() - 3; i < s.balls.size(); ++i) {
                s.balls[i].scale = 1.4;
                s.balls[i].alpha = 0.45;
            }
            s.burst = 0.6;
        }
    } else {
        s.fill[2][3] = 3;
    }
    return s;
}

// New balls shown small beforehand, then landing.
Scene newBallsScene(int f) {
    Scene s = emptyScene();
    // A move that makes no line: the red goes from (1, 1) to (1, 3).
    const double t = ease(std::min(1.0, f / 3.0));
    s.balls = {{1, 1 + 2 * t, 0}, {2, 4, 1}, {3, 2, 3}};
    if (f == 0) {
        s.selected = 0;
    }
    const BallAt fresh[] = {{0, 3, 2}, {2, 1, 4}, {4, 4, 0}};
    for (const BallAt& b : fresh) {
        BallAt n = b;
        if (f < 4) {
            n.scale = 0.5;
            n.alpha = 0.8;
        } else {
            n.scale = std::min(1.5, 0.5 + (f - 3) * 0.35);
            if (f >= 7) {
                n.scale = 1.0;
            }
        }
        s.balls.push_back(n);
    }
    return s;
}

// A special ball (joker, colour bomb or blast ball) completing a line.
Scene specialScene(int f, int special) {
    Scene s = emptyScene(1);
    s.balls = {{2, 1, 0}, {2, 2, 0}, {1, 4, 3}, {3, 4, 0}, {0, 2, 5}, {3, 1, 0}};
    const double t = ease(std::min(1.0, f / 3.0));
    s.balls.push_back({4 + (2 - 4) * t, 4 + (3 - 4) * t, special});
    if (f == 0) {
        s.selected = 6;
    }
    if (f >= 4) {
        const double e = std::min(1.0, (f - 4) / 3.0);
        std::vector<int> gone{0, 1, 6};
        if (special == BoardArt::colourBomb) {
            gone = {0, 1, 3, 5, 6}; // every ball of the line's colour
        } else if (special == BoardArt::blastBall) {
            gone = {0, 1, 2, 3, 4, 5, 6}; // everything around
        }
        for (int i : gone) {
            s.balls[static_cast<std::size_t>(i)].scale = 1 + 0.5 * e;
            s.balls[static_cast<std::size_t>(i)].alpha = 1 - e;
        }
        s.burst = e;
    }
    return s;
}

// How a special ball is made, then used: a line of `length` (four for the
// colour bomb, five for the blast ball) explodes and leaves the special on
// the cell the last ball came to, and the special goes into a line.
Scene specialBirthScene(int f, int special, int length) {
    if (f >= birthFrames) {
        Scene s = specialScene(f - birthFrames, special);
        for (int& cell : s.fill[4]) {
            cell = 3; // where the long line exploded
        }
        return s;
    }
    Scene s = specialScene(0, special);
    s.selected = -1;
    s.balls.pop_back(); // the special is not made yet
    const int first = 4 - (length - 1);
    std::vector<std::size_t> line;
    for (int c = first; c < 4; ++c) {
        line.push_back(s.balls.size());
        s.balls.push_back({4, static_cast<double>(c), 1});
    }
    // The last of the line comes from (3, 5) to (4, 4).
    const double t = std::min(1.0, f / 2.0);
    line.push_back(s.balls.size());
    s.balls.push_back({3 + t, 5 - t, 1});
    if (f == 0) {
        s.selected = static_cast<int>(s.balls.size()) - 1;
    }
    if (f >= 3 && f <= 4) {
        const double e = (f - 2) / 2.0;
        for (std::size_t i : line) {
            s.balls[i].scale = 1 + 0.5 * e;
            s.balls[i].alpha = 1 - e;
        }
        s.burst = e;
    }
    if (f >= 5) {
        for (std::size_t i : line) {
            s.balls[i].alpha = 0;
        }
        for (int c = first; c <= 4; ++c) {
            s.fill[4][static_cast<std::size_t>(c)] = 3;
        }
        s.balls.push_back({4, 4, special, f == 5 ? 0.6 : 1.0});
    }
    return s;
}

// The chain: five scoring moves in a row, each completing a line, light the
// jar one step each; the fifth bursts it in a blast around the last line.
Scene chainScene(int f) {
    Scene s = emptyScene();
    const int move = f / 4, step = f % 4;
    s.chain = std::min(move, chainLength);
    for (int m = 0; m < chainLength; ++m) {
        // Row m holds two of colour m at columns 1 and 2.
        const double row = m;
        const bool exploded = m < move || (m == move && step == 3);
        for (int c = 1; c <= 3; ++c) {
            s.fill[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = exploded ? 1 : 0;
        }
        if (m > move || (m == move && move < chainLength)) {
            s.balls.push_back({row, 1, m});
            s.balls.push_back({row, 2, m});
        }
        if (m == move) {
            // The third comes in from the right, the line explodes, the jar lights.
            if (step == 0) {
                s.balls.push_back({row, 4, m});
                s.selected = static_cast<int>(s.balls.size()) - 1;
            } else {
                s.balls.push_back({row, 3, m});
            }
            if (step >= 2) {
                const double t = step == 2 ? 0.5 : 1.0;
                for (std::size_t i = s.balls.size() - 3; i < s.balls.size(); ++i) {
                    s.balls[i].scale = 1 + 0.5 * t;
                    s.balls[i].alpha = 1 - t;
                }
                s.burst = t;
                s.chain = move + 1;
            }
        }
    }
    // Balls the blast sweeps away when the jar bursts.
    const BallAt strays[] = {{0, 0, 6}, {1, 5, 7}, {3, 0, 5}, {2, 6, 6}, {4, 0, 7}, {3, 5, 5}};
    const double blast = move >= chainLength ? std::min(1.0, (step + 1) / 3.0) : 0;
    for (BallAt b : strays) {
        if (move >= chainLength) {
            b.scale = 1 + 0.5 * blast;
            b.alpha = 1 - blast;
        }
        s.balls.push_back(b);
    }
    if (move >= chainLength) {
        s.burst = blast;
        for (auto& row : s.fill) {
            for (int& cell : row) {
                cell = std::min(3, cell + 1);
            }
        }
    }
    return s;
}

// A completed level: every cell filled and shining.
Scene levelScene(int f) {
    Scene s = emptyScene(3);
    s.sparkles = {{static_cast<double>(f % 5), static_cast<double>((f * 2) % 5)},
                  {static_cast<double>((f + 2) % 5), static_cast<double>((f * 3 + 1) % 5)}};
    return s;
}
