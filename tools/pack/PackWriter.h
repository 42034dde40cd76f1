#pragma once

#include "persist/PackFormat.h"

#include <cstddef>
#include <string>
#include <vector>

// Builds a resource pack the game's ResourceManager reads: entries are kept in
// the order they are added and, unless asked otherwise, scrambled with the
// password and flagged so.
class PackWriter {
public:
    explicit PackWriter(std::string password = PackFormat::gamePassword);

    // False (nothing added) for an empty name, a name longer than the format
    // allows, or data that would move an offset past 4 GB.
    bool add(const std::string& name, const unsigned char* data, std::size_t size,
             bool scrambled = true);
    bool add(const std::string& name, const std::string& data, bool scrambled = true);

    std::size_t count() const { return entries.size(); }
    // The whole pack file.
    std::vector<unsigned char> bytes() const;
    // Replaces the file as a whole; false when it cannot be written.
    bool write(const std::string& path) const;

private:
    struct Entry {
        std::string name;
        std::vector<unsigned char> data; // as stored (scrambled when flagged)
        char flag;
    };

    std::string password;
    std::vector<Entry> entries;
    std::size_t totalSize = 6;
};
