// Start-up of the game executable: from main to the first drawn frame of
// the main menu, warm, with the generated game data, and the resident
// memory at that moment. The program measures both itself (it quits after
// that frame when asked) and reports them on standard error.

#include "persist/Settings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct Probe {
    bool ok = false;
    double startupMs = 0;
    double residentMb = 0;
    double cpuMs = 0;
};

// A private copy of the game folder, so the benchmark's settings and saves
// never touch the build's own.
std::string gameFolder() {
    static const std::string folder = [] {
        std::string path = std::filesystem::temp_directory_path() /
                           ("quillmere-startup-bench-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        std::filesystem::copy(QUILLMERE_GAME_DIR, path, std::filesystem::copy_options::recursive);
        // Windowed, as a returning player who chose it: the display switch
        // of a first run is not part of a warm start.
        Settings* settings = Settings::create();
        settings->fullScreen = false;
        settings->width = 800;
        settings->height = 600;
        settings->save(false, path + "/" + Settings::defaultPath);
        Settings::destroy();
        return path;
    }();
    return folder;
}

Probe runOnce() {
    const std::string command = "QUILLMERE_STARTUP_PROBE=1 QUILLMERE_HOME='" + gameFolder() +
                                "' '" + QUILLMERE_GAME_EXE + "' 2>&1 >/dev/null";
    Probe probe;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return probe;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        unsigned ms = 0;
        long kb = 0;
        long cpu = 0;
        if (std::sscanf(line, "startup-ms %u rss-kb %ld cpu-ms %ld", &ms, &kb, &cpu) == 3) {
            probe.ok = true;
            probe.startupMs = ms;
            probe.residentMb = static_cast<double>(kb) / 1024.0;
            probe.cpuMs = static_cast<double>(cpu);
        }
    }
    pclose(pipe);
    return probe;
}

void BM_StartupToFirstMenuFrame(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display (DISPLAY)");
        return;
    }
    runOnce(); // warm: files in the page cache, the first run's settings written
    double totalMs = 0;
    double totalCpuMs = 0;
    double residentMb = 0;
    for (auto _ : state) {
        const Probe probe = runOnce();
        if (!probe.ok) {
            state.SkipWithError("the game did not report its start");
            return;
        }
        totalMs += probe.startupMs;
        totalCpuMs += probe.cpuMs;
        residentMb = probe.residentMb;
        state.SetIterationTime(probe.startupMs / 1000.0);
    }
    state.counters["startup_ms"] = totalMs / static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = totalCpuMs / static_cast<double>(state.iterations());
    state.counters["resident_MB"] = residentMb;
}
BENCHMARK(BM_StartupToFirstMenuFrame)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
