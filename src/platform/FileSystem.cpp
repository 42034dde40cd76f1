#include "platform/FileSystem.h"

#include <cstdio>

namespace platform {

bool deleteFile(const std::string& path) {
    return !path.empty() && std::remove(path.c_str()) == 0;
}

} // namespace platform
