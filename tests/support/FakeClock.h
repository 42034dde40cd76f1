#pragma once

#include "platform/Clock.h"

// A clock the test sets by hand; installed for the lifetime of the object.
class FakeClock : public platform::Clock {
public:
    FakeClock() { platform::setClock(this); }
    ~FakeClock() override { platform::setClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    unsigned milliseconds() override { return now; }
    void sleep(unsigned ms) override { now += ms; }

    unsigned now = 0;
};
