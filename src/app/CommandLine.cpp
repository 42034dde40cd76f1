#include "app/CommandLine.h"

#include <cstring>

#ifndef QUILLMERE_VERSION
#define QUILLMERE_VERSION "0"
#endif

namespace CommandLine {

const char* version() {
    return QUILLMERE_VERSION;
}

int handle(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc <= 1) {
        return -1;
    }
    const char* option = argv[1];
    if (argc == 2 && std::strcmp(option, "--help") == 0) {
        std::fprintf(out,
                     "%s\n"
                     "Quillmere, %s: move coloured balls on a\n"
                     "hexagonal board to line up three or more of a colour and fill the\n"
                     "garden, through 100 levels.\n"
                     "\n"
                     "  --help     show this text and exit\n"
                     "  --version  show the version and exit\n"
                     "\n"
                     "Settings, the saved game and the high scores are kept in\n"
                     "$XDG_DATA_HOME/quillmere (by default ~/.local/share/quillmere).\n",
                     usage, summary);
        return 0;
    }
    if (argc == 2 && std::strcmp(option, "--version") == 0) {
        std::fprintf(out, "quillmere %s\n", version());
        return 0;
    }
    std::fprintf(err, "%s\n", usage);
    return 2;
}

} // namespace CommandLine
