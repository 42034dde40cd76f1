#include "platform/GlExtensions.h"

#include <SDL.h>

#include <sstream>

namespace platform {
namespace {

struct KnownExtension {
    const char* name;
    const char* entryPoints[4];
};

// The entry points the game calls, per extension it may ask for.
constexpr KnownExtension knownExtensions[] = {
    {"GL_ARB_multitexture",
     {"glActiveTextureARB", "glClientActiveTextureARB", "glMultiTexCoord2fARB", nullptr}},
    {"GL_ARB_texture_compression", {"glCompressedTexImage2DARB", nullptr}},
};

bool hasContext() {
    return SDL_WasInit(SDL_INIT_VIDEO) && SDL_GL_GetCurrentContext() != nullptr;
}

bool entryPointsPresent(const std::string& name) {
    for (const KnownExtension& known : knownExtensions) {
        if (name != known.name) {
            continue;
        }
        for (const char* const* p = known.entryPoints; *p; ++p) {
            if (!glProcAddress(*p)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool glExtensionSupported(const char* name) {
    return hasContext() && SDL_GL_ExtensionSupported(name) == SDL_TRUE;
}

void* glProcAddress(const char* name) {
    return hasContext() ? SDL_GL_GetProcAddress(name) : nullptr;
}

std::string missingGlExtensions(const std::string& names) {
    std::istringstream in(names);
    std::string missing;
    std::string name;
    while (in >> name) {
        if (!glExtensionSupported(name.c_str()) || !entryPointsPresent(name)) {
            missing += name + " ";
        }
    }
    return missing;
}

} // namespace platform
