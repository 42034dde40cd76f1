#include "PictureWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <png.h>

namespace {

void put16(PictureWriter::Bytes& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 255));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
}

void put32(PictureWriter::Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void pngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<PictureWriter::Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

// Only ever fed well-formed parameters by tests; a failure is a broken test.
void pngError(png_structp, png_const_charp message) {
    std::fprintf(stderr, "PictureWriter: %s\n", message);
    std::abort();
}

} // namespace

PictureWriter::Bytes PictureWriter::tga(int type, int bits, int width, int height,
                                        const Bytes& pixels, const std::string& id) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(id.size()));
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(type));
    for (int i = 0; i < 9; ++i) {
        out.push_back(0);
    }
    put16(out, width);
    put16(out, height);
    out.push_back(static_cast<std::uint8_t>(bits));
    out.push_back(bits == 32 ? 8 : 0);
    out.insert(out.end(), id.begin(), id.end());
    if (type != 10) {
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
    // Run-length: runs of equal pixels become repeat packets, the rest raw.
    const std::size_t depth = bits / 8;
    const std::size_t count = pixels.size() / depth;
    auto same = [&](std::size_t a, std::size_t b) {
        return std::memcmp(&pixels[a * depth], &pixels[b * depth], depth) == 0;
    };
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) {
            ++run;
        }
        if (run > 1) {
            out.push_back(static_cast<std::uint8_t>(128 | (run - 1)));
            out.insert(out.end(), &pixels[i * depth], &pixels[i * depth] + depth);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < count && raw < 128 &&
               !(i + raw + 1 < count && same(i + raw, i + raw + 1))) {
            ++raw;
        }
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        out.insert(out.end(), &pixels[i * depth], &pixels[(i + raw) * depth]);
        i += raw;
    }
    return out;
}

PictureWriter::Bytes PictureWriter::png(int width, int height, const Bytes& samples,
                                        const PngOptions& o) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, nullptr);
    png_infop info = png_create_info_struct(png);
    {
        png_set_write_fn(png, &out, pngWrite, pngFlush);
        png_set_IHDR(png, info, width, height, o.bitDepth, o.colorType,
                     o.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!o.palette.empty()) {
            std::vector<png_color> colours(o.palette.size() / 3);
            for (std::size_t i = 0; i < colours.size(); ++i) {
                colours[i] = {o.palette[3 * i], o.palette[3 * i + 1], o.palette[3 * i + 2]};
            }
            png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
        }
        if (!o.trnsAlpha.empty()) {
            png_set_tRNS(png, info, o.trnsAlpha.data(), static_cast<int>(o.trnsAlpha.size()),
                         nullptr);
        } else if (o.trnsGrey >= 0 || o.trnsRgb[0] >= 0) {
            png_color_16 value{};
            value.gray = static_cast<png_uint_16>(std::max(o.trnsGrey, 0));
            value.red = static_cast<png_uint_16>(std::max(o.trnsRgb[0], 0));
            value.green = static_cast<png_uint_16>(std::max(o.trnsRgb[1], 0));
            value.blue = static_cast<png_uint_16>(std::max(o.trnsRgb[2], 0));
            png_set_tRNS(png, info, nullptr, 0, &value);
        }
        if (o.backgroundIndex >= 0) {
            png_color_16 background{};
            background.index = static_cast<png_byte>(o.backgroundIndex);
            background.gray = static_cast<png_uint_16>(o.backgroundIndex);
            if (!o.palette.empty()) {
                background.red = o.palette[3 * o.backgroundIndex];
                background.green = o.palette[3 * o.backgroundIndex + 1];
                background.blue = o.palette[3 * o.backgroundIndex + 2];
            }
            png_set_bKGD(png, info, &background);
        }
        if (o.gamma > 0) {
            png_set_gAMA(png, info, o.gamma);
        }
        png_write_info(png, info);
        if (o.bitDepth == 16) {
            png_set_swap(png); // samples are given little-endian
        }
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        std::vector<png_bytep> rows(height);
        for (int y = 0; y < height; ++y) {
            rows[y] = const_cast<png_bytep>(samples.data() + rowBytes * y);
        }
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

PictureWriter::Bytes PictureWriter::jpeg(int width, int height, int components,
                                         const Bytes& samples, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + rowBytes * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

PictureWriter::Bytes PictureWriter::dds(int width, int height, int mipCount,
                                        const std::string& fourCC, int rgbBits, const Bytes& data,
                                        std::uint32_t caps2, int depth) {
    Bytes out{'D', 'D', 'S', ' '};
    put32(out, 124);
    put32(out, 0x1007 | (mipCount > 1 ? 0x20000 : 0));
    put32(out, height);
    put32(out, width);
    put32(out, 0);
    put32(out, depth);
    put32(out, mipCount);
    for (int i = 0; i < 11; ++i) {
        put32(out, 0);
    }
    // Pixel format.
    put32(out, 32);
    if (!fourCC.empty()) {
        put32(out, 0x4);
        out.insert(out.end(), fourCC.begin(), fourCC.end());
        put32(out, 0);
        for (int i = 0; i < 4; ++i) {
            put32(out, 0);
        }
    } else {
        const bool rgb = rgbBits != 8;
        put32(out, rgb ? (rgbBits == 32 ? 0x41 : 0x40) : 0x20000);
        put32(out, 0);
        put32(out, rgbBits);
        put32(out, rgb ? 0xFF0000 : 0xFF);
        put32(out, rgb ? 0xFF00 : 0);
        put32(out, rgb ? 0xFF : 0);
        put32(out, rgbBits == 32 ? 0xFF000000u : 0);
    }
    put32(out, 0x1000);
    put32(out, caps2);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}
