#include "ImageFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <png.h>
#include <stdexcept>

namespace ImageFiles {

namespace {

void put16(Bytes& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putBgra(Bytes& out, const std::uint8_t* rgba) {
    out.push_back(rgba[2]);
    out.push_back(rgba[1]);
    out.push_back(rgba[0]);
    out.push_back(rgba[3]);
}

bool samePixel(const std::uint8_t* a, const std::uint8_t* b) {
    return std::memcmp(a, b, 4) == 0;
}

} // namespace

Bytes tga(const Picture& picture, TgaRows rows, bool rle) {
    if (picture.width > 0xFFFF || picture.height > 0xFFFF) {
        throw std::invalid_argument("picture too large for TGA");
    }
    Bytes out;
    out.reserve(18 + picture.rgba.size());
    out.push_back(0);            // identification length
    out.push_back(0);            // no colour map
    out.push_back(rle ? 10 : 2); // true colour, packed or raw
    out.insert(out.end(), 9, 0); // colour map spec and origin
    put16(out, picture.width);
    put16(out, picture.height);
    out.push_back(32);
    out.push_back(static_cast<std::uint8_t>(8 | (rows == TgaRows::TopFirst ? 0x20 : 0)));

    // All pixels in file order, one after the other.
    std::vector<const std::uint8_t*> order;
    order.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int i = 0; i < picture.height; ++i) {
        const int y = rows == TgaRows::TopFirst ? i : picture.height - 1 - i;
        for (int x = 0; x < picture.width; ++x) {
            order.push_back(picture.at(x, y));
        }
    }
    if (!rle) {
        for (const auto* p : order) {
            putBgra(out, p);
        }
        return out;
    }
    std::size_t i = 0;
    while (i < order.size()) {
        std::size_t run = 1;
        while (i + run < order.size() && run < 128 && samePixel(order[i], order[i + run])) {
            ++run;
        }
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            putBgra(out, order[i]);
            i += run;
            continue;
        }
        // A raw packet up to the next pair of equal pixels.
        std::size_t count = 1;
        while (
            i + count < order.size() && count < 128 &&
            !(i + count + 1 < order.size() && samePixel(order[i + count], order[i + count + 1]))) {
            ++count;
        }
        out.push_back(static_cast<std::uint8_t>(count - 1));
        for (std::size_t k = 0; k < count; ++k) {
            putBgra(out, order[i + k]);
        }
        i += count;
    }
    return out;
}

namespace {

void pngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

[[noreturn]] void pngError(png_structp, png_const_charp message) {
    throw std::runtime_error(std::string("png: ") + message);
}

void pngWarning(png_structp, png_const_charp) {}

bool opaque(const Picture& picture) {
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4) {
        if (picture.rgba[i] != 255) {
            return false;
        }
    }
    return true;
}

} // namespace

Bytes png(const Picture& picture, int level) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    png_infop info = png_create_info_struct(png);
    const bool rgb = opaque(picture);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * 4);
    try {
        png_set_write_fn(png, &out, pngWrite, pngFlush);
        png_set_compression_level(png, level);
        png_set_IHDR(png, info, picture.width, picture.height, 8,
                     rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < picture.height; ++y) {
            const std::uint8_t* src = picture.at(0, y);
            if (rgb) {
                for (int x = 0; x < picture.width; ++x) {
                    std::memcpy(&row[static_cast<std::size_t>(x) * 3], src + x * 4, 3);
                }
            } else {
                std::memcpy(row.data(), src, row.size());
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes jpeg(const Picture& picture, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int c = 0; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* src = picture.at(0, static_cast<int>(cinfo.next_scanline));
        for (int x = 0; x < picture.width; ++x) {
            std::memcpy(&row[static_cast<std::size_t>(x) * 3], src + x * 4, 3);
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

} // namespace ImageFiles
