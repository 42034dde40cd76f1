#pragma once

#include "persist/FileData.h"

#include <string>
#include <vector>

// Reads data files by name: from the resource pack when its directory holds
// the name (in any letter case, with "/" or "\" as separators), else from the
// disk (names relative to the game's data folder). Managers are registered by
// name; the game uses the one named "main".
// Damaged or missing packs are silent: every name then comes from the disk.
class ResourceManager {
public:
    // Makes a new empty manager under this name, deleting any older one.
    static ResourceManager* create(const std::string& name);
    // The manager registered under this name, or null.
    static ResourceManager* get(const std::string& name);
    static void destroy(const std::string& name);

    void setPassword(const std::string& password) { this->password = password; }
    // Reads the directory of a pack file (named as any other data file).
    void open(const std::string& name);
    // The bytes of the named file (owned by the caller); empty when neither
    // the pack nor the disk holds it.
    FileData readFile(const std::string& name) const;

    // The directory: records (without bytes) and lower-cased names, in file order.
    const std::vector<FileData>& directory() const { return entries; }
    const std::vector<std::string>& entryNames() const { return names; }
    // The bytes of one pack entry by its place in the directory (unscrambled
    // when it is flagged so); empty for a place outside it.
    FileData readEntry(std::size_t index) const;

private:
    ResourceManager() = default;
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    int find(const std::string& lowerName) const;

    std::vector<FileData> entries;
    // Entry names lower-cased, in file order.
    std::vector<std::string> names;
    std::string packPath;
    std::string password;
    // Each name with every "/" turned into "\", and with every "\" turned
    // into "/": the two forms a request is compared with.
    std::vector<std::string> backslashNames;
    std::vector<std::string> slashNames;
};
