#pragma once

#include <string>

namespace platform {

// Removes a file; false when it did not exist or could not be removed.
bool deleteFile(const std::string& path);

} // namespace platform
