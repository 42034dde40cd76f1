#pragma once

#include <cstddef>
#include <string>

// Replaces a file without ever leaving it half written: the bytes go to a
// temporary file beside it, which is then renamed over it. When anything
// fails the old file stays as it was.
class AtomicFile {
public:
    static bool write(const std::string& path, const void* bytes, std::size_t size);
};
