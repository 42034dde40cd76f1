#pragma once

#include "platform/Clock.h"

#include <vector>

// A clock the test sets by hand; installed for the lifetime of the object.
// Sleeping moves it on and is recorded.
class FakeClock : public platform::Clock {
public:
    FakeClock() { platform::setClock(this); }
    ~FakeClock() override { platform::setClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    unsigned milliseconds() override { return now; }
    void sleep(unsigned ms) override {
        sleeps.push_back(ms);
        now += ms;
    }

    unsigned now = 0;
    std::vector<unsigned> sleeps;
};
