#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {

class SystemClock : public Clock {
public:
    unsigned milliseconds() override {
        using namespace std::chrono;
        auto now = steady_clock::now().time_since_epoch();
        return static_cast<unsigned>(duration_cast<std::chrono::milliseconds>(now).count());
    }
    void sleep(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemClock systemClock;
Clock* current = &systemClock;

} // namespace

Clock& clock() { return *current; }
void setClock(Clock* c) { current = c ? c : &systemClock; }

} // namespace platform
