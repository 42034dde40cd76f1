// The game's entry point. The game's files (its data, log, settings and
// saves) live in one folder: the one named by QUILLMERE_HOME, else the data
// folder of the build, else the working directory.
#include "app/Program.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

void enterGameFolder() {
    std::error_code error;
    if (const char* home = std::getenv("QUILLMERE_HOME"); home && *home) {
        std::filesystem::current_path(home, error);
        return;
    }
#ifdef QUILLMERE_GAME_DIR
    if (std::filesystem::is_directory(QUILLMERE_GAME_DIR, error)) {
        std::filesystem::current_path(QUILLMERE_GAME_DIR, error);
    }
#endif
}

} // namespace

int main() {
    enterGameFolder();
    Program program;
    return program.run();
}
