// quillmere-data OUTDIR [SHEET.png]: writes the game's complete data tree
// into OUTDIR (the resource pack and the loose files) and, when asked, the
// contact sheet of every picture to SHEET.png.
#include "DataTree.h"
#include "DataWriter.h"
#include "Determinism.h"
#include "Generators.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quillmere-data OUTDIR [SHEET.png]\n");
        return 2;
    }
    pinDrawingBackends();
    const auto start = std::chrono::steady_clock::now();
    const std::filesystem::path out = argv[1];
    DataTree tree;
    try {
        addLevels(tree);
        addSounds(tree);
        addMusic(tree);
        addPictures(tree);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillmere-data: %s\n", error.what());
        return 1;
    }
    std::string error;
    if (!DataWriter::write(tree, out, error)) {
        std::fprintf(stderr, "quillmere-data: %s\n", error.c_str());
        return 1;
    }
    if (argc == 3) {
        const auto sheet = tree.review().find("contact-sheet.png");
        if (sheet != tree.review().end() && !DataWriter::writeFile(argv[2], sheet->second)) {
            std::fprintf(stderr, "quillmere-data: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    std::size_t packed = 0, loose = 0;
    for (const auto& entry : tree.packed()) {
        packed += entry.second.size();
    }
    for (const auto& entry : tree.loose()) {
        loose += entry.second.size();
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf(
        "quillmere-data: %zu files (%zu bytes) in %s, %zu loose files (%zu bytes), %lld ms\n",
        tree.packed().size(), packed, DataWriter::packName, tree.loose().size(), loose,
        static_cast<long long>(ms));
    return 0;
}
