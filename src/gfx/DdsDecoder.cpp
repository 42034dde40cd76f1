#include "gfx/DdsDecoder.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint32_t flagFourCC = 0x4;
constexpr std::uint32_t flagRgb = 0x40;
constexpr std::uint32_t caps2CubeMap = 0x200;
constexpr std::uint32_t caps2Volume = 0x200000;
constexpr std::size_t headerEnd = 4 + 124;
constexpr int maxLevels = 32;

std::uint32_t read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t fourCC(const char* code) {
    return read32(reinterpret_cast<const std::uint8_t*>(code));
}

int blockBytes(int format) {
    return format == Image::Dxt1 ? 8 : 16;
}

std::size_t levelSize(int width, int height, int depth, bool compressed, int format,
                      int components) {
    std::size_t slice;
    if (compressed) {
        slice = static_cast<std::size_t>((width + 3) / 4) * ((height + 3) / 4) * blockBytes(format);
    } else {
        slice = static_cast<std::size_t>(width) * height * components;
    }
    return slice * depth;
}

// The pixel rows of a 4x4 block are stored top to bottom. Mirrors the first
// `rows` of them (all four, or fewer in a level less than four pixels high,
// whose valid rows sit at the top of the block).
void mirrorRows(std::uint8_t* rowData, int rowBytes, int rows) {
    for (int a = 0, b = rows - 1; a < b; ++a, --b) {
        std::swap_ranges(rowData + a * rowBytes, rowData + (a + 1) * rowBytes,
                         rowData + b * rowBytes);
    }
}

// Interpolated alpha: two reference values, then 3-bit indices, 12 bits a row.
void mirrorDxt5Alpha(std::uint8_t* block, int rows) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) {
        bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
    }
    std::uint64_t row[4];
    for (int r = 0; r < 4; ++r) {
        row[r] = (bits >> (12 * r)) & 0xFFF;
    }
    std::reverse(row, row + rows);
    bits = row[0] | (row[1] << 12) | (row[2] << 24) | (row[3] << 36);
    for (int i = 0; i < 6; ++i) {
        block[2 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

void flipBlock(std::uint8_t* block, int format, int rows) {
    // Colour part: two reference colours, then one byte of indices per row.
    if (format == Image::Dxt1) {
        mirrorRows(block + 4, 1, rows);
        return;
    }
    if (format == Image::Dxt3) {
        mirrorRows(block, 2, rows); // explicit alpha, 4 bits a pixel
    } else {
        mirrorDxt5Alpha(block, rows);
    }
    mirrorRows(block + 12, 1, rows);
}

} // namespace

void DdsDecoder::flipRows(std::uint8_t* data, int width, int height, int bytesPerPixel) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(data + rowBytes * top, data + rowBytes * (top + 1),
                         data + rowBytes * bottom);
    }
}

void DdsDecoder::flipCompressed(std::uint8_t* data, int width, int height, int format) {
    const int bytes = blockBytes(format);
    const int blocksWide = (width + 3) / 4;
    const int blocksHigh = (height + 3) / 4;
    // A level less than four pixels high holds only its valid rows in the
    // top of each block; mirror just those.
    const int rows = std::min(height, 4);
    const std::size_t rowBytes = static_cast<std::size_t>(blocksWide) * bytes;
    for (int by = 0; by < blocksHigh; ++by) {
        std::uint8_t* row = data + rowBytes * by;
        for (int bx = 0; bx < blocksWide; ++bx) {
            flipBlock(row + static_cast<std::size_t>(bx) * bytes, format, rows);
        }
    }
    flipRows(data, blocksWide * bytes, blocksHigh, 1);
}

bool DdsDecoder::decode(const std::uint8_t* data, std::size_t size, Image& image) {
    image.clear();
    if (data == nullptr || size < headerEnd || std::memcmp(data, "DDS ", 4) != 0) {
        return false;
    }
    const std::uint8_t* header = data + 4;
    const std::uint32_t height = read32(header + 8);
    const std::uint32_t width = read32(header + 12);
    std::uint32_t depth = read32(header + 20);
    const std::uint32_t mipCount = read32(header + 24);
    const std::uint32_t pfFlags = read32(header + 76);
    const std::uint32_t pfFourCC = read32(header + 80);
    const std::uint32_t pfBits = read32(header + 84);
    const std::uint32_t caps2 = read32(header + 108);

    int format;
    int components;
    bool compressed = false;
    if (pfFlags & flagFourCC) {
        compressed = true;
        if (pfFourCC == fourCC("DXT1")) {
            format = Image::Dxt1;
            components = 3;
        } else if (pfFourCC == fourCC("DXT3")) {
            format = Image::Dxt3;
            components = 4;
        } else if (pfFourCC == fourCC("DXT5")) {
            format = Image::Dxt5;
            components = 4;
        } else {
            return false;
        }
    } else if ((pfFlags & flagRgb) && pfBits == 32) {
        format = Image::Bgra;
        components = 4;
    } else if ((pfFlags & flagRgb) && pfBits == 24) {
        format = Image::Bgr;
        components = 3;
    } else if (pfBits == 8) {
        format = Image::Luminance;
        components = 1;
    } else {
        return false;
    }
    if (width == 0 || height == 0 || width > Image::maxSide || height > Image::maxSide) {
        return false;
    }
    if (!(caps2 & caps2Volume) || depth == 0) {
        depth = 1;
    }
    if (depth > static_cast<std::uint32_t>(Image::maxSide)) {
        return false;
    }

    // Only the first face (cube maps store it first) is used for textures, so
    // the other faces are not read.
    (void)caps2CubeMap;
    std::size_t pos = headerEnd;
    int w = static_cast<int>(width);
    int h = static_cast<int>(height);
    int d = static_cast<int>(depth);
    const int levels = std::clamp<int>(
        static_cast<int>(std::min<std::uint32_t>(mipCount, maxLevels)), 1, maxLevels);
    for (int level = 0; level < levels; ++level) {
        const std::size_t bytes = levelSize(w, h, d, compressed, format, components);
        if (bytes > size - pos) {
            break;
        }
        std::vector<std::uint8_t> pixels(data + pos, data + pos + bytes);
        pos += bytes;
        const std::size_t slice = bytes / d;
        for (int z = 0; z < d; ++z) {
            if (compressed) {
                flipCompressed(pixels.data() + slice * z, w, h, format);
            } else {
                flipRows(pixels.data() + slice * z, w, h, components);
            }
        }
        if (level == 0) {
            image.width = w;
            image.height = h;
            image.dataSize = static_cast<int>(bytes);
            image.pixels = std::move(pixels);
        } else {
            image.mipLevels.push_back(
                Image::MipLevel{w, h, static_cast<int>(bytes), std::move(pixels)});
        }
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        d = std::max(1, d / 2);
    }
    if (image.pixels.empty()) {
        image.clear();
        return false;
    }
    image.components = components;
    image.compressed = compressed;
    image.formatCode = format;
    return true;
}
