#include "app/WindowIcon.h"

#include "gfx/Image.h"
#include "persist/ResourceManager.h"
#include "platform/NativeWindow.h"

namespace WindowIcon {

std::vector<std::uint8_t> topDownRgba(const Image& image) {
    const int components = image.components;
    if (image.compressed || (components != 3 && components != 4) || image.width <= 0 ||
        image.height <= 0 || image.width > Image::maxSide || image.height > Image::maxSide) {
        return {};
    }
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    const std::size_t rowBytes = width * static_cast<std::size_t>(components);
    if (image.pixels.size() < rowBytes * height) {
        return {};
    }
    std::vector<std::uint8_t> rgba(width * height * 4);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* from = &image.pixels[(height - 1 - y) * rowBytes];
        std::uint8_t* to = &rgba[y * width * 4];
        for (std::size_t x = 0; x < width; ++x, from += components, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = components == 4 ? from[3] : 255;
        }
    }
    return rgba;
}

bool apply(platform::NativeWindow& window, const ResourceManager& resources) {
    const FileData file = resources.readFile(fileName);
    if (file.empty()) {
        return false;
    }
    Image image;
    image.decode(fileName, file.data(), file.size);
    std::vector<std::uint8_t> rgba = topDownRgba(image);
    if (rgba.empty()) {
        return false;
    }
    window.setIcon(image.width, image.height, rgba);
    return true;
}

} // namespace WindowIcon
