#pragma once

#include "DataTree.h"

#include <filesystem>
#include <string>

// Writes a generated tree into the game folder: the packed files into the
// resource pack "data/data.pk" (scrambled with the game's password, names
// stored with "\" separators), the loose files beside it.
namespace DataWriter {

inline constexpr const char* packName = "data/data.pk";

// The bytes of the resource pack holding every packed file of the tree.
DataTree::Bytes packBytes(const DataTree& tree);
// False, with a message in `error`, when something cannot be written.
bool write(const DataTree& tree, const std::filesystem::path& folder, std::string& error);
// Writes one file whole, through a temporary beside it.
bool writeFile(const std::filesystem::path& path, const DataTree::Bytes& bytes);

} // namespace DataWriter
