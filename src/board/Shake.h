#pragma once

#include "board/Point.h"

#include <deque>

// The screen shake: a queue of small offsets the board is drawn with, each
// held for three updates.
class Shake {
public:
    // Adds offsets until the queue holds n; every second one is the previous
    // one negated, so the board jumps back and forth.
    void raise(int n);
    void update();
    // The offset to draw with now, (0, 0) when the shake is over.
    Point offset() const { return offsets_.empty() ? Point{} : offsets_.front(); }
    int size() const { return static_cast<int>(offsets_.size()); }

private:
    std::deque<Point> offsets_;
    int hold_ = 2;
};
