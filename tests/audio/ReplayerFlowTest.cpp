// Song flow of the replayer: tick timing, rows, orders, jumps, breaks, loops
// and the end of a song.
#include "ModuleTestSongs.h"
#include "audio/ModuleRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace testsongs;

namespace {

using Position = std::pair<int, int>; // order, row

// The positions of the next n rows played.
std::vector<Position> rowsPlayed(Module& m, int n) {
    std::vector<Position> rows;
    while (static_cast<int>(rows.size()) < n) {
        const bool rowTick = m.tick == 0;
        m.tickFunction();
        if (rowTick) {
            rows.emplace_back(m.order, m.row);
        }
    }
    return rows;
}

xm::Song twoOrders(int rows = 16) {
    xm::Song s = song(rows);
    s.patterns.emplace_back(rows, 1);
    s.orders = {0, 1};
    s.patterns[0].at(0, 0) = cell("C-4");
    return s;
}

} // namespace

TEST(ReplayerFlow, TickTimingAt125BpmIs882Frames) {
    xm::Song s = song(64);
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->samplesPerTick, 882);
    // The song ends where a row after its last would start.
    EXPECT_EQ(ModuleRenderer::songFrames(*m, 1u << 30), 64u * 6u * 882u);

    std::vector<float> out = renderFloat(*m, 882 * 3 + 1);
    EXPECT_EQ(m->tick, 4); // ticks 0..3 started, the fourth at frame 2646
    EXPECT_EQ(m->samplesLeftInTick, 881);
}

TEST(ReplayerFlow, SpeedAndTempoCommands) {
    xm::Song s = song(8);
    s.patterns[0].at(0, 0) = fx(0xF, 0x1F);
    s.patterns[0].at(1, 0) = fx(0xF, 0x20);
    s.patterns[0].at(2, 0) = fx(0xF, 0x00); // ignored: would stop the song
    auto m = load(s);
    ASSERT_TRUE(m);
    ticks(*m, 1);
    EXPECT_EQ(m->speed, 31);
    ticks(*m, 31);
    EXPECT_EQ(m->row, 1);
    EXPECT_EQ(m->bpm, 32);
    EXPECT_EQ(m->samplesPerTick, 3445); // 44100 x (1000 / 12.8) / 1000
    ticks(*m, 31);
    EXPECT_EQ(m->row, 2);
    EXPECT_EQ(m->speed, 31);
    ticks(*m, 31);
    EXPECT_EQ(m->row, 3);
}

TEST(ReplayerFlow, PatternBreakAboveRow63GoesToRowZero) {
    xm::Song s = twoOrders();
    s.patterns[0].at(2, 0) = fx(0xD, 0x64);
    auto m = load(s);
    const std::vector<Position> want = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}};
    EXPECT_EQ(rowsPlayed(*m, 5), want);

    s.patterns[0].at(2, 0) = fx(0xD, 0x12); // decimal digits: row 12
    m = load(s);
    const std::vector<Position> want12 = {{0, 0}, {0, 1}, {0, 2}, {1, 12}, {1, 13}};
    EXPECT_EQ(rowsPlayed(*m, 5), want12);
}

TEST(ReplayerFlow, JumpsAndBreaksPastTheLastOrderWrapWithoutEnding) {
    xm::Song s = twoOrders(4);
    s.patterns[1].at(1, 0) = fx(0xB, 0x07);
    auto m = load(s);
    const std::vector<Position> want = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {0, 0}};
    EXPECT_EQ(rowsPlayed(*m, 7), want);
    rowsPlayed(*m, 100);
    EXPECT_FALSE(m->ended);

    s.patterns[1].at(1, 0) = fx(0xD, 0x02);
    m = load(s);
    const std::vector<Position> wantBreak = {{0, 0}, {0, 1}, {0, 2}, {0, 3},
                                             {1, 0}, {1, 1}, {0, 2}};
    EXPECT_EQ(rowsPlayed(*m, 7), wantBreak);
    rowsPlayed(*m, 100);
    EXPECT_FALSE(m->ended);
    EXPECT_EQ(ModuleRenderer::songFrames(*m, 44100 * 60), 44100u * 60u);
}

TEST(ReplayerFlow, JumpBeforeBreakInTheSameRowKeepsTheJumpOrder) {
    xm::Song s = song(8, 2);
    s.patterns.emplace_back(8, 2);
    s.patterns.emplace_back(8, 2);
    s.orders = {0, 1, 2};
    s.patterns[0].at(1, 0) = fx(0xB, 0x02);
    s.patterns[0].at(1, 1) = fx(0xD, 0x03);
    auto m = load(s);
    const std::vector<Position> want = {{0, 0}, {0, 1}, {2, 3}};
    EXPECT_EQ(rowsPlayed(*m, 3), want);
}

TEST(ReplayerFlow, RunningOffTheOrderListEndsTheSongOnceEvenWithARestartPosition) {
    xm::Song s = twoOrders(4);
    s.patterns.emplace_back(4, 1);
    s.orders = {0, 1, 2};
    s.restartPosition = 1;
    auto m = load(s);
    ASSERT_EQ(m->restartPosition, 1);
    rowsPlayed(*m, 12);     // up to order 2, row 3: the last row
    EXPECT_FALSE(m->ended); // it plays out first
    EXPECT_EQ(m->nextOrder, 1);
    ticks(*m, 5);
    EXPECT_FALSE(m->ended);
    const std::vector<Position> after = {{1, 0}, {1, 1}};
    EXPECT_EQ(rowsPlayed(*m, 2), after);
    EXPECT_TRUE(m->ended);
    EXPECT_EQ(m->endFrame, 0u); // no frames were mixed here

    EXPECT_EQ(ModuleRenderer::songFrames(*m, 1u << 30), 12u * 6u * 882u);
    // Rendering stops at the same frame.
    std::uint64_t delivered = 0;
    EXPECT_EQ(
        ModuleRenderer::render(*m, 1u << 30, [&](const std::int16_t*, int n) { delivered += n; }),
        12u * 6u * 882u);
    EXPECT_EQ(delivered, 12u * 6u * 882u);
}

TEST(ReplayerFlow, RestartPositionPastTheSongIsOrderZero) {
    xm::Song s = twoOrders(4);
    s.restartPosition = 9;
    auto m = load(s);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->restartPosition, 0);
}

TEST(ReplayerFlow, PatternLoopRepeatsItsRows) {
    xm::Song s = song(6);
    s.patterns[0].at(1, 0) = fx(0xE, 0x60);
    s.patterns[0].at(3, 0) = fx(0xE, 0x62);
    auto m = load(s);
    std::vector<int> rows;
    for (const Position& p : rowsPlayed(*m, 11)) {
        rows.push_back(p.second);
    }
    const std::vector<int> want = {0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4};
    EXPECT_EQ(rows, want);
}

TEST(ReplayerFlow, PatternDelayStretchesTheRow) {
    xm::Song s = song(4);
    s.patterns[0].at(1, 0) = fx(0xE, 0xE2);
    auto m = load(s);
    ticks(*m, 6 + 1);
    EXPECT_EQ(m->row, 1);
    ticks(*m, 6 + 12 - 1);
    EXPECT_EQ(m->row, 1);
    ticks(*m, 1);
    EXPECT_EQ(m->row, 2);
}

TEST(ReplayerFlow, BreakIntoAShorterPatternStartsItAtTheTop) {
    xm::Song s = song(64);
    s.patterns.emplace_back(8, 1);
    s.orders = {0, 1};
    s.patterns[0].at(0, 0) = fx(0xD, 0x40);
    auto m = load(s);
    const std::vector<Position> want = {{0, 0}, {1, 0}, {1, 1}};
    EXPECT_EQ(rowsPlayed(*m, 3), want);
}

TEST(ReplayerFlow, OrdersNamingMissingPatternsPlayEmptyOnes) {
    xm::Song s = song(4);
    s.orders = {0, 3};
    auto m = load(s);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->usedPatterns, 4);
    EXPECT_EQ(m->patternSlots, 4);
    EXPECT_EQ(m->patterns[3].rows, 64);
    EXPECT_EQ(ModuleRenderer::songFrames(*m, 1u << 30), (4u + 64u) * 6u * 882u);
}

TEST(ReplayerFlow, TheLastRowIsHeardToItsEnd) {
    // The only note is on the last row, and a pattern delay stretches it.
    for (int delay : {0, 2}) {
        xm::Song s = song(4);
        s.patterns[0].at(3, 0) = cell("C-4", 1, 0, 0xE, 0xE0 | delay);
        auto m = load(s);
        const std::uint64_t end = (3u + 1u + delay) * 6u * 882u;
        EXPECT_EQ(ModuleRenderer::songFrames(*m, 1u << 30), end);
        std::vector<std::int16_t> heard;
        ModuleRenderer::render(*m, 1u << 30, [&](const std::int16_t* frames, int n) {
            heard.insert(heard.end(), frames, frames + 2 * n);
        });
        ASSERT_EQ(heard.size(), 2 * end);
        EXPECT_TRUE(m->ended);
        EXPECT_EQ(m->endFrame, end);
        // Sound from the row's first tick up to the last frame.
        const std::size_t rowStart = 2u * 3u * 6u * 882u;
        EXPECT_EQ(heard[rowStart - 2], 0);
        EXPECT_NE(*std::max_element(heard.end() - 2 * 400, heard.end()), 0);
    }
}
