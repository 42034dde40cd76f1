#pragma once

#include <cstdint>
#include <vector>

class Image;
class ResourceManager;
namespace platform {
class NativeWindow;
}

// The window's icon for the desktop's task bar and switcher: the game's own
// picture, the same drawing as the installed icons.
namespace WindowIcon {

inline constexpr const char* fileName = "mui/icon.png";

// A decoded PNG (bottom row first, RGB or RGBA) as straight RGBA with the top
// row first; empty for a picture of any other layout.
std::vector<std::uint8_t> topDownRgba(const Image& image);

// Reads the icon from the resources and gives it to the window; false (and
// the window keeps the desktop's default) when it cannot be read.
bool apply(platform::NativeWindow& window, const ResourceManager& resources);

} // namespace WindowIcon
