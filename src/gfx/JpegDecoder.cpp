#include "gfx/JpegDecoder.h"

#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <new>

namespace {

// The decompressor with its error manager; an error jumps back to the loader.
struct JpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_source_mgr source;
    std::jmp_buf jump;
    Image* image = nullptr;
};

const JOCTET endOfImage[2] = {0xFF, JPEG_EOI};

void errorExit(j_common_ptr cinfo) {
    auto* session = reinterpret_cast<JpegSession*>(cinfo);
    std::longjmp(session->jump, 1);
}

void silence(j_common_ptr) {}

void initSource(j_decompress_ptr) {}

// The whole file is in the buffer from the start; running out means the data
// was cut short, so the decoder gets an end marker and stops there.
boolean fillInput(j_decompress_ptr cinfo) {
    cinfo->src->next_input_byte = endOfImage;
    cinfo->src->bytes_in_buffer = sizeof(endOfImage);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* src = cinfo->src;
    if (count <= 0) {
        return;
    }
    if (static_cast<std::size_t>(count) > src->bytes_in_buffer) {
        fillInput(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void termSource(j_decompress_ptr) {}

// Decodes with the session's source; a library error jumps back here and
// gives false. No object with a destructor is created in this frame.
bool readPicture(JpegSession& s) {
    if (setjmp(s.jump)) {
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.src = &s.source;
    jpeg_read_header(&s.cinfo, TRUE);
    if (s.cinfo.image_width > Image::maxSide || s.cinfo.image_height > Image::maxSide) {
        return false;
    }
    jpeg_start_decompress(&s.cinfo);

    Image& image = *s.image;
    image.width = static_cast<int>(s.cinfo.output_width);
    image.height = static_cast<int>(s.cinfo.output_height);
    image.components = s.cinfo.output_components;
    if (image.width <= 0 || image.height <= 0 || image.width > Image::maxSide ||
        image.height > Image::maxSide) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.components;
    bool allocated = true;
    try {
        image.pixels.assign(rowBytes * image.height, 0);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated) {
        return false;
    }
    // The first scanline goes to the last row of the buffer: bottom row first.
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        JSAMPROW row =
            image.pixels.data() + rowBytes * (image.height - 1 - s.cinfo.output_scanline);
        jpeg_read_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&s.cinfo);
    return true;
}

} // namespace

bool JpegDecoder::decode(const std::uint8_t* data, std::size_t size, Image& image) {
    if (data == nullptr || size == 0) {
        return false;
    }
    JpegSession session;
    std::memset(&session.cinfo, 0, sizeof(session.cinfo));
    session.image = &image;
    session.cinfo.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = errorExit;
    session.errors.output_message = silence;
    session.source.init_source = initSource;
    session.source.fill_input_buffer = fillInput;
    session.source.skip_input_data = skipInput;
    session.source.resync_to_restart = jpeg_resync_to_restart;
    session.source.term_source = termSource;
    session.source.next_input_byte = data;
    session.source.bytes_in_buffer = size;
    const bool ok = readPicture(session);
    jpeg_destroy_decompress(&session.cinfo);
    if (!ok) {
        image.clear();
    }
    return ok;
}
