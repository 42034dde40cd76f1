#include "persist/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool writeAll(int fd, const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool AtomicFile::write(const std::string& path, const void* bytes, std::size_t size) {
    if (path.empty())
        return false;
    std::vector<char> temporary(path.begin(), path.end());
    const std::string suffix = ".tmp.XXXXXX";
    temporary.insert(temporary.end(), suffix.begin(), suffix.end());
    temporary.push_back('\0');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0644) == 0 &&
              writeAll(fd, static_cast<const unsigned char*>(bytes), size) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(temporary.data(), path.c_str()) == 0)
        return true;
    std::remove(temporary.data());
    return false;
}
