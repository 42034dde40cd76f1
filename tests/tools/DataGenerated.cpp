#include "DataGenerated.h"

#include "datagen/DataWriter.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <png.h>

namespace DataGenerated {

std::filesystem::path folder() {
    return std::filesystem::path(QUILLMERE_BINARY_DIR) / "gamedata";
}

const DataTree& tree() {
    static const DataTree read = [] {
        DataTree t;
        ResourceManager* manager = ResourceManager::create("datagenerated");
        manager->setPassword(PackFormat::gamePassword);
        manager->open((folder() / DataWriter::packName).string());
        const auto& names = manager->entryNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::string name = names[i];
            std::replace(name.begin(), name.end(), '\\', '/');
            const FileData data = manager->readEntry(i);
            t.addPacked(name, DataTree::Bytes(data.data(), data.data() + data.size));
        }
        ResourceManager::destroy("datagenerated");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder() / "wav")) {
            if (entry.is_regular_file() && entry.path().extension() == ".wav") {
                std::ifstream in(entry.path(), std::ios::binary);
                DataTree::Bytes bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
                t.addLoose(std::filesystem::relative(entry.path(), folder()).generic_string(),
                           std::move(bytes));
            }
        }
        return t;
    }();
    return read;
}

const DataTree::Bytes* file(const std::string& name) {
    for (const auto* files : {&tree().packed(), &tree().loose()}) {
        const auto found = files->find(name);
        if (found != files->end()) {
            return &found->second;
        }
    }
    return nullptr;
}

PropertyFile properties(const std::string& name) {
    PropertyFile store;
    if (const auto* bytes = file(name)) {
        store.loadBuffer(bytes->data(), bytes->size(), true);
    }
    return store;
}

namespace {

bool endsWith(const std::string& s, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

Decoded tga(const DataTree::Bytes& b) {
    Decoded d;
    if (b.size() < 18 || b[16] != 32 || (b[2] != 2 && b[2] != 10)) {
        return d;
    }
    d.width = b[12] | b[13] << 8;
    d.height = b[14] | b[15] << 8;
    const std::size_t pixels = static_cast<std::size_t>(d.width) * d.height;
    std::size_t at = 18 + b[0];
    auto take = [&](std::uint8_t* out) {
        if (at + 4 > b.size()) {
            return false;
        }
        out[0] = b[at + 2];
        out[1] = b[at + 1];
        out[2] = b[at];
        out[3] = b[at + 3];
        at += 4;
        return true;
    };
    d.rgba.resize(pixels * 4);
    std::size_t i = 0;
    while (i < pixels) {
        if (b[2] == 2) {
            if (!take(&d.rgba[i++ * 4])) {
                return d;
            }
            continue;
        }
        if (at >= b.size()) {
            return d;
        }
        const int header = b[at++];
        const std::size_t count = (header & 127) + 1;
        if (i + count > pixels) {
            return d;
        }
        if (header & 128) {
            if (!take(&d.rgba[i * 4])) {
                return d;
            }
            for (std::size_t k = 1; k < count; ++k) {
                std::memcpy(&d.rgba[(i + k) * 4], &d.rgba[i * 4], 4);
            }
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                if (!take(&d.rgba[(i + k) * 4])) {
                    return d;
                }
            }
        }
        i += count;
    }
    d.ok = at == b.size();
    return d;
}

Decoded pngDecode(const DataTree::Bytes& b) {
    Decoded d;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, b.data(), b.size())) {
        return d;
    }
    image.format = PNG_FORMAT_RGBA;
    d.width = static_cast<int>(image.width);
    d.height = static_cast<int>(image.height);
    d.rgba.resize(PNG_IMAGE_SIZE(image));
    d.ok = png_image_finish_read(&image, nullptr, d.rgba.data(), 0, nullptr) != 0;
    return d;
}

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

Decoded jpegDecode(const DataTree::Bytes& b) {
    Decoded d;
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JpegError*>(c->err)->jump, 1);
    };
    jpeg_create_decompress(&cinfo);
    if (setjmp(err.jump) == 0) {
        jpeg_mem_src(&cinfo, b.data(), static_cast<unsigned long>(b.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        d.width = static_cast<int>(cinfo.output_width);
        d.height = static_cast<int>(cinfo.output_height);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(d.width) * 3);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW r = row.data();
            jpeg_read_scanlines(&cinfo, &r, 1);
            for (int x = 0; x < d.width; ++x) {
                d.rgba.insert(d.rgba.end(), {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255});
            }
        }
        jpeg_finish_decompress(&cinfo);
        d.ok = true;
    }
    jpeg_destroy_decompress(&cinfo);
    return d;
}

} // namespace

FontScan scanFont(const DataTree::Bytes& bytes) {
    FontScan scan;
    if (bytes.size() < 18 || bytes[16] != 32) {
        return scan;
    }
    const int w = bytes[12] | bytes[13] << 8, h = bytes[14] | bytes[15] << 8;
    if (bytes.size() < 18 + static_cast<std::size_t>(w) * h * 4) {
        return scan;
    }
    auto alpha = [&](int x, int row) {
        return bytes[18 + (static_cast<std::size_t>(row) * w + x) * 4 + 3];
    };
    auto rowUsed = [&](int row) {
        for (int x = 0; x < w; ++x) {
            if (alpha(x, row)) {
                return true;
            }
        }
        return false;
    };
    int rowScan = h;
    while (true) {
        int top = 0;
        for (int r = rowScan - 1; r >= 0; --r) {
            if (rowUsed(r)) {
                top = r;
                break;
            }
        }
        int bottom = 0;
        for (int r = top; r >= 0; --r) {
            if (!rowUsed(r)) {
                bottom = r + 1;
                break;
            }
        }
        if (top == 0) {
            break;
        }
        scan.bandHeights.push_back(top - bottom);
        std::vector<bool> used(static_cast<std::size_t>(w));
        for (int x = 0; x < w; ++x) {
            for (int r = bottom; r <= top && !used[static_cast<std::size_t>(x)]; ++r) {
                used[static_cast<std::size_t>(x)] = alpha(x, r) != 0;
            }
        }
        int x = 0;
        while (x < w && !used[static_cast<std::size_t>(x)]) {
            ++x;
        }
        while (x < w && used[static_cast<std::size_t>(x)]) {
            ++x; // the marker
        }
        while (true) {
            while (x < w && !used[static_cast<std::size_t>(x)]) {
                ++x;
            }
            if (x >= w - 1) {
                break;
            }
            const int start = x;
            while (x < w && used[static_cast<std::size_t>(x)]) {
                ++x;
            }
            scan.glyphWidths.push_back(x - 1 - start + 2);
        }
        rowScan = bottom;
    }
    return scan;
}

double FontScan::textWidth(const std::string& text, double size) const {
    if (glyphWidths.size() < 94 || bandHeights.empty()) {
        return 0;
    }
    const double perColumn = size / bandHeights.back();
    double width = 0;
    for (char c : text) {
        const int glyph = c == ' ' ? 'A' - 33 : static_cast<unsigned char>(c) - 33;
        if (glyph >= 0 && glyph < 94) {
            width += glyphWidths[static_cast<std::size_t>(glyph)] * perColumn;
        }
    }
    return width;
}

Decoded decode(const std::string& name, const DataTree::Bytes& bytes) {
    if (endsWith(name, ".tga")) {
        return tga(bytes);
    }
    if (endsWith(name, ".png")) {
        return pngDecode(bytes);
    }
    if (endsWith(name, ".jpg")) {
        return jpegDecode(bytes);
    }
    return {};
}

} // namespace DataGenerated
