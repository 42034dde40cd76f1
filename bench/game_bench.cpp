// One whole frame of the game screen on the busiest board the game makes:
// the largest generated level all but full, a held ball with a long path
// shimmering, and more than a thousand sparks in the air. Needs a display
// (Mesa's software renderer under Xvfb) and the generated data.
#include "audio/CSoundManager.h"
#include "board/BoardFill.h"
#include "board/BoardSprites.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/FieldTestAccess.h"
#include "board/LevelFile.h"
#include "game/FieldController.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "gfx/Texture.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "platform/MessageBox.h"
#include "platform/NativeWindow.h"
#include "ui/Frame.h"
#include "ui/HighScores.h"
#include "ui/Setup2D.h"
#include "ui/ToolkitSupport.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

struct SilentBox : platform::MessageBox {
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

double clockMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

double processMs() {
    return clockMs(CLOCK_PROCESS_CPUTIME_ID);
}

double wallMs() {
    return clockMs(CLOCK_MONOTONIC);
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
// corridor that has three cells side by side: the next update sets off a
// blast of the largest radius. False when no row has room for one.
bool setOffBlast(Field& f, int corridor) {
    int best = -1;
    int bestColumn = 0;
    for (int row = 0; row < f.rows(); ++row) {
        const int distance = row > corridor ? row - corridor : corridor - row;
        if (best >= 0 && distance <= (best > corridor ? best - corridor : corridor - best)) {
            continue;
        }
        for (int c = 0; c + 2 < f.width(row); ++c) {
            if (f.isCell(row, c) && f.isCell(row, c + 1) && f.isCell(row, c + 2)) {
                best = row;
                bestColumn = c;
                break;
            }
        }
    }
    if (best < 0 || best == corridor) {
        return false;
    }
    FieldTestAccess::put(f, best, bestColumn, 0);
    FieldTestAccess::put(f, best, bestColumn + 1, 0);
    FieldTestAccess::put(f, best, bestColumn + 2, Ball::BlastBall);
    return true;
}

template <typename Visit> void forEachCellBack(Field& f, Visit visit) {
    for (int r = 0; r < f.rows(); ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            if (CellBack* cell = f.cellBackAt(r, c)) {
                visit(*cell);
            }
        }
    }
}

// One window and context for the whole run. Connecting to an X server
// again and again is not reliable (Xvfb drops a client now and then that
// connects right after another left), and the benchmark library calls each
// case several times.
platform::NativeWindow* benchWindow(benchmark::State& state) {
    static std::unique_ptr<platform::NativeWindow> window;
    static bool tried = false;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("no DISPLAY");
        return nullptr;
    }
    if (!tried) {
        tried = true;
        window = platform::createSystemWindow();
        if (!window->create("bench", 0, 0, 800, 600) || !window->createContext()) {
            window.reset();
        }
    }
    if (window == nullptr) {
        state.SkipWithError("no GL context");
    }
    return window.get();
}

// What one case draws and times of the frame.
enum class Part { Frame = 0, Background = 1, Board = 2, Effects = 3, Screenful = 4 };

// One screen of the background drawn the way sprites are drawn (filtered
// and blended), the least a frame of blended pictures costs the renderer.
void drawScreenful() {
    Texture* picture = BoardSprites::current().background;
    if (picture == nullptr || picture->glName() == 0) {
        return;
    }
    picture->setNearest(false);
    picture->bind();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    Texture::drawRegion(-112, -212, 0, 1024, 1024, 0, 1, 0, 1);
    glDisable(GL_BLEND);
}

// The busiest board with its resources, set up and torn down around one
// run of a case.
class BusyScene {
public:
    explicit BusyScene(bool blasting) : blasting_(blasting) {
        platform::setMessageBox(&box_);
        pack_ = ResourceManager::create("main");
        pack_->setPassword(PackFormat::gamePassword);
        pack_->open("data/data.pk");
        CSoundManager::instance()->init();
        scores_ = std::make_unique<HighScores>(2);
        game_ = std::make_unique<Game>(largestLevel(), scores_.get());
        Field* field = game_->field();
        for (int i = 0; i < 2000 && field->state() != Field::State::Play; ++i) {
            game_->update(16.0f);
        }
        FieldTestAccess::removeAll(*field);
        corridor_ = corridorRow(*field);
        int first = 0;
        while (!field->isCell(corridor_, first)) {
            ++first;
        }
        int last = field->width(corridor_) - 1;
        while (!field->isCell(corridor_, last)) {
            --last;
        }
        // The held ball first, so that the filling makes no line with it.
        FieldTestAccess::put(*field, corridor_, first, 0);
        fillWithoutLines(*field, corridor_);
        const Point from = field->centre(corridor_, first);
        const Point to = field->centre(corridor_, last);
        for (int i = 0; i < 60; ++i) {
            game_->update(16.0f);
        }
        game_->onLButtonDown(static_cast<int>(from.x), static_cast<int>(from.y), 0);
        frame_.mouse = {static_cast<int>(to.x), static_cast<int>(to.y)};
        forEachCellBack(*field, [this](CellBack& cell) { fills_.push_back(cell.fill); });
        // Half a second into a blast: its trails and bursts fill the air.
        if (blasting_) {
            blastStarted_ = setOffBlast(*field, corridor_);
        }
        for (int i = 0; i < 30; ++i) {
            game_->update(16.0f);
            game_->draw();
        }
        glFinish();
        fewest_ = EffectLayer::instance()->additiveParticles().size();
        blasts_ = blastStarted_ ? 1 : 0;
    }
    ~BusyScene() {
        game_.reset();
        scores_.reset();
        GameResources::destroy();
        EffectLayer::destroy();
        CSoundManager::destroy();
        ResourceManager::destroy("main");
        platform::setMessageBox(nullptr);
    }
    BusyScene(const BusyScene&) = delete;
    BusyScene& operator=(const BusyScene&) = delete;

    // Another blast once the last one has ended (outside the timing).
    void keepBlasting(benchmark::State& state) {
        Field* field = game_->field();
        if (blasting_ && field->effectCount() == 0) {
            state.PauseTiming();
            // Every blast fills the cells it crosses afresh, with their bursts.
            std::size_t i = 0;
            forEachCellBack(*field, [this, &i](CellBack& cell) { cell.fill = fills_[i++]; });
            fillWithoutLines(*field, corridor_);
            setOffBlast(*field, corridor_);
            ++blasts_;
            state.ResumeTiming();
        }
        fewest_ = std::min(fewest_, EffectLayer::instance()->additiveParticles().size());
    }

    Game& game() { return *game_; }
    // False when the level has no room for the blast the case asks for.
    bool isReady() const { return !blasting_ || blastStarted_; }

    void report(benchmark::State& state) const {
        state.counters["blasts"] = blasts_;
        state.counters["cells"] = game_->field()->cellCount();
        state.counters["path"] = static_cast<double>(game_->field()->previewedPath().size());
        state.counters["particles"] = static_cast<double>(fewest_);
        state.counters["holding"] = game_->fieldController()->isHolding() ? 1 : 0;
    }

private:
    SilentBox box_;
    FakeFrame frame_;
    ResourceManager* pack_ = nullptr;
    std::unique_ptr<HighScores> scores_;
    std::unique_ptr<Game> game_;
    bool blasting_;
    bool blastStarted_ = false;
    std::vector<CellBack::Fill> fills_;
    int corridor_ = 0;
    std::size_t fewest_ = 0;
    int blasts_ = 0;
};

// The scene on the one window; null (the case skipped) when it cannot be made.
std::unique_ptr<BusyScene> openScene(benchmark::State& state, bool blasting) {
    if (benchWindow(state) == nullptr) {
        return nullptr;
    }
    if (chdir(QUILLMERE_BINARY_DIR "/gamedata") != 0) {
        state.SkipWithError("no generated data");
        return nullptr;
    }
    auto scene = std::make_unique<BusyScene>(blasting);
    if (!scene->isReady()) {
        state.SkipWithError("no room for a blast");
        return nullptr;
    }
    return scene;
}

void BM_GameFrameBusiestBoard(benchmark::State& state) {
    const std::unique_ptr<BusyScene> scene = openScene(state, state.range(0) != 0);
    if (scene == nullptr) {
        return;
    }
    double wall = 0;
    for (auto _ : state) {
        scene->keepBlasting(state);
        // The renderer's own threads count too: process time, not the
        // wall clock, which other processes on the machine stretch. The
        // wall clock is kept beside it: on an idle machine the renderer's
        // threads share a frame out over the cores.
        const double before = processMs();
        const double wallBefore = wallMs();
        scene->game().update(16.0f);
        scene->game().draw();
        glFinish();
        wall += wallMs() - wallBefore;
        state.SetIterationTime((processMs() - before) / 1000.0);
    }
    state.counters["wall_ms"] = benchmark::Counter(wall, benchmark::Counter::kAvgIterations);
    scene->report(state);
}

// One piece of the same frame alone, to see where the time goes: the whole
// frame is drawn untimed (the sparks are emitted in the board's draw), then
// the piece again on a cleared screen, timed.
void BM_GameFramePart(benchmark::State& state) {
    const std::unique_ptr<BusyScene> scene = openScene(state, state.range(1) != 0);
    if (scene == nullptr) {
        return;
    }
    const auto part = static_cast<Part>(state.range(0));
    Field* field = scene->game().field();
    for (auto _ : state) {
        scene->keepBlasting(state);
        scene->game().update(16.0f);
        scene->game().draw();
        glFinish();
        const double before = processMs();
        setUpLogicalScreen(800, 600);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        switch (part) {
        case Part::Frame:
            break;
        case Part::Background:
            field->drawBackground();
            break;
        case Part::Board:
            field->draw();
            break;
        case Part::Effects:
            EffectLayer::instance()->draw();
            break;
        case Part::Screenful:
            drawScreenful();
            break;
        }
        glFinish();
        state.SetIterationTime((processMs() - before) / 1000.0);
    }
    scene->report(state);
}

} // namespace

// 0: the held ball's sparks alone; 1: with a blast running.
BENCHMARK(BM_GameFrameBusiestBoard)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(1.0);

// The piece (0 the clear alone, 1 background, 2 board, 3 sparks and texts,
// 4 one screen of blended pictures for scale), without or with a blast
// running.
BENCHMARK(BM_GameFramePart)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    // Each iteration draws a whole frame untimed too: a fixed count keeps the
    // run short.
    ->Iterations(100);
