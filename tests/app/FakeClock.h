#pragma once

// A clock that only moves when told to, and records the loop's sleeps.
#include "platform/Clock.h"

#include <vector>

class FakeClock : public platform::Clock {
public:
    unsigned now = 1000;
    std::vector<unsigned> sleeps;

    FakeClock() { platform::setClock(this); }
    ~FakeClock() override { platform::setClock(nullptr); }
    unsigned milliseconds() override { return now; }
    void sleep(unsigned ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
};
