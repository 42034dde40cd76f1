#pragma once

#include "persist/FileData.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads the directory of a resource pack: one record (without bytes) and one
// name, as stored, per entry in file order. Reading stops at the first damage;
// the records read before it are kept, and an entry whose data runs past the
// end of the file is kept too (its reads come back short).
class PackDirectory {
public:
    enum class Status {
        ok,
        cannotOpen,
        notAPack,    // the file does not start with the magic
        truncated,   // the file ends inside the directory or inside an entry's data
        nameTooLong, // an entry name longer than the format allows
    };

    struct Result {
        Status status = Status::cannotOpen;
        std::uint32_t declaredCount = 0; // the entry count the header announces
        std::uint32_t damagedEntry = 0;  // where reading stopped: 1 for the first entry,
                                         // 0 for the header
        std::uint64_t fileSize = 0;
    };

    static Result read(const std::string& path, std::vector<FileData>& entries,
                       std::vector<std::string>& names);
};
