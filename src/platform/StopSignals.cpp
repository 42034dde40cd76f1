#include "platform/StopSignals.h"

#include <csignal>

namespace platform {

namespace {

volatile std::sig_atomic_t requested = 0;
volatile std::sig_atomic_t received = 0;
bool installed = false;

constexpr int signals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int forcedAfter = 3;

void onSignal(int number) {
    requested = 1;
    received = received + 1;
    if (received >= forcedAfter) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
}

} // namespace

void StopSignals::install() {
    if (installed)
        return;
    installed = true;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : signals)
        sigaction(number, &action, nullptr);
}

bool StopSignals::takeRequest() {
    if (!requested)
        return false;
    requested = 0;
    return true;
}

} // namespace platform
