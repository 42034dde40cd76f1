// quillmere-desktop SHAREDIR VERSION DATE: writes the desktop entry, the
// icons, the AppStream metainfo and the manual page below SHAREDIR.
#include "DesktopFiles.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillmere-desktop SHAREDIR VERSION DATE\n");
        return 2;
    }
    std::string error;
    if (!DesktopFiles::write(argv[1], {argv[2], argv[3]}, error)) {
        std::fprintf(stderr, "quillmere-desktop: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
