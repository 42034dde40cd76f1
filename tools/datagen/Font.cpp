#include "Font.h"

#include "Canvas.h"
#include "Gallery.h"
#include "ImageFiles.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 256;
constexpr double kPixelSize = 44.0;
constexpr int kGap = 5;     // transparent columns between runs
constexpr int kBandGap = 8; // transparent rows between bands
constexpr int kMarkerWidth = 3;

struct Glyph {
    Picture ink;     // cropped to its columns; rows span the common band
    int inkLeft = 0; // offset of the crop in the render
};

// Renders one character at a fixed baseline into a tall cell.
Picture render(char c, int cellW, int cellH, double baseline) {
    Canvas canvas(cellW, cellH);
    cairo_t* cr = canvas.cr();
    Lettering::use(cr, Face::SansBold, kPixelSize);
    const std::string text(1, c);
    cairo_move_to(cr, 8, baseline);
    cairo_text_path(cr, text.c_str());
    Shapes::setRgb(cr, {0, 0, 0}, 0.75);
    cairo_set_line_width(cr, 3.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, {1, 1, 1}, 1);
    cairo_fill(cr);
    return canvas.picture();
}

bool columnEmpty(const Picture& p, int x, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
        if (p.at(x, y)[3] != 0) {
            return false;
        }
    }
    return true;
}

bool rowEmpty(const Picture& p, int y) {
    for (int x = 0; x < p.width; ++x) {
        if (p.at(x, y)[3] != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

void addFontPicture(Gallery& gallery) {
    const int cellW = 96, cellH = 96;
    const double baseline = 64;
    std::vector<Picture> renders;
    int inkTop = cellH, inkBottom = -1;
    for (char c = '!'; c <= '~'; ++c) {
        renders.push_back(render(c, cellW, cellH, baseline));
        const Picture& p = renders.back();
        for (int y = 0; y < cellH; ++y) {
            if (!rowEmpty(p, y)) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    // The band: one spare row above the highest ink, because the loader's
    // top coordinate is the lower edge of the band's first row.
    const int bandTop = inkTop - 1;
    const int bandHeight = inkBottom - bandTop + 1;

    std::vector<Glyph> glyphs;
    for (const Picture& p : renders) {
        int left = 0, right = p.width - 1;
        while (left < p.width && columnEmpty(p, left, 0, p.height)) {
            ++left;
        }
        while (right > left && columnEmpty(p, right, 0, p.height)) {
            --right;
        }
        Glyph g;
        g.inkLeft = left;
        g.ink = Picture(right - left + 1, bandHeight);
        for (int y = 0; y < bandHeight; ++y) {
            for (int x = 0; x <= right - left; ++x) {
                std::copy_n(p.at(left + x, bandTop + y), 4, g.ink.at(x, y));
            }
        }
        // A glyph in two parts ('"', say) must still read as one run: an
        // invisible touch of alpha bridges every empty column inside it.
        for (int x = 0; x < g.ink.width; ++x) {
            if (columnEmpty(g.ink, x, 0, g.ink.height)) {
                std::uint8_t* px = g.ink.at(x, static_cast<int>(baseline) - bandTop);
                px[0] = px[1] = px[2] = 255;
                px[3] = 1;
            }
        }
        glyphs.push_back(std::move(g));
    }

    Picture sheet(kWidth, kHeight);
    int y = kBandGap;
    int x = kWidth; // forces a new band at the first glyph
    for (const Glyph& g : glyphs) {
        if (x + g.ink.width >= kWidth - kGap) {
            if (x != kWidth) {
                y += bandHeight + kBandGap;
            }
            if (y + bandHeight + kBandGap >= kHeight) {
                throw std::logic_error("font picture too small for its glyphs");
            }
            // The marker run opens the band and fixes its height.
            for (int my = 0; my < bandHeight; ++my) {
                for (int mx = 1; mx <= kMarkerWidth; ++mx) {
                    std::uint8_t* px = sheet.at(mx, y + my);
                    px[0] = px[1] = px[2] = px[3] = 255;
                }
            }
            x = 1 + kMarkerWidth + kGap;
        }
        sheet.place(g.ink, x, y);
        x += g.ink.width + kGap;
    }
    gallery.addEncoded("mui/font.tga", sheet,
                       ImageFiles::tga(sheet, ImageFiles::TgaRows::BottomFirst, false));
}
