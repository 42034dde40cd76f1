#include "DataWriter.h"

#include "pack/PackWriter.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace DataWriter {

DataTree::Bytes packBytes(const DataTree& tree) {
    PackWriter pack;
    for (const auto& [name, bytes] : tree.packed()) {
        std::string stored = name;
        std::replace(stored.begin(), stored.end(), '/', '\\');
        if (!pack.add(stored, bytes.data(), bytes.size(), true)) {
            throw std::runtime_error("cannot pack " + name);
        }
    }
    return pack.bytes();
}

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

bool write(const DataTree& tree, const fs::path& folder, std::string& error) {
    DataTree::Bytes pack;
    try {
        pack = packBytes(tree);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    if (!writeFile(folder / packName, pack)) {
        error = "cannot write " + (folder / packName).string();
        return false;
    }
    for (const auto& [name, bytes] : tree.loose()) {
        if (!writeFile(folder / name, bytes)) {
            error = "cannot write " + (folder / name).string();
            return false;
        }
    }
    return true;
}

} // namespace DataWriter
