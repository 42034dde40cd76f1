#include "UiArt.h"

#include "Canvas.h"

#include <cmath>

namespace UiArt {

namespace {

enum class Look { Normal, Hover, Pressed, Dim };

void pill(cairo_t* cr, double x, double y, double w, double h, Look look) {
    const double r = h / 2;
    const double lift = look == Look::Pressed ? 1.5 : 0;
    Shapes::roundedRect(cr, x, y + lift, w, h - lift, r);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb top{0.34, 0.24, 0.62}, bottom{0.10, 0.07, 0.24};
    if (look == Look::Hover) {
        top = {0.52, 0.38, 0.86};
        bottom = {0.18, 0.12, 0.38};
    } else if (look == Look::Pressed) {
        top = {0.12, 0.08, 0.28};
        bottom = {0.26, 0.18, 0.50};
    } else if (look == Look::Dim) {
        top = {0.25, 0.24, 0.30};
        bottom = {0.10, 0.10, 0.14};
    }
    cairo_pattern_add_color_stop_rgb(fill, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    Shapes::setRgb(cr,
                   look == Look::Dim ? Rgb{0.5, 0.48, 0.45}
                                     : (look == Look::Hover ? Palette::goldLight : Palette::gold),
                   1);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    if (look != Look::Pressed) {
        // Glass sheen on the upper half.
        Shapes::roundedRect(cr, x + 5, y + 3, w - 10, h * 0.42, r * 0.8);
        cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y + 3, 0, y + 3 + h * 0.42);
        cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, look == Look::Hover ? 0.30 : 0.20);
        cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.02);
        cairo_set_source(cr, sheen);
        cairo_fill(cr);
        cairo_pattern_destroy(sheen);
    }
}

void arrow(cairo_t* cr, double cx, double cy, double s, bool right, Rgb colour) {
    const double d = right ? 1 : -1;
    cairo_move_to(cr, cx + d * s * 0.6, cy);
    cairo_line_to(cr, cx - d * s * 0.4, cy - s * 0.6);
    cairo_line_to(cr, cx - d * s * 0.4, cy + s * 0.6);
    cairo_close_path(cr);
    Shapes::setRgb(cr, Palette::ink, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, colour, 1);
    cairo_fill(cr);
}

Look lookOf(int frame) {
    static const Look looks[4] = {Look::Normal, Look::Hover, Look::Pressed, Look::Dim};
    return looks[frame];
}

} // namespace

Picture button(int width, int frameHeight, const std::string& label, Glyph glyph) {
    Canvas canvas(width, frameHeight * 4);
    for (int frame = 0; frame < 4; ++frame) {
        // Frame 1 is the bottom band.
        const double y0 = (3 - frame) * frameHeight;
        const Look look = lookOf(frame);
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_rectangle(cr, 0, y0, width, frameHeight);
        cairo_clip(cr);
        const double m = 4;
        if (look == Look::Hover) {
            Canvas::Layer halo = canvas.layer(0, y0, width, frameHeight, 0);
            Shapes::roundedRect(halo.canvas->cr(), m, y0 + m, width - 2 * m, frameHeight - 2 * m,
                                frameHeight / 2.0);
            Shapes::setRgb(halo.canvas->cr(), Palette::gold, 0.8);
            cairo_fill(halo.canvas->cr());
            halo.canvas->blur(3);
            canvas.paintLayer(halo);
        }
        const double press = look == Look::Pressed ? 1.5 : 0;
        if (glyph == Glyph::None) {
            pill(cr, m, y0 + m, width - 2 * m, frameHeight - 2 * m, look);
            const double size = frameHeight * 0.42;
            if (look == Look::Dim) {
                Lettering::plain(canvas, label, Face::SerifBold, size, width / 2.0,
                                 y0 + frameHeight / 2.0 + size * 0.36 + press, Align::Centre,
                                 {0.6, 0.58, 0.55});
            } else {
                Lettering::gold(canvas, label, Face::SerifBold, size, width / 2.0,
                                y0 + frameHeight / 2.0 + size * 0.36 + press, Align::Centre,
                                look == Look::Hover ? 0.9 : 0.35);
            }
        } else {
            const double r = std::min(width, frameHeight) / 2.0 - m;
            const double cx = width / 2.0, cy = y0 + frameHeight / 2.0;
            pill(cr, cx - r, cy - r, 2 * r, 2 * r, look);
            arrow(cr, cx + (glyph == Glyph::Right ? 2 : -2), cy + press, r * 0.9,
                  glyph == Glyph::Right,
                  look == Look::Dim ? Rgb{0.6, 0.58, 0.55}
                                    : (look == Look::Hover ? Palette::goldLight : Palette::gold));
        }
        cairo_restore(cr);
    }
    return canvas.picture();
}

Picture checkBox(int size) {
    Canvas canvas(size, size * 4);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < 4; ++frame) {
        const double y0 = (3 - frame) * size;
        const bool hover = frame == 1 || frame == 3;
        const bool ticked = frame >= 2;
        const double m = size * 0.16, s = size - 2 * m;
        if (hover) {
            Shapes::glow(cr, size / 2.0, y0 + size / 2.0, size * 0.5, Palette::gold, 0.55);
        }
        Shapes::roundedRect(cr, m, y0 + m, s, s, s * 0.22);
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, y0 + m, 0, y0 + m + s);
        cairo_pattern_add_color_stop_rgb(fill, 0, 0.06, 0.04, 0.16);
        cairo_pattern_add_color_stop_rgb(fill, 1, hover ? 0.30 : 0.20, hover ? 0.22 : 0.15,
                                         hover ? 0.55 : 0.40);
        cairo_set_source(cr, fill);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(fill);
        Shapes::setRgb(cr, hover ? Palette::goldLight : Palette::gold, 1);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        if (ticked) {
            cairo_move_to(cr, m + s * 0.2, y0 + m + s * 0.52);
            cairo_line_to(cr, m + s * 0.42, y0 + m + s * 0.74);
            cairo_line_to(cr, m + s * 0.84, y0 + m + s * 0.2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            Shapes::setRgb(cr, Palette::ink, 0.9);
            cairo_set_line_width(cr, s * 0.2);
            cairo_stroke_preserve(cr);
            Shapes::setRgb(cr, hover ? Palette::goldLight : Palette::gold, 1);
            cairo_set_line_width(cr, s * 0.12);
            cairo_stroke(cr);
        }
    }
    return canvas.picture();
}

Picture thumb(int width, int height) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    const double m = 3;
    Shapes::glow(cr, width / 2.0, height / 2.0, height * 0.5, Palette::gold, 0.35);
    Shapes::roundedRect(cr, m + 2, m, width - 2 * m - 4, height - 2 * m, (width - 2 * m) / 2.5);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, width, 0);
    cairo_pattern_add_color_stop_rgb(fill, 0, Palette::goldDeep.r, Palette::goldDeep.g,
                                     Palette::goldDeep.b);
    cairo_pattern_add_color_stop_rgb(fill, 0.4, Palette::goldLight.r, Palette::goldLight.g,
                                     Palette::goldLight.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, Palette::goldDeep.r, Palette::goldDeep.g,
                                     Palette::goldDeep.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    Shapes::setRgb(cr, Palette::ink, 0.85);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, width * 0.32, height / 2.0 + i * 6);
        cairo_line_to(cr, width * 0.68, height / 2.0 + i * 6);
    }
    Shapes::setRgb(cr, Palette::goldDeep.scaled(0.6), 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return canvas.picture();
}

Picture editBox(int width, int frameHeight, int fieldWidth) {
    Canvas canvas(width, frameHeight * 2);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < 2; ++frame) {
        const double y0 = (1 - frame) * frameHeight;
        const bool focused = frame == 1;
        if (focused) {
            Canvas::Layer halo = canvas.layer(0, y0, width, frameHeight, 0);
            Shapes::roundedRect(halo.canvas->cr(), 3, y0 + 5, fieldWidth - 6, frameHeight - 10, 10);
            Shapes::setRgb(halo.canvas->cr(), Palette::gold, 0.9);
            cairo_set_line_width(halo.canvas->cr(), 5);
            cairo_stroke(halo.canvas->cr());
            halo.canvas->blur(3);
            canvas.paintLayer(halo);
        }
        Shapes::roundedRect(cr, 3, y0 + 5, fieldWidth - 6, frameHeight - 10, 10);
        Shapes::setRgb(cr, {0.03, 0.02, 0.08}, 0.92);
        cairo_fill_preserve(cr);
        Shapes::setRgb(cr, focused ? Palette::goldLight : Palette::lilac, focused ? 1 : 0.7);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    return canvas.picture();
}

Picture padlock(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const double s = size;
    Shapes::glow(cr, s / 2, s / 2, s * 0.5, {0.1, 0.0, 0.2}, 0.7);
    cairo_arc(cr, s / 2, s * 0.42, s * 0.2, M_PI, 2 * M_PI);
    cairo_line_to(cr, s * 0.7, s * 0.5);
    cairo_move_to(cr, s * 0.3, s * 0.5);
    cairo_line_to(cr, s * 0.3, s * 0.42);
    Shapes::setRgb(cr, Palette::ink, 1);
    cairo_set_line_width(cr, s * 0.11);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, {0.85, 0.87, 0.95}, 1);
    cairo_set_line_width(cr, s * 0.065);
    cairo_stroke(cr);
    Shapes::roundedRect(cr, s * 0.2, s * 0.46, s * 0.6, s * 0.44, s * 0.08);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, s * 0.46, 0, s * 0.9);
    cairo_pattern_add_color_stop_rgb(body, 0, Palette::goldLight.r, Palette::goldLight.g,
                                     Palette::goldLight.b);
    cairo_pattern_add_color_stop_rgb(body, 1, Palette::goldDeep.r, Palette::goldDeep.g,
                                     Palette::goldDeep.b);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    Shapes::setRgb(cr, Palette::ink, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, s / 2, s * 0.64, s * 0.06, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, s / 2 - s * 0.025, s * 0.66, s * 0.05, s * 0.14);
    cairo_fill(cr);
    return canvas.picture();
}

} // namespace UiArt
