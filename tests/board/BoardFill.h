#pragma once

// Fills a board for tests and benchmarks: a resting ball on every free cell,
// each in a colour that makes no line with what is already there.
#include "board/Field.h"
#include "board/FieldTestAccess.h"

// Leaves the row skipRow free (-1 fills every row); the next balls are dropped.
inline void fillWithoutLines(Field& f, int skipRow = -1) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (!f.isCell(r, c) || r == skipRow || f.ballAt(r, c) != nullptr) {
                continue;
            }
            // Choosing the next balls brings the colour plan up to the board.
            f.chooseNewCells();
            int colour = 0;
            while (colour < 5 && f.wouldMakeLine(r, c, colour)) {
                ++colour;
            }
            FieldTestAccess::put(f, r, c, colour);
        }
    }
    FieldTestAccess::clearNewCells(f);
}
