// One whole frame of the game screen on the busiest board the game makes:
// the largest generated level all but full, a held ball with a long path
// shimmering, and more than a thousand sparks in the air. Needs a display
// (Mesa's software renderer under Xvfb) and the generated data.
#include "audio/CSoundManager.h"
#include "board/BoardFill.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/FieldTestAccess.h"
#include "board/LevelFile.h"
#include "game/FieldController.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "platform/MessageBox.h"
#include "platform/NativeWindow.h"
#include "ui/Frame.h"
#include "ui/HighScores.h"
#include "ui/ToolkitSupport.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

struct SilentBox : platform::MessageBox {
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

double processMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// The level with the most cells in the generated pack.
int largestLevel() {
    int best = 1;
    int bestCells = 0;
    for (int level = 1; level <= 100; ++level) {
        const LevelFile file = LevelFile::read(level);
        const int cells = Field(level, file, 1).cellCount();
        if (cells > bestCells) {
            bestCells = cells;
            best = level;
        }
    }
    return best;
}

// The row with the most cells: it stays free for the held ball's path.
int corridorRow(const Field& f) {
    int corridor = 0;
    int most = -1;
    for (int r = 0; r < f.rows(); ++r) {
        int cells = 0;
        for (int c = 0; c < f.width(r); ++c) {
            cells += f.isCell(r, c) ? 1 : 0;
        }
        if (cells > most) {
            most = cells;
            corridor = r;
        }
    }
    return corridor;
}

// A line of two balls and a blast ball in the row furthest from the
// corridor: the next update sets off a blast of the largest radius.
void setOffBlast(Field& f, int corridor) {
    const int row = corridor >= f.rows() / 2 ? 1 : f.rows() - 2;
    for (int c = 0; c + 2 < f.width(row); ++c) {
        if (f.isCell(row, c) && f.isCell(row, c + 1) && f.isCell(row, c + 2)) {
            FieldTestAccess::put(f, row, c, 0);
            FieldTestAccess::put(f, row, c + 1, 0);
            FieldTestAccess::put(f, row, c + 2, Ball::BlastBall);
            return;
        }
    }
}

void BM_GameFrameBusiestBoard(benchmark::State& state) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("no DISPLAY");
        return;
    }
    if (chdir(QUILLMERE_BINARY_DIR "/gamedata") != 0) {
        state.SkipWithError("no generated data");
        return;
    }
    SilentBox box;
    platform::setMessageBox(&box);
    auto window = platform::createSystemWindow();
    if (!window->create("bench", 0, 0, 800, 600) || !window->createContext()) {
        state.SkipWithError("no GL context");
        return;
    }
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open("data/data.pk");
    CSoundManager::instance()->init();
    FakeFrame frame;
    {
        HighScores scores(2);
        Game game(largestLevel(), &scores);
        Field* field = game.field();
        for (int i = 0; i < 2000 && field->state() != Field::State::Play; ++i) {
            game.update(16.0f);
        }
        FieldTestAccess::removeAll(*field);
        const int corridor = corridorRow(*field);
        int first = 0;
        while (!field->isCell(corridor, first)) {
            ++first;
        }
        int last = field->width(corridor) - 1;
        while (!field->isCell(corridor, last)) {
            --last;
        }
        // The held ball first, so that the filling makes no line with it.
        FieldTestAccess::put(*field, corridor, first, 0);
        fillWithoutLines(*field, corridor);
        const Point from = field->centre(corridor, first);
        const Point to = field->centre(corridor, last);
        for (int i = 0; i < 60; ++i) {
            game.update(16.0f);
        }
        game.onLButtonDown(static_cast<int>(from.x), static_cast<int>(from.y), 0);
        frame.mouse = {static_cast<int>(to.x), static_cast<int>(to.y)};
        EffectLayer* layer = EffectLayer::instance();
        // Half a second into a blast: its trails and bursts fill the air.
        const bool blasting = state.range(0) != 0;
        if (blasting) {
            setOffBlast(*field, corridor);
        }
        for (int i = 0; i < 30; ++i) {
            game.update(16.0f);
            game.draw();
        }
        glFinish();
        std::size_t fewest = layer->additiveParticles().size();
        int blasts = blasting ? 1 : 0;
        for (auto _ : state) {
            if (blasting && field->effectCount() == 0) {
                state.PauseTiming();
                fillWithoutLines(*field, corridor);
                setOffBlast(*field, corridor);
                ++blasts;
                state.ResumeTiming();
            }
            fewest = std::min(fewest, layer->additiveParticles().size());
            // The renderer's own threads count too: process time, not the
            // wall clock, which other processes on the machine stretch.
            const double before = processMs();
            game.update(16.0f);
            game.draw();
            glFinish();
            state.SetIterationTime((processMs() - before) / 1000.0);
        }
        state.counters["blasts"] = blasts;
        state.counters["cells"] = field->cellCount();
        state.counters["path"] = static_cast<double>(field->previewedPath().size());
        state.counters["particles"] = static_cast<double>(fewest);
        state.counters["holding"] = game.fieldController()->isHolding() ? 1 : 0;
    }
    GameResources::destroy();
    EffectLayer::destroy();
    CSoundManager::destroy();
    ResourceManager::destroy("main");
    platform::setMessageBox(nullptr);
}

} // namespace

// 0: the held ball's sparks alone; 1: with a blast running.
BENCHMARK(BM_GameFrameBusiestBoard)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(1.0);
