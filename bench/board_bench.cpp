#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/LevelFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

LevelFile emptyBoard(int rows, int columns, int fillPercent) {
    HexGeometry g(rows, columns);
    std::string map;
    for (int r = 0; r < rows; ++r) {
        map.append(static_cast<std::size_t>(g.width(r)), '0');
    }
    std::string text = "6\r\n" + std::to_string(fillPercent) + "\r\n0\r\n0\r\n" +
                       std::to_string(rows) + "\r\n" + std::to_string(columns) + "\r\n" + map;
    return LevelFile::parse(text).value_or(LevelFile::fallback());
}

// From the left end of the middle row to its right end across an empty board.
void findPathAcross(benchmark::State& state, int side) {
    Field field(1, emptyBoard(side, side, 0), 1);
    int m = side / 2;
    std::vector<Cell> path;
    for (auto _ : state) {
        bool found = field.findPath(m, 0, m, side - 1, path);
        benchmark::DoNotOptimize(found);
    }
    state.counters["cells"] = field.cellCount();
    state.counters["path"] = static_cast<double>(path.size());
}

void BM_FindPath9x9(benchmark::State& state) {
    findPathAcross(state, 9);
}
void BM_FindPath120x120(benchmark::State& state) {
    findPathAcross(state, 120);
}

// Every cell of an 11 by 11 board holds a resting ball: every update tests
// lines from all 91 balls on the three axes.
void BM_UpdateFull11x11(benchmark::State& state) {
    EffectLayer::create();
    Field field(1, emptyBoard(11, 11, 100), 3);
    for (int i = 0; i < 5000 && !field.isFinished(); ++i) {
        field.update(16.0f);
    }
    for (auto _ : state) {
        field.update(16.0f);
    }
    state.counters["balls"] = field.cellCount();
    EffectLayer::destroy();
}

} // namespace

BENCHMARK(BM_FindPath9x9);
BENCHMARK(BM_FindPath120x120);
BENCHMARK(BM_UpdateFull11x11);
