#pragma once

#include <string>

// Looks up OpenGL extensions and entry points in the current context.
namespace platform {

bool glExtensionSupported(const char* name);
// The address of a GL entry point, or nullptr.
void* glProcAddress(const char* name);
// Checks a blank-separated list of extensions: each must be in the driver's
// extension string and, when the game knows its entry points, have them all.
// Returns the names that failed, each followed by a blank; empty when all
// are there. Without a current context every name fails.
std::string missingGlExtensions(const std::string& names);

} // namespace platform
