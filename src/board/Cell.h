#pragma once

// A board position: a row and a position within the row.
struct Cell {
    int row = 0;
    int col = 0;

    friend bool operator==(Cell a, Cell b) = default;
};
