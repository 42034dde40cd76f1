#include "gfx/Image.h"

#include "gfx/DdsDecoder.h"
#include "gfx/JpegDecoder.h"
#include "gfx/PngDecoder.h"
#include "gfx/TgaDecoder.h"
#include "platform/GameFolders.h"

#include <GL/gl.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <new>

namespace {

char lowerAt(const std::string& name, std::size_t fromEnd) {
    if (name.size() < fromEnd) {
        return 0;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(name[name.size() - fromEnd])));
}

} // namespace

void Image::clear() {
    width = height = dataSize = components = formatCode = 0;
    compressed = false;
    pixels.clear();
    pixels.shrink_to_fit();
    mipLevels.clear();
}

std::vector<std::uint8_t> Image::readDiskFile(const std::string& path) {
    std::ifstream in(platform::GameFolders::dataPath(path), std::ios::binary);
    if (!in) {
        return {};
    }
    try {
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        return {};
    }
}

int Image::formatForComponents(int count) {
    switch (count) {
    case 1:
        return Luminance;
    case 3:
        return Rgb;
    case 4:
        return Rgba;
    default:
        return -1;
    }
}

unsigned Image::glFormat() const {
    switch (formatCode) {
    case Dxt1:
        return 0x83F1; // COMPRESSED_RGBA_S3TC_DXT1
    case Dxt3:
        return 0x83F2;
    case Dxt5:
        return 0x83F3;
    case Rgba:
        return GL_RGBA;
    case Bgra:
        return 0x80E1;
    case Bgr:
        return 0x80E0;
    case Luminance:
        return GL_LUMINANCE;
    default:
        return GL_RGB;
    }
}

void Image::decode(const std::string& fileName, const std::uint8_t* data, std::size_t size) {
    clear();
    std::vector<std::uint8_t> fromDisk;
    const char last = lowerAt(fileName, 1);
    if (last == 's') {
        // DDS pictures are read from the disk by name, never from the pack.
        fromDisk = readDiskFile(fileName);
        if (!DdsDecoder::decode(fromDisk.data(), fromDisk.size(), *this)) {
            clear();
        }
        return;
    }
    if (size == 0) {
        fromDisk = readDiskFile(fileName);
        data = fromDisk.data();
        size = fromDisk.size();
    }
    if (data == nullptr || size == 0) {
        return;
    }
    bool ok = false;
    try {
        if (last == 'a') {
            ok = TgaDecoder::decode(data, size, *this);
        } else if (lowerAt(fileName, 2) == 'n') {
            ok = PngDecoder::decode(data, size, *this);
        } else if (last == 'g') {
            ok = JpegDecoder::decode(data, size, *this);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    const int code = formatForComponents(components);
    if (!ok || code < 0) {
        // An unsupported channel count is treated like an undecodable file.
        clear();
        return;
    }
    compressed = false;
    formatCode = code;
    dataSize = width * height * components;
}
