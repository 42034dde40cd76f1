// libFuzzer target: any bytes scanned as the font picture give glyphs whose
// texture corners stay inside the picture, and text lays out from them.
#include "gfx/Font.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Font font;
    font.loadGlyphs(data, size, nullptr);
    if (font.glyphsFound() < 0 || font.glyphsFound() > Font::glyphCount)
        std::abort();
    for (int i = 0; i < font.glyphsFound(); ++i) {
        const Font::Glyph& g = font.glyph(i);
        if (!(g.uLeft >= 0 && g.uRight <= 1.0001f && g.uLeft <= g.uRight))
            std::abort();
    }
    std::vector<Font::Quad> quads;
    font.layout("Quillmere 0123 ~!\n\tAZ", 24, 10, 40, false, false, quads);
    font.layout("Score: 99", 16, 0, 0, true, true, quads);
    (void)font.textWidth("SCORE", 24);
    return 0;
}
