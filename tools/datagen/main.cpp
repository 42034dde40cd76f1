// quillmere-data OUTDIR [SHEET.png]: writes the game's complete data tree
// into OUTDIR and, when asked, the contact sheet of every picture to SHEET.png.
#include "DataTree.h"
#include "Determinism.h"
#include "Generators.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Writes beside the target and renames, so that a reader never sees half a file.
bool writeFile(const fs::path& path, const DataTree::Bytes& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            return false;
        }
    }
    fs::rename(temporary, path, error);
    return !error;
}

std::size_t totalSize(const std::map<std::string, DataTree::Bytes>& files) {
    std::size_t total = 0;
    for (const auto& entry : files) {
        total += entry.second.size();
    }
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quillmere-data OUTDIR [SHEET.png]\n");
        return 2;
    }
    pinDrawingBackends();
    const auto start = std::chrono::steady_clock::now();
    const fs::path out = argv[1];
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

    // Until the pack writer is wired in, packed files are written loose too.
    for (const auto* files : {&tree.packed(), &tree.loose()}) {
        for (const auto& [name, bytes] : *files) {
            if (!writeFile(out / name, bytes)) {
                std::fprintf(stderr, "quillmere-data: cannot write %s\n", (out / name).c_str());
                return 1;
            }
        }
    }
    if (argc == 3) {
        const auto& review = tree.review();
        const auto sheet = review.find("contact-sheet.png");
        if (sheet != review.end() && !writeFile(argv[2], sheet->second)) {
            std::fprintf(stderr, "quillmere-data: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf(
        "quillmere-data: %zu packed files (%zu bytes), %zu loose files (%zu bytes) in %lld ms\n",
        tree.packed().size(), totalSize(tree.packed()), tree.loose().size(),
        totalSize(tree.loose()), static_cast<long long>(ms));
    return 0;
}
