#pragma once

#include <cstddef>
#include <string>

// Replaces a file without ever leaving it half written, even when the process
// is killed or the power fails: the bytes go to a temporary file beside it,
// which is flushed to the disk, renamed over it, and the folder is flushed so
// the rename itself lasts. When anything fails the old file stays as it was.
class AtomicFile {
public:
    static bool write(const std::string& path, const void* bytes, std::size_t size);

    // The prefix of the temporary files of a path; what a killed writer left
    // behind under it is removed by the next write.
    static std::string temporaryPrefix(const std::string& path);
};
