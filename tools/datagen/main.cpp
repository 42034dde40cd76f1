// quillmere-data OUTDIR: writes the game's complete data tree into OUTDIR.
#include "DataTree.h"
#include "Generators.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool writeFile(const fs::path& path, const DataTree::Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillmere-data OUTDIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    DataTree tree;
    addLevels(tree);
    addSounds(tree);
    addMusic(tree);
    addPictures(tree);

    // Until the pack writer is wired in, packed files are written loose too.
    for (const auto* files : {&tree.packed(), &tree.loose()}) {
        for (const auto& [name, bytes] : *files) {
            if (!writeFile(out / name, bytes)) {
                std::fprintf(stderr, "quillmere-data: cannot write %s\n", (out / name).c_str());
                return 1;
            }
        }
    }
    return 0;
}
