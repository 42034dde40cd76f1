#pragma once

#include <string>
#include <utility>
#include <vector>

// The one board every level shares: 15 rows, 19 positions in the middle row,
// on the game's fixed screen geometry (position 0 of the middle row is centred
// on (40, 300)). A level map is one character per position in row order.
class HexBoard {
public:
    static constexpr int rows = 15;
    static constexpr int columns = 19;
    static constexpr int middle = rows / 2;
    static constexpr double cellWidth = 40.0;
    static constexpr double rowHeight = 35.741016;
    static constexpr double cellRadius = 20.0;

    static int width(int r);
    static int positionCount();
    // Index of (r, c) in a map string, -1 when off the board.
    static int index(int r, int c);
    static double centreX(int r, int c);
    static double centreY(int r);
    // Position on the doubled-width lattice: x in half cells from the left
    // edge of the middle row, so neighbours in a row differ by 2.
    static int doubledX(int r, int c);
    // The six neighbours the game's path search uses, when on the board.
    static std::vector<std::pair<int, int>> neighbours(int r, int c);

    // Connected groups of the positions for which `inside(map char)` holds.
    template <typename Pred> static int componentCount(const std::string& map, Pred inside);
};

template <typename Pred> int HexBoard::componentCount(const std::string& map, Pred inside) {
    std::vector<int> seen(map.size(), 0);
    int groups = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width(r); ++c) {
            int start = index(r, c);
            if (seen[start] || !inside(map[start])) {
                continue;
            }
            ++groups;
            std::vector<std::pair<int, int>> todo{{r, c}};
            seen[start] = 1;
            while (!todo.empty()) {
                auto [rr, cc] = todo.back();
                todo.pop_back();
                for (auto [nr, nc] : neighbours(rr, cc)) {
                    int i = index(nr, nc);
                    if (!seen[i] && inside(map[i])) {
                        seen[i] = 1;
                        todo.push_back({nr, nc});
                    }
                }
            }
        }
    }
    return groups;
}
