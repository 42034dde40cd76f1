#include "gfx/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

namespace {

// Everything the library callbacks and the decoding steps share. It lives in
// the caller's frame, so nothing the jump skips over holds a resource.
struct PngSource {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    std::jmp_buf jump;
    Image* image = nullptr;
    std::vector<png_bytep> rows;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->pos) {
        png_error(png, "Read past the end of the data");
    }
    std::memcpy(out, source->data + source->pos, length);
    source->pos += length;
}

void onError(png_structp png, png_const_charp) {
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::longjmp(source->jump, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Ancillary chunks the picture never needs. libpng would otherwise allocate
// each one's declared length before finding out whether the data is there.
const png_byte unusedChunks[] = {
    'e',  'X',  'I',  'f',  '\0', 'h',  'I',  'S',  'T',  '\0', 'i',  'C',  'C',
    'P',  '\0', 'i',  'T',  'X',  't',  '\0', 'o',  'F',  'F',  's',  '\0', 'p',
    'C',  'A',  'L',  '\0', 'p',  'H',  'Y',  's',  '\0', 's',  'B',  'I',  'T',
    '\0', 's',  'C',  'A',  'L',  '\0', 's',  'P',  'L',  'T',  '\0', 't',  'E',
    'X',  't',  '\0', 't',  'I',  'M',  'E',  '\0', 'z',  'T',  'X',  't',  '\0',
};

// No chunk can hold more than the file does, and a picture needs only a
// handful of ancillary chunks; libpng reports a chunk over its limit only as a
// warning, so the unused chunks are skipped unread as well.
void limitMemory(png_structp png, std::size_t fileSize) {
    png_set_user_limits(png, Image::maxSide, Image::maxSide);
    png_set_chunk_malloc_max(png, fileSize);
    png_set_chunk_cache_max(png, 32);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, unusedChunks,
                                static_cast<int>(sizeof unusedChunks / 5));
}

template <typename T> bool tryResize(std::vector<T>& v, std::size_t n) {
    try {
        v.resize(n);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Runs the library over the source; a library error jumps back here and
// gives false. No object with a destructor is created in this frame.
bool readPicture(png_structp png, png_infop info, PngSource& source) {
    if (setjmp(source.jump)) {
        return false;
    }
    png_set_read_fn(png, &source, readFromMemory);
    limitMemory(png, source.size);
    png_set_sig_bytes(png, 8);
    source.pos = 8;
    png_read_info(png, info);

    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background)) {
        png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    }
    double gamma = 0;
    if (png_get_gAMA(png, info, &gamma)) {
        png_set_gamma(png, 2.2, gamma);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    Image& image = *source.image;
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.components = png_get_channels(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<std::size_t>(image.width) * image.components) {
        png_error(png, "Unexpected row layout");
    }
    if (!tryResize(image.pixels, rowBytes * image.height)) {
        png_error(png, "Visual PNG: out of memory");
    }
    if (!tryResize(source.rows, image.height)) {
        png_error(png, "Visual PNG: out of memory");
    }
    // Row i of the file lands at row height - 1 - i: bottom row first.
    for (int i = 0; i < image.height; ++i) {
        source.rows[i] = image.pixels.data() + rowBytes * (image.height - 1 - i);
    }
    png_read_image(png, source.rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool PngDecoder::decode(const std::uint8_t* data, std::size_t size, Image& image) {
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        return false;
    }
    PngSource source;
    source.data = data;
    source.size = size;
    source.image = &image;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, onError, onWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    const bool ok = readPicture(png, info, source);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        image.clear();
    }
    return ok;
}
