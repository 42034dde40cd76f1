#include "persist/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* temporarySuffix = ".tmp.";

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

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Without this a crash soon after the rename can bring the old name back.
// Some file systems cannot flush a folder; the file itself is safe by then.
void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Temporary files of this path that a killed writer never renamed.
void removeLeftovers(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = nameOf(AtomicFile::temporaryPrefix(path));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
            stale.push_back(folder + "/" + entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& file : stale)
        ::unlink(file.c_str());
}

} // namespace

std::string AtomicFile::temporaryPrefix(const std::string& path) {
    return path + temporarySuffix;
}

bool AtomicFile::write(const std::string& path, const void* bytes, std::size_t size) {
    if (path.empty() || path.back() == '/')
        return false;
    removeLeftovers(path);
    const std::string pattern = temporaryPrefix(path) + "XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0644) == 0 &&
              writeAll(fd, static_cast<const unsigned char*>(bytes), size) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(temporary.data(), path.c_str()) == 0) {
        flushFolder(folderOf(path));
        return true;
    }
    std::remove(temporary.data());
    return false;
}
