#pragma once

#include "Picture.h"

#include <utility>
#include <vector>

// A ball of a help scene: on a cell (row and column may lie between cells
// while it travels), in a colour or a special's id, grown and faded as it
// explodes.
struct BallAt {
    double row, col;
    int colour;
    double scale = 1, alpha = 1;
};

// One frame of a help animation on a patch of 5 rows (5, 6, 7, 6, 5 cells).
struct Scene {
    std::vector<std::vector<int>> fill; // per row and cell; -1 no cell
    std::vector<BallAt> balls;
    std::vector<std::pair<double, double>> sparkles; // cells (row, col) with path sparkles
    int selected = -1;                               // index of the selected ball
    double burst = 0;                                // sparks around exploding balls
    int chain = -1; // scoring moves in a row shown on the chain jar; -1 no jar
};

// Scoring moves in a row that burst the chain jar.
inline constexpr int chainLength = 5;
// Frames of the bomb and blast scenes before the special is used.
inline constexpr int birthFrames = 8;

Picture drawScene(const Scene& scene, int w, int h, double radius);

// The scenes, frame by frame: a ball carried along a path of free cells;
// a line of three on axis 0, 1 or 2; cells filling as balls explode on them;
// new balls shown small, then landing; a special ball completing a line;
// a special made by a long line, then used; the chain jar filling and
// bursting; a completed level.
Scene moveScene(int f);
Scene lineScene(int f, int axis);
Scene fillScene(int f);
Scene newBallsScene(int f);
Scene specialScene(int f, int special);
Scene specialBirthScene(int f, int special, int length);
Scene chainScene(int f);
Scene levelScene(int f);
