#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// The bytes of one data file, as a read returns them; without bytes it is also
// a pack directory record. After a read the caller owns the bytes.
struct FileData {
    std::unique_ptr<unsigned char[]> bytes;
    std::uint32_t size = 0;
    // Position of the data in the pack; 0 for a file read from the disk.
    std::uint32_t offset = 0;
    // 'y' when the pack holds the data scrambled with the password, else 'n'.
    char scrambled = 'n';

    bool empty() const { return size == 0; }
    const unsigned char* data() const { return bytes.get(); }
    std::string_view text() const {
        return bytes ? std::string_view(reinterpret_cast<const char*>(bytes.get()), size)
                     : std::string_view();
    }
};
