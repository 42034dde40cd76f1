#include "FrameFixture.h"

using platform::Event;
using platform::Key;
using ::testing::ElementsAre;

namespace {

// A screen whose update takes a given time on the fake clock.
class TimedScreen : public Window {
public:
    explicit TimedScreen(FakeClock& clock) : clock_(clock) {}
    unsigned cost = 0;
    std::vector<float> elapsed;
    int draws = 0;
    void update(float ms) override {
        elapsed.push_back(ms);
        clock_.now += cost;
    }
    void draw() override { ++draws; }

private:
    FakeClock& clock_;
};

} // namespace

class MainLoopTest : public FrameFixture {
protected:
    // Runs the real loop for a number of frames, then quits.
    int runFrames(int frames, int exitCode = 0) {
        native->onSwap = [this, frames, exitCode] {
            if (native->swaps == frames) {
                native->postQuit(exitCode);
            }
        };
        return app->run();
    }
};

TEST_F(MainLoopTest, FiveMillisecondFrameSleepsElevenTwentyMillisecondFrameNone) {
    openWindow();
    app->setFrameRateLimit(60);
    TimedScreen screen(clock);
    app->pushWindow(&screen);
    screen.cost = 5;
    runFrames(2);
    EXPECT_THAT(clock.sleeps, ElementsAre(11u, 11u));
    // The next frame's elapsed time includes this frame's sleep.
    EXPECT_THAT(screen.elapsed, ElementsAre(0.0f, 16.0f));

    clock.sleeps.clear();
    screen.elapsed.clear();
    screen.cost = 20;
    native->swaps = 0;
    runFrames(2);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_THAT(screen.elapsed, ElementsAre(0.0f, 20.0f));
}

TEST_F(MainLoopTest, NoCapNoSleep) {
    openWindow();
    app->setFrameRateLimit(0);
    TimedScreen screen(clock);
    screen.cost = 1;
    app->pushWindow(&screen);
    runFrames(3);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(native->swaps, 3);
}

TEST_F(MainLoopTest, ElapsedTimeSurvivesTheClockWrapping) {
    openWindow();
    TimedScreen screen(clock);
    screen.cost = 7;
    app->pushWindow(&screen);
    clock.now = 0xFFFFFFFCu;
    runFrames(2);
    EXPECT_THAT(screen.elapsed, ElementsAre(0.0f, 7.0f));
}

TEST_F(MainLoopTest, InactiveProgramSleepsAndUpdatesNothingButStillDraws) {
    openWindow();
    app->setFrameRateLimit(60);
    TimedScreen screen(clock);
    screen.cost = 2;
    app->pushWindow(&screen);
    app->windowProc(Event::activation(false));
    runFrames(3);
    EXPECT_TRUE(screen.elapsed.empty());
    EXPECT_EQ(screen.draws, 3);
    EXPECT_THAT(clock.sleeps, ElementsAre(100u, 100u, 100u)); // no cap sleep on top
}

TEST_F(MainLoopTest, ReactivationElapsedCoversOnlyTheLastIdleFrame) {
    openWindow();
    app->setFrameRateLimit(60);
    TimedScreen screen(clock);
    app->pushWindow(&screen);
    app->windowProc(Event::activation(false));
    native->onSwap = [this] {
        if (native->swaps == 4) {
            native->postEvent(Event::activation(true));
        }
        if (native->swaps == 5) {
            native->postQuit(0);
        }
    };
    app->run();
    ASSERT_EQ(screen.elapsed.size(), 1u);
    EXPECT_EQ(screen.elapsed[0], 100.0f);
}

TEST_F(MainLoopTest, MinimisedDrawsNothingSleepsAndStillSwaps) {
    openWindow();
    app->setFrameRateLimit(60);
    TimedScreen screen(clock);
    app->pushWindow(&screen);
    app->minimize();
    runFrames(2);
    EXPECT_EQ(screen.draws, 0);
    EXPECT_EQ(screen.elapsed.size(), 2u); // still active: updates go on
    EXPECT_THAT(clock.sleeps, ElementsAre(100u, 100u));
    EXPECT_EQ(native->swaps, 2);

    clock.sleeps.clear();
    native->swaps = 0;
    app->windowProc(Event::activation(false));
    runFrames(1);
    EXPECT_THAT(clock.sleeps, ElementsAre(100u, 100u)); // 200 ms when also inactive
}

TEST_F(MainLoopTest, EveryWaitingMessageIsHandledOnePerPassBeforeAFrame) {
    openWindow();
    RecordingWindow screen(journal, "s");
    app->pushWindow(&screen);
    for (char c : {'A', 'B', 'C'}) {
        native->queue.push_back(Event::keyDown(Key{c}));
    }
    journal.clear();
    for (int pass = 0; pass < 4; ++pass) {
        EXPECT_TRUE(app->runPass());
    }
    EXPECT_THAT(journal, ElementsAre("s.key 65", "s.key 66", "s.key 67", "s.update", "s.draw"));
}

TEST_F(MainLoopTest, ClosingTheWindowHidesItAndEndsTheLoopWithZero) {
    openWindow();
    RecordingWindow screen(journal, "s");
    app->pushWindow(&screen);
    native->queue.push_back(Event::close(false));
    EXPECT_EQ(app->run(), 0);
    EXPECT_FALSE(native->visible);
    native->postQuit(3);
    EXPECT_EQ(app->run(), 3);
    EXPECT_EQ(app->exitCode(), 3);
}
