#include "ContactSheet.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>

Picture contactSheet(const std::vector<std::pair<std::string, Picture>>& pictures) {
    constexpr int cell = 232, thumb = 200, columns = 8, label = 22;
    const int rows = static_cast<int>((pictures.size() + columns - 1) / columns);
    Canvas sheet(columns * cell, std::max(1, rows) * (cell + label));
    cairo_t* cr = sheet.cr();
    Shapes::setRgb(cr, {0.16, 0.16, 0.18});
    cairo_paint(cr);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const auto& [name, picture] = pictures[i];
        const double x0 = static_cast<double>(i % columns) * cell + (cell - thumb) / 2.0;
        const double y0 = static_cast<double>(i / columns) * (cell + label) + 8;
        // A checkerboard shows where the picture is transparent.
        for (int cy = 0; cy < thumb; cy += 10) {
            for (int cx = 0; cx < thumb; cx += 10) {
                const double v = ((cx + cy) / 10) % 2 ? 0.30 : 0.38;
                Shapes::setRgb(cr, {v, v, v});
                cairo_rectangle(cr, x0 + cx, y0 + cy, 10, 10);
                cairo_fill(cr);
            }
        }
        if (!picture.empty()) {
            const double scale = std::min({static_cast<double>(thumb) / picture.width,
                                           static_cast<double>(thumb) / picture.height, 4.0});
            Canvas small(static_cast<int>(std::ceil(picture.width * scale)),
                         static_cast<int>(std::ceil(picture.height * scale)));
            {
                Canvas full(picture.width, picture.height);
                full.paint(picture, 0, 0);
                cairo_scale(small.cr(), scale, scale);
                cairo_set_source_surface(small.cr(), full.surface(), 0, 0);
                cairo_pattern_set_filter(cairo_get_source(small.cr()),
                                         scale < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
                cairo_paint(small.cr());
            }
            sheet.paint(small, x0 + (thumb - small.width()) / 2.0,
                        y0 + (thumb - small.height()) / 2.0);
        }
        std::string text =
            name + " " + std::to_string(picture.width) + "x" + std::to_string(picture.height);
        Lettering::use(cr, Face::Sans, 11);
        while (text.size() > 4 && Lettering::width(cr, text) > cell - 6) {
            text.erase(0, 1);
        }
        Shapes::setRgb(cr, {0.92, 0.92, 0.92});
        Lettering::path(cr, text, x0 + thumb / 2.0, y0 + thumb + 16, Align::Centre);
        cairo_fill(cr);
    }
    return sheet.picture();
}
