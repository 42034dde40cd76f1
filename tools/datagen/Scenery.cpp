#include "Scenery.h"

#include "SeededRandom.h"

#include <cmath>

namespace Scenery {

void toScreen(Canvas& canvas) {
    cairo_translate(canvas.cr(), kOffsetX, kOffsetY);
}

void sky(Canvas& canvas, std::uint32_t seed, double moonX, double moonY, double moonR) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    Shapes::nightSky(canvas, seed);
    cairo_restore(cr);
    if (moonR <= 0) {
        return;
    }
    Shapes::glow(cr, moonX, moonY, moonR * 5, {0.55, 0.5, 0.95}, 0.35);
    Shapes::glow(cr, moonX, moonY, moonR * 2.2, Palette::moon, 0.35);
    cairo_pattern_t* disc = cairo_pattern_create_radial(moonX - moonR * 0.3, moonY - moonR * 0.3,
                                                        moonR * 0.1, moonX, moonY, moonR);
    cairo_pattern_add_color_stop_rgb(disc, 0, 1.0, 1.0, 0.96);
    cairo_pattern_add_color_stop_rgb(disc, 1, 0.82, 0.82, 0.92);
    cairo_set_source(cr, disc);
    cairo_arc(cr, moonX, moonY, moonR, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
    // A few soft craters.
    SeededRandom rng(seed * 7 + 3);
    for (int i = 0; i < 6; ++i) {
        const double a = rng.between(0, 2 * M_PI), d = rng.between(0, moonR * 0.6);
        cairo_arc(cr, moonX + std::cos(a) * d, moonY + std::sin(a) * d,
                  rng.between(moonR * 0.06, moonR * 0.16), 0, 2 * M_PI);
        Shapes::setRgb(cr, {0.70, 0.70, 0.82}, 0.35);
        cairo_fill(cr);
    }
}

namespace {

void hedge(cairo_t* cr, SeededRandom& rng, double left, double right, double base, double height,
           Rgb colour) {
    cairo_move_to(cr, left, 900);
    cairo_line_to(cr, left, base);
    double x = left;
    while (x < right) {
        const double w = rng.between(40, 110);
        const double h = rng.between(height * 0.5, height);
        cairo_curve_to(cr, x + w * 0.1, base - h, x + w * 0.9, base - h, x + w,
                       base - rng.between(0, height * 0.3));
        x += w;
    }
    cairo_line_to(cr, right, 900);
    cairo_close_path(cr);
    Shapes::setRgb(cr, colour, 1);
    cairo_fill(cr);
}

} // namespace

void garden(Canvas& canvas, std::uint32_t seed, double height, double left, double right) {
    cairo_t* cr = canvas.cr();
    SeededRandom rng(seed);
    const double ground = 600;
    // Distant hedge, then nearer ones, darker and darker.
    hedge(cr, rng, left, right, ground - height * 0.35, height * 0.55, {0.10, 0.08, 0.24});
    // Glowing flowers on tall stalks between the hedges.
    const int flowers = static_cast<int>((right - left) / 38);
    for (int i = 0; i < flowers; ++i) {
        const double x = rng.between(left, right);
        const double top = ground - rng.between(height * 0.35, height);
        const double lean = rng.between(-18, 18);
        cairo_move_to(cr, x, ground + 20);
        cairo_curve_to(cr, x, ground - height * 0.2, x + lean, top + 20, x + lean, top);
        Shapes::setRgb(cr, {0.06, 0.08, 0.16}, 1);
        cairo_set_line_width(cr, rng.between(1.5, 3));
        cairo_stroke(cr);
        const double pick = rng.unit();
        const Rgb bloom = pick < 0.4   ? Palette::gold
                          : pick < 0.7 ? Rgb{1.0, 0.55, 0.8}
                                       : Rgb{0.5, 0.85, 1.0};
        const double r = rng.between(3, 7);
        Shapes::glow(cr, x + lean, top, r * 4.5, bloom, 0.45);
        Shapes::star(cr, x + lean, top, r * 1.3, r * 0.5, 5, rng.between(0, 1));
        Shapes::setRgb(cr, bloom.mix({1, 1, 1}, 0.35), 0.95);
        cairo_fill(cr);
    }
    hedge(cr, rng, left, right, ground - height * 0.12, height * 0.35, {0.05, 0.04, 0.13});
    // Grass blades in front.
    const int blades = static_cast<int>((right - left) / 5);
    for (int i = 0; i < blades; ++i) {
        const double x = rng.between(left, right);
        const double h = rng.between(height * 0.08, height * 0.32);
        const double bend = rng.between(-14, 14);
        cairo_move_to(cr, x - 2.5, ground + 10);
        cairo_curve_to(cr, x, ground - h * 0.5, x + bend * 0.5, ground - h * 0.8, x + bend,
                       ground - h);
        cairo_curve_to(cr, x + bend * 0.4, ground - h * 0.7, x + 2, ground - h * 0.4, x + 2.5,
                       ground + 10);
        cairo_close_path(cr);
        Shapes::setRgb(cr, {0.02, 0.03, 0.08}, 1);
        cairo_fill(cr);
    }
}

void fireflies(Canvas& canvas, std::uint32_t seed, int count, double x, double y, double w,
               double h) {
    cairo_t* cr = canvas.cr();
    SeededRandom rng(seed);
    for (int i = 0; i < count; ++i) {
        const double fx = x + rng.between(0, w), fy = y + rng.between(0, h);
        const double r = rng.between(1.2, 2.6);
        Shapes::glow(cr, fx, fy, r * 7, {1.0, 0.85, 0.4}, 0.35);
        cairo_arc(cr, fx, fy, r, 0, 2 * M_PI);
        Shapes::setRgb(cr, {1.0, 0.96, 0.75}, 0.95);
        cairo_fill(cr);
    }
}

} // namespace Scenery
