#include "gfx/TgaDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t maxPixelsPerPacket = 128;

// Converts one stored pixel of the given byte depth to RGBA.
inline void toRgba(const std::uint8_t* in, int depth, std::uint8_t* out) {
    if (depth == 1) {
        out[0] = out[1] = out[2] = in[0];
        out[3] = 255;
    } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = depth == 4 ? in[3] : 255;
    }
}

void readRaw(const std::uint8_t* in, std::size_t available, int depth, std::uint8_t* out,
             std::size_t pixelCount) {
    const std::size_t count = std::min(pixelCount, available / depth);
    for (std::size_t i = 0; i < count; ++i) {
        toRgba(in + i * depth, depth, out + i * 4);
    }
}

void readRunLength(const std::uint8_t* in, std::size_t available, int depth, std::uint8_t* out,
                   std::size_t pixelCount) {
    std::size_t pos = 0;
    std::size_t done = 0;
    // Packets run on across row ends; stop once the last row is complete.
    while (done < pixelCount && pos < available) {
        const std::uint8_t header = in[pos++];
        const std::size_t count = std::min<std::size_t>((header & 127) + 1, pixelCount - done);
        if (header & 128) {
            if (available - pos < static_cast<std::size_t>(depth)) {
                return;
            }
            std::uint8_t pixel[4];
            toRgba(in + pos, depth, pixel);
            pos += depth;
            for (std::size_t i = 0; i < count; ++i) {
                std::memcpy(out + (done + i) * 4, pixel, 4);
            }
            done += count;
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                if (available - pos < static_cast<std::size_t>(depth)) {
                    return;
                }
                toRgba(in + pos, depth, out + done * 4);
                pos += depth;
                ++done;
            }
        }
    }
}

} // namespace

bool TgaDecoder::decode(const std::uint8_t* data, std::size_t size, Image& image) {
    if (data == nullptr || size < 18) {
        return false;
    }
    const int idLength = data[0];
    const int type = data[2];
    const int width = data[12] | (data[13] << 8);
    const int height = data[14] | (data[15] << 8);
    const int bits = data[16];
    if (width <= 0 || height <= 0 || width > Image::maxSide || height > Image::maxSide) {
        return false;
    }
    const std::size_t pixelCount = static_cast<std::size_t>(width) * height;
    const std::size_t start = 18 + static_cast<std::size_t>(idLength);
    const std::size_t available = start < size ? size - start : 0;
    // No packet of two bytes or more describes over 128 pixels: a header
    // claiming more than the data could ever hold is damage, not a picture
    // to allocate for.
    if (pixelCount > maxPixelsPerPacket * (available / 2 + 1)) {
        return false;
    }
    image.width = width;
    image.height = height;
    image.components = 4;
    // Zero-filled, so depths and types we do not read show nothing rather
    // than leftover memory.
    image.pixels.assign(pixelCount * 4, 0);
    if (available == 0) {
        return true;
    }
    const std::uint8_t* in = data + start;
    const int depth = bits / 8;
    const bool knownDepth = bits == 8 || bits == 24 || bits == 32;
    if ((type == 2 || type == 3) && knownDepth) {
        readRaw(in, available, depth, image.pixels.data(), pixelCount);
    } else if (type == 10 && (bits == 24 || bits == 32)) {
        readRunLength(in, available, depth, image.pixels.data(), pixelCount);
    }
    return true;
}
