#include "Creatures.h"

#include "BoardArt.h"
#include "Canvas.h"
#include "Gallery.h"
#include "PropertyText.h"

#include <cmath>

namespace {

constexpr int kDragon = 64;
constexpr int kDragonFrames = 8;
constexpr int kDragonLooks = 4;

struct Look {
    Rgb body;
    Rgb wing;
};
constexpr Look kLooks[kDragonLooks] = {
    {{0.20, 0.62, 0.42}, {0.45, 0.85, 0.65}}, // moss
    {{0.48, 0.30, 0.80}, {0.72, 0.58, 1.00}}, // dusk
    {{0.86, 0.60, 0.20}, {1.00, 0.84, 0.45}}, // amber
    {{0.78, 0.22, 0.40}, {1.00, 0.55, 0.70}}, // rose
};

// One dragon, head up, centred on (cx, cy); beat 0..1 is the wing cycle.
void dragon(cairo_t* cr, double cx, double cy, const Look& look, double beat) {
    const double spread = 0.35 + 0.65 * (0.5 + 0.5 * std::cos(beat * 2 * M_PI));
    // Wings: membranes with ribs, narrowing as they beat down.
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 3, cy - 4);
        cairo_scale(cr, side * spread, 1);
        cairo_move_to(cr, 0, -4);
        cairo_curve_to(cr, 10, -16, 22, -14, 29, -8);
        cairo_line_to(cr, 24, 0);
        cairo_line_to(cr, 27, 4);
        cairo_line_to(cr, 18, 6);
        cairo_line_to(cr, 19, 11);
        cairo_line_to(cr, 8, 9);
        cairo_line_to(cr, 0, 8);
        cairo_close_path(cr);
        cairo_restore(cr);
        Shapes::setRgb(cr, look.wing, 0.85);
        cairo_fill_preserve(cr);
        Shapes::setRgb(cr, look.body.scaled(0.45), 1);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // Tail curling down.
    cairo_move_to(cr, cx - 3, cy + 6);
    cairo_curve_to(cr, cx - 4, cy + 16, cx + 6, cy + 20, cx + 2, cy + 29);
    cairo_curve_to(cr, cx + 1, cy + 20, cx - 2, cy + 16, cx + 3, cy + 6);
    cairo_close_path(cr);
    Shapes::setRgb(cr, look.body, 1);
    cairo_fill(cr);
    Shapes::star(cr, cx + 2, cy + 29, 3.5, 1.2, 3, M_PI);
    cairo_fill(cr);
    // Body and neck.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 5.5, 11);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* scales = cairo_pattern_create_linear(cx - 6, 0, cx + 6, 0);
    const Rgb dark = look.body.scaled(0.6), light = look.body.mix({1, 1, 1}, 0.35);
    cairo_pattern_add_color_stop_rgb(scales, 0, dark.r, dark.g, dark.b);
    cairo_pattern_add_color_stop_rgb(scales, 0.5, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(scales, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, scales);
    cairo_fill(cr);
    cairo_pattern_destroy(scales);
    // Head with two small horns and glowing eyes.
    cairo_save(cr);
    cairo_translate(cr, cx, cy - 15);
    cairo_scale(cr, 4.2, 5.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    Shapes::setRgb(cr, look.body, 1);
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * 2.5, cy - 18);
        cairo_line_to(cr, cx + side * 5.5, cy - 24);
        cairo_line_to(cr, cx + side * 3.8, cy - 17);
        Shapes::setRgb(cr, Palette::goldLight, 1);
        cairo_fill(cr);
        cairo_arc(cr, cx + side * 2.2, cy - 15.5, 1.1, 0, 2 * M_PI);
        Shapes::setRgb(cr, {1, 0.95, 0.5}, 1);
        cairo_fill(cr);
    }
    // A line of gold spines down the back.
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, cx, cy - 6 + i * 4.5, 1.1, 0, 2 * M_PI);
    }
    Shapes::setRgb(cr, Palette::gold, 0.9);
    cairo_fill(cr);
}

// A pointer whose hot spot is the centre of the picture; `kind` 0 is the
// arrow of the menus, 1 the round target.
void pointer(cairo_t* cr, int size, int kind, double phase) {
    const double c = size / 2.0;
    const double twinkle = 0.5 + 0.5 * std::cos(phase * 2 * M_PI);
    if (kind == 0) {
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, c + 4, c + 24);
        cairo_line_to(cr, c + 9.5, c + 18);
        cairo_line_to(cr, c + 16, c + 28);
        cairo_line_to(cr, c + 20, c + 25);
        cairo_line_to(cr, c + 13.5, c + 15.5);
        cairo_line_to(cr, c + 21, c + 13);
        cairo_close_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Shapes::setRgb(cr, Palette::ink, 1);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* fill = cairo_pattern_create_linear(c, c, c + 20, c + 26);
        cairo_pattern_add_color_stop_rgb(fill, 0, Palette::goldLight.r, Palette::goldLight.g,
                                         Palette::goldLight.b);
        cairo_pattern_add_color_stop_rgb(fill, 1, Palette::gold.r, Palette::gold.g,
                                         Palette::gold.b);
        cairo_set_source(cr, fill);
        cairo_fill(cr);
        cairo_pattern_destroy(fill);
        Shapes::star(cr, c, c, 5 + 4 * twinkle, 1.2, 4, phase * M_PI / 2);
        Shapes::setRgb(cr, {1, 1, 1}, 0.9);
        cairo_fill(cr);
    } else {
        cairo_arc(cr, c, c, 11 + twinkle, 0, 2 * M_PI);
        Shapes::setRgb(cr, Palette::ink, 0.9);
        cairo_set_line_width(cr, 4.5);
        cairo_stroke_preserve(cr);
        Shapes::setRgb(cr, Palette::gold, 1);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        for (int i = 0; i < 4; ++i) {
            const double a = i * M_PI / 2 + phase * M_PI / 2;
            cairo_move_to(cr, c + std::cos(a) * 7, c + std::sin(a) * 7);
            cairo_line_to(cr, c + std::cos(a) * 16, c + std::sin(a) * 16);
        }
        Shapes::setRgb(cr, Palette::goldLight, 1);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_arc(cr, c, c, 2, 0, 2 * M_PI);
        Shapes::setRgb(cr, {1, 1, 1}, 1);
        cairo_fill(cr);
    }
}

std::string spr(const std::string& image, int groups, int frames) {
    return PropertyText()
        .set("file_name", image)
        .set("tex_wrap", 0)
        .set("tex_dynamic", 0)
        .set("groups", groups)
        .set("frames", frames)
        .text();
}

} // namespace

void addCreatures(Gallery& gallery) {
    // Drawn with flipV, so group 0 is the bottom band of the picture.
    Canvas sheet(kDragon * kDragonFrames, kDragon * kDragonLooks);
    for (int g = 0; g < kDragonLooks; ++g) {
        for (int f = 0; f < kDragonFrames; ++f) {
            const double cx = f * kDragon + kDragon / 2.0;
            const double cy = (kDragonLooks - 1 - g) * kDragon + kDragon / 2.0 + 2;
            dragon(sheet.cr(), cx, cy, kLooks[g], static_cast<double>(f) / kDragonFrames);
        }
    }
    gallery.add("mui/dragon.png", sheet.picture(), PictureUse::Quad);
    gallery.addText("mui/dragon.spr", spr("mui/dragon.png", kDragonLooks, kDragonFrames));

    for (int kind = 0; kind < 2; ++kind) {
        Canvas cursor(64 * 8, 64);
        for (int f = 0; f < 8; ++f) {
            cairo_save(cursor.cr());
            cairo_translate(cursor.cr(), f * 64, 0);
            pointer(cursor.cr(), 64, kind, f / 8.0);
            cairo_restore(cursor.cr());
        }
        const std::string base = kind == 0 ? "mui/cursor" : "mui/cursor2";
        gallery.add(base + ".png", cursor.picture(), PictureUse::Quad);
        gallery.addText(base + ".spr", spr(base + ".png", 1, 8));
    }

    gallery.add("mui/icon.png", gameIcon(128), PictureUse::Quad);
}

Picture gameIcon(int size) {
    // Drawn on a 128 unit square and scaled, so that every size is the same
    // picture. The sky scatters its stars by the canvas's pixel count, so it
    // is always made at 128 pixels and then scaled like the rest.
    Canvas sky(128, 128);
    Shapes::nightSky(sky, 91, 3.0);
    Canvas icon(size, size);
    cairo_t* cr = icon.cr();
    cairo_scale(cr, size / 128.0, size / 128.0);
    Shapes::roundedRect(cr, 4, 4, 120, 120, 26);
    cairo_clip(cr);
    icon.paint(sky, 0, 0);
    BoardArt::cellBack(cr, 64, 66, 56, 3);
    BoardArt::ball(cr, 64, 66, 34, 4, 0.1);
    return icon.picture();
}
