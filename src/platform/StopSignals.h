#pragma once

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) ask the
// game to close instead of killing it, so its ordinary shutdown still writes
// the saved game, the scores and the settings. A third signal ends the
// process at once, for a game that no longer answers.
namespace platform {

class StopSignals {
public:
    // Installs the handlers; later calls do nothing.
    static void install();
    // Whether a signal arrived since the last call.
    static bool takeRequest();
};

} // namespace platform
