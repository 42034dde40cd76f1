// The pictures of the board: balls, cell backs, the lock, sparks and the
// sprite sheets made of them.
//
// Index, in file order:
// - Emblems: the mark each ordinary ball colour carries.
// - Spheres: the glossy body and its moving glint.
// - Special balls: joker, colour bomb, blast ball.
// - Sprite files (.spr text) and the insect cells.
// - Public drawing: colourOf, ball, cellBack, lock, spark.
// - addSprites: every board sprite sheet into the gallery.

#include "BoardArt.h"

#include "Gallery.h"
#include "PropertyText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

namespace BoardArt {

namespace {

constexpr std::array<Rgb, ordinaryColours> kColours{{
    {0.90, 0.14, 0.20}, // ruby, heart
    {0.15, 0.70, 0.28}, // emerald, triangle
    {0.16, 0.40, 0.96}, // sapphire, drop
    {1.00, 0.84, 0.12}, // sun, star
    {0.62, 0.26, 0.92}, // amethyst, crescent
    {1.00, 0.50, 0.08}, // amber, ring
    {0.50, 0.92, 0.96}, // frost, snowflake
    {1.00, 0.44, 0.76}, // rose, flower
    {0.06, 0.58, 0.54}, // jade, diamond
    {0.58, 0.60, 0.68}, // slate, square
    {0.62, 0.38, 0.18}, // bronze, hexagon
    {0.66, 0.90, 0.18}, // lime, plus
    {0.30, 0.24, 0.72}, // indigo, bolt
}};

void emblemPath(cairo_t* cr, double cx, double cy, double s, int colour) {
    switch (colour) {
    case 0: // heart
        cairo_move_to(cr, cx, cy + s * 0.85);
        cairo_curve_to(cr, cx - s * 1.25, cy + s * 0.05, cx - s * 0.75, cy - s * 1.0, cx,
                       cy - s * 0.35);
        cairo_curve_to(cr, cx + s * 0.75, cy - s * 1.0, cx + s * 1.25, cy + s * 0.05, cx,
                       cy + s * 0.85);
        cairo_close_path(cr);
        break;
    case 1: // triangle
        cairo_move_to(cr, cx, cy - s * 0.9);
        cairo_line_to(cr, cx + s * 0.9, cy + s * 0.7);
        cairo_line_to(cr, cx - s * 0.9, cy + s * 0.7);
        cairo_close_path(cr);
        break;
    case 2: // drop
        cairo_move_to(cr, cx, cy - s * 1.0);
        cairo_curve_to(cr, cx + s * 0.35, cy - s * 0.45, cx + s * 0.75, cy - s * 0.05,
                       cx + s * 0.75, cy + s * 0.3);
        cairo_arc(cr, cx, cy + s * 0.3, s * 0.75, 0, M_PI);
        cairo_curve_to(cr, cx - s * 0.75, cy - s * 0.05, cx - s * 0.35, cy - s * 0.45, cx,
                       cy - s * 1.0);
        cairo_close_path(cr);
        break;
    case 3:
        Shapes::star(cr, cx, cy + s * 0.08, s * 1.0, s * 0.42, 5);
        break;
    case 4: { // crescent: the rim of one disc outside another, offset one
        const double ax = cx, ay = cy, ar = s * 0.85;
        const double bx = cx + s * 0.42, by = cy - s * 0.24, br = s * 0.66;
        // Where the two circles cross, as angles on each of them.
        const double dx = bx - ax, dy = by - ay, d = std::hypot(dx, dy);
        const double along = (ar * ar - br * br + d * d) / (2 * d);
        const double h = std::sqrt(std::max(0.0, ar * ar - along * along));
        const double mx = ax + dx * along / d, my = ay + dy * along / d;
        const double p1x = mx - dy * h / d, p1y = my + dx * h / d;
        const double p2x = mx + dy * h / d, p2y = my - dx * h / d;
        const double a1 = std::atan2(p1y - ay, p1x - ax), a2 = std::atan2(p2y - ay, p2x - ax);
        const double b1 = std::atan2(p1y - by, p1x - bx), b2 = std::atan2(p2y - by, p2x - bx);
        cairo_new_sub_path(cr);
        cairo_arc(cr, ax, ay, ar, a1, a2 < a1 ? a2 + 2 * M_PI : a2);
        cairo_arc_negative(cr, bx, by, br, b2, b1 > b2 ? b1 - 2 * M_PI : b1);
        cairo_close_path(cr);
        break;
    }
    case 5: // ring
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, s * 0.85, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, s * 0.45, 2 * M_PI, 0);
        break;
    case 6: // snowflake: three crossing bars
        for (int i = 0; i < 3; ++i) {
            const double a = M_PI / 2 + i * M_PI / 3;
            const double dx = std::cos(a) * s, dy = std::sin(a) * s;
            const double nx = -std::sin(a) * s * 0.2, ny = std::cos(a) * s * 0.2;
            cairo_new_sub_path(cr);
            cairo_move_to(cr, cx - dx + nx, cy - dy + ny);
            cairo_line_to(cr, cx + dx + nx, cy + dy + ny);
            cairo_line_to(cr, cx + dx - nx, cy + dy - ny);
            cairo_line_to(cr, cx - dx - nx, cy - dy - ny);
            cairo_close_path(cr);
        }
        break;
    case 7: // flower: four petals around a heart
        for (int i = 0; i < 4; ++i) {
            const double a = i * M_PI / 2 + M_PI / 4;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + std::cos(a) * s * 0.48, cy + std::sin(a) * s * 0.48, s * 0.42, 0,
                      2 * M_PI);
        }
        break;
    case 8: // diamond
        cairo_move_to(cr, cx, cy - s);
        cairo_line_to(cr, cx + s * 0.7, cy);
        cairo_line_to(cr, cx, cy + s);
        cairo_line_to(cr, cx - s * 0.7, cy);
        cairo_close_path(cr);
        break;
    case 9: // square
        cairo_rectangle(cr, cx - s * 0.68, cy - s * 0.68, s * 1.36, s * 1.36);
        break;
    case 10: // hexagon
        Shapes::hexagon(cr, cx, cy, s * 0.9);
        break;
    case 11: { // plus
        const double t = s * 0.3;
        cairo_rectangle(cr, cx - t, cy - s * 0.9, 2 * t, s * 1.8);
        cairo_new_sub_path(cr);
        cairo_rectangle(cr, cx - s * 0.9, cy - t, s * 1.8, 2 * t);
        break;
    }
    default: // bolt
        cairo_move_to(cr, cx + s * 0.25, cy - s);
        cairo_line_to(cr, cx - s * 0.55, cy + s * 0.15);
        cairo_line_to(cr, cx - s * 0.02, cy + s * 0.15);
        cairo_line_to(cr, cx - s * 0.25, cy + s);
        cairo_line_to(cr, cx + s * 0.55, cy - s * 0.15);
        cairo_line_to(cr, cx + s * 0.02, cy - s * 0.15);
        cairo_close_path(cr);
        break;
    }
}

void sphereBody(cairo_t* cr, double cx, double cy, double r, Rgb base) {
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r * 1.02);
    const Rgb light = base.mix({1, 1, 1}, 0.55);
    const Rgb dark = base.scaled(0.32);
    cairo_pattern_add_color_stop_rgb(body, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(body, 0.45, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, dark.r, dark.g, dark.b);
    cairo_set_source(cr, body);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
}

// Rim light, specular highlight and outline over any ball body.
void sphereGloss(cairo_t* cr, double cx, double cy, double r, double phase) {
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    // Violet light bouncing up from the garden.
    cairo_pattern_t* rim =
        cairo_pattern_create_radial(cx, cy + r * 1.25, r * 0.5, cx, cy + r * 1.25, r * 1.05);
    cairo_pattern_add_color_stop_rgba(rim, 0, 0.75, 0.65, 1.0, 0.0);
    cairo_pattern_add_color_stop_rgba(rim, 0.8, 0.75, 0.65, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(rim, 1, 0.75, 0.65, 1.0, 0.0);
    cairo_set_source(cr, rim);
    cairo_paint(cr);
    cairo_pattern_destroy(rim);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.3, cy - r * 0.48);
    cairo_scale(cr, r * 0.48, r * 0.3);
    cairo_pattern_t* spec = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(spec, 0, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(spec, 1, 1, 1, 1, 0);
    cairo_set_source(cr, spec);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(spec);
    cairo_restore(cr);

    // A brief twinkle on the highlight, once a loop: the balls glint now
    // and then without flickering.
    if (phase < 0.1875) {
        const double t = std::sin(phase / 0.1875 * M_PI);
        Shapes::star(cr, cx - r * 0.32, cy - r * 0.5, r * 0.42 * t, r * 0.07 * t, 4, M_PI / 8);
        Shapes::setRgb(cr, {1, 1, 1}, 0.9 * t);
        cairo_fill(cr);
    }

    cairo_arc(cr, cx, cy, r - 0.6, 0, 2 * M_PI);
    Shapes::setRgb(cr, Palette::ink, 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void emblem(cairo_t* cr, double cx, double cy, double s, int colour) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    emblemPath(cr, cx, cy, s, colour);
    Shapes::setRgb(cr, Palette::ink, 0.55);
    cairo_set_line_width(cr, std::max(1.0, s * 0.22));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, {1.0, 0.98, 0.92}, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
}

Rgb hue(double h) {
    h = h - std::floor(h);
    const double k[3] = {std::fmod(5 + h * 6, 6), std::fmod(3 + h * 6, 6), std::fmod(1 + h * 6, 6)};
    double c[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = 1 - std::max(0.0, std::min({k[i], 4 - k[i], 1.0}));
    }
    return {c[0], c[1], c[2]};
}

void jokerBall(cairo_t* cr, double cx, double cy, double r, double phase) {
    sphereBody(cr, cx, cy, r, {0.85, 0.85, 0.9});
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    const int wedges = 12;
    for (int i = 0; i < wedges; ++i) {
        const double a0 = 2 * M_PI * (i + phase) / wedges;
        const double a1 = a0 + 2 * M_PI / wedges;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, r, a0, a1 + 0.02);
        cairo_close_path(cr);
        Shapes::setRgb(cr, hue(static_cast<double>(i) / wedges).mix({1, 1, 1}, 0.15), 0.75);
        cairo_fill(cr);
    }
    // Shade the rainbow so that it reads as a sphere.
    cairo_pattern_t* shade =
        cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, 0.6, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0.05, 0.02, 0.12, 0.65);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
    sphereGloss(cr, cx, cy, r, 1.0);
    // A turning white twinkle: the joker's own emblem.
    cairo_save(cr);
    Shapes::star(cr, cx, cy + r * 0.08, r * 0.62, r * 0.16, 4, phase * M_PI / 2);
    Shapes::setRgb(cr, Palette::ink, 0.5);
    cairo_set_line_width(cr, r * 0.1);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, {1, 1, 1}, 0.97);
    cairo_fill(cr);
    cairo_restore(cr);
}

void colourBombBall(cairo_t* cr, double cx, double cy, double r, double phase) {
    sphereBody(cr, cx, cy, r, {0.16, 0.12, 0.26});
    // A belt of the seven first colours, turning.
    for (int i = 0; i < 7; ++i) {
        const double a = 2 * M_PI * (i / 7.0 + phase / 7.0);
        const double px = cx + std::cos(a) * r * 0.62;
        const double py = cy + r * 0.12 + std::sin(a) * r * 0.22;
        const double depth = (std::sin(a) + 1) / 2; // front dots are larger
        cairo_arc(cr, px, py, r * (0.09 + 0.07 * depth), 0, 2 * M_PI);
        Shapes::setRgb(cr, kColours[static_cast<std::size_t>(i)].mix({1, 1, 1}, 0.2),
                       0.55 + 0.45 * depth);
        cairo_fill(cr);
    }
    sphereGloss(cr, cx, cy, r, 1.0);
    // The lit fuse on top.
    const double flicker = 0.75 + 0.25 * std::sin(phase * 6 * M_PI);
    cairo_move_to(cr, cx + r * 0.1, cy - r * 0.9);
    cairo_curve_to(cr, cx + r * 0.25, cy - r * 1.1, cx + r * 0.45, cy - r * 1.0, cx + r * 0.5,
                   cy - r * 1.15);
    Shapes::setRgb(cr, {0.85, 0.75, 0.55}, 1);
    cairo_set_line_width(cr, r * 0.1);
    cairo_stroke(cr);
    Shapes::glow(cr, cx + r * 0.5, cy - r * 1.15, r * 0.45 * flicker, {1.0, 0.75, 0.3}, 0.9);
    Shapes::star(cr, cx + r * 0.5, cy - r * 1.15, r * 0.3 * flicker, r * 0.08, 4, phase * M_PI);
    Shapes::setRgb(cr, {1, 1, 0.85}, 1);
    cairo_fill(cr);
}

void blastBallArt(cairo_t* cr, double cx, double cy, double r, double phase) {
    const double pulse = 0.5 + 0.5 * std::sin(phase * 2 * M_PI);
    sphereBody(cr, cx, cy, r, {1.0, 0.42, 0.10});
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    Shapes::glow(cr, cx, cy + r * 0.1, r * (0.75 + 0.2 * pulse), {1.0, 0.95, 0.6}, 0.95);
    cairo_restore(cr);
    sphereGloss(cr, cx, cy, r, 1.0);
    // Eight rays turning slowly: the blast's emblem.
    cairo_save(cr);
    Shapes::star(cr, cx, cy + r * 0.08, r * 0.7, r * 0.25, 8, phase * M_PI / 4);
    Shapes::setRgb(cr, {0.45, 0.1, 0.0}, 0.6);
    cairo_set_line_width(cr, r * 0.08);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, {1, 1, 0.9}, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
}

Picture spriteSheet(int frameW, int frameH, int frames, int groups,
                    void (*drawCell)(cairo_t*, double, double, int, int, int, int)) {
    Canvas canvas(frameW * frames, frameH * groups);
    for (int g = 0; g < groups; ++g) {
        for (int f = 0; f < frames; ++f) {
            cairo_save(canvas.cr());
            cairo_rectangle(canvas.cr(), f * frameW, g * frameH, frameW, frameH);
            cairo_clip(canvas.cr());
            drawCell(canvas.cr(), f * frameW + frameW / 2.0, g * frameH + frameH / 2.0, g, f,
                     frames, frameW);
            cairo_restore(canvas.cr());
        }
    }
    return canvas.picture();
}

std::string sprFile(const std::string& image, int groups, int frames, bool mipmap) {
    return PropertyText()
        .set("file_name", image)
        .set("tex_wrap", 0)
        .set("tex_dynamic", mipmap ? 1 : 0)
        .set("groups", groups)
        .set("frames", frames)
        .text();
}

void fireflyCell(cairo_t* cr, double cx, double cy, int group, int frame, int frames, int) {
    const double phase = static_cast<double>(frame) / frames;
    const double beat = std::fabs(std::sin(phase * 2 * M_PI));
    const Rgb lightColour = group == 0 ? Rgb{1.0, 0.85, 0.35} : Rgb{0.75, 0.65, 1.0};
    const double glowPulse = 0.55 + 0.45 * std::sin(phase * 2 * M_PI);
    Shapes::glow(cr, cx, cy + 5, 13, lightColour, 0.55 * glowPulse);
    // Wings, seen from above, beating.
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + side * 2, cy - 2);
        cairo_scale(cr, side * (3 + 5 * beat), 6);
        cairo_arc(cr, 1, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        Shapes::setRgb(cr, group == 0 ? Rgb{0.85, 0.9, 1.0} : Rgb{0.8, 0.7, 0.95}, 0.45);
        cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 2.2, 5.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    Shapes::setRgb(cr, {0.15, 0.1, 0.15}, 1);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy + 4, 2.4, 0, 2 * M_PI);
    Shapes::setRgb(cr, lightColour.mix({1, 1, 1}, 0.3), 0.6 + 0.4 * glowPulse);
    cairo_fill(cr);
}

} // namespace

Rgb colourOf(int colour) {
    if (colour >= 0 && colour < ordinaryColours) {
        return kColours[static_cast<std::size_t>(colour)];
    }
    if (colour == joker) {
        return {0.9, 0.9, 0.95};
    }
    if (colour == colourBomb) {
        return {0.3, 0.25, 0.45};
    }
    return {1.0, 0.5, 0.1};
}

void ball(cairo_t* cr, double cx, double cy, double radius, int colour, double phase) {
    cairo_save(cr);
    // A soft shadow under the ball keeps it off the cell.
    Shapes::glow(cr, cx + radius * 0.08, cy + radius * 0.18, radius * 1.12, {0, 0, 0.02}, 0.45);
    if (colour == joker) {
        jokerBall(cr, cx, cy, radius, phase);
    } else if (colour == colourBomb) {
        colourBombBall(cr, cx, cy, radius, phase);
    } else if (colour == blastBall) {
        blastBallArt(cr, cx, cy, radius, phase);
    } else {
        const int c = ((colour % ordinaryColours) + ordinaryColours) % ordinaryColours;
        sphereBody(cr, cx, cy, radius, kColours[static_cast<std::size_t>(c)]);
        sphereGloss(cr, cx, cy, radius, phase);
        emblem(cr, cx, cy + radius * 0.12, radius * 0.42, c);
    }
    cairo_restore(cr);
}

void cellBack(cairo_t* cr, double cx, double cy, double radius, int fill) {
    cairo_save(cr);
    Shapes::hexagon(cr, cx, cy, radius);
    if (fill == 4) {
        cairo_pattern_t* stone = cairo_pattern_create_linear(cx, cy - radius, cx, cy + radius);
        cairo_pattern_add_color_stop_rgba(stone, 0, 0.36, 0.36, 0.46, 0.95);
        cairo_pattern_add_color_stop_rgba(stone, 1, 0.14, 0.13, 0.22, 0.95);
        cairo_set_source(cr, stone);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(stone);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        // Iron bars across the cell.
        for (int i = -1; i <= 1; ++i) {
            cairo_move_to(cr, cx + i * radius * 0.55 - radius, cy - radius);
            cairo_line_to(cr, cx + i * radius * 0.55 + radius, cy + radius);
        }
        Shapes::setRgb(cr, {0.08, 0.07, 0.12}, 0.6);
        cairo_set_line_width(cr, radius * 0.14);
        cairo_stroke(cr);
        cairo_restore(cr);
        Shapes::setRgb(cr, {0.78, 0.80, 0.90}, 0.85);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_restore(cr);
        return;
    }
    cairo_pattern_t* base =
        cairo_pattern_create_radial(cx, cy - radius * 0.3, radius * 0.1, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(base, 0, 0.16, 0.13, 0.34, 0.78);
    cairo_pattern_add_color_stop_rgba(base, 1, 0.05, 0.04, 0.14, 0.82);
    cairo_set_source(cr, base);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(base);
    if (fill > 0) {
        // Moonlit honey rising in the cell: half, three quarters or full.
        const double level = fill == 1 ? 0.5 : fill == 2 ? 0.75 : 1.0;
        const double surface = cy + radius - 2 * radius * level;
        cairo_save(cr);
        cairo_clip_preserve(cr);
        cairo_rectangle(cr, cx - radius, surface, 2 * radius, 2 * radius);
        cairo_clip(cr);
        cairo_pattern_t* honey =
            cairo_pattern_create_radial(cx, cy - radius * 0.2, radius * 0.1, cx, cy, radius * 1.1);
        const double a = fill == 3 ? 0.92 : 0.8;
        cairo_pattern_add_color_stop_rgba(honey, 0, 1.0, 0.93, 0.62, a);
        cairo_pattern_add_color_stop_rgba(honey, 0.7, 0.95, 0.68, 0.24, a);
        cairo_pattern_add_color_stop_rgba(honey, 1, 0.68, 0.38, 0.12, a);
        cairo_set_source(cr, honey);
        cairo_paint(cr);
        cairo_pattern_destroy(honey);
        if (fill != 3) {
            cairo_move_to(cr, cx - radius, surface + 0.5);
            cairo_line_to(cr, cx + radius, surface + 0.5);
            Shapes::setRgb(cr, {1, 0.97, 0.8}, 0.9);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
    const Rgb rim = fill == 3 ? Palette::goldLight : Palette::lilac;
    Shapes::setRgb(cr, rim, fill == 3 ? 0.95 : 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void lock(cairo_t* cr, double cx, double cy, double size) {
    const double r = size * 0.44;
    cairo_save(cr);
    // A silver cage around the ball.
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    Shapes::setRgb(cr, Palette::ink, 0.6);
    cairo_set_line_width(cr, size * 0.09);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    Shapes::setRgb(cr, {0.85, 0.87, 0.95}, 0.9);
    cairo_set_line_width(cr, size * 0.045);
    cairo_stroke(cr);
    for (int i = 0; i < 2; ++i) {
        const double dx = i == 0 ? -r * 0.45 : r * 0.45;
        cairo_move_to(cr, cx + dx, cy - r * 0.9);
        cairo_line_to(cr, cx + dx, cy + r * 0.9);
    }
    Shapes::setRgb(cr, {0.85, 0.87, 0.95}, 0.55);
    cairo_set_line_width(cr, size * 0.04);
    cairo_stroke(cr);
    // A small padlock at the lower right.
    const double px = cx + r * 0.62, py = cy + r * 0.55, s = size * 0.16;
    cairo_arc(cr, px, py - s * 0.55, s * 0.55, M_PI, 2 * M_PI);
    Shapes::setRgb(cr, Palette::ink, 0.9);
    cairo_set_line_width(cr, s * 0.45);
    cairo_stroke(cr);
    cairo_arc(cr, px, py - s * 0.55, s * 0.55, M_PI, 2 * M_PI);
    Shapes::setRgb(cr, {0.85, 0.87, 0.95}, 1);
    cairo_set_line_width(cr, s * 0.22);
    cairo_stroke(cr);
    Shapes::roundedRect(cr, px - s, py - s * 0.5, 2 * s, s * 1.5, s * 0.3);
    Shapes::setRgb(cr, Palette::ink, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, Palette::gold, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

void spark(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha) {
    Shapes::glow(cr, cx, cy, radius, colour, alpha);
    cairo_arc(cr, cx, cy, radius * 0.18, 0, 2 * M_PI);
    Shapes::setRgb(cr, colour.mix({1, 1, 1}, 0.7), alpha);
    cairo_fill(cr);
}

void addSprites(Gallery& gallery) {
    // Balls: one group per colour, a looping glint in 16 frames of 64 pixels.
    gallery.add("dat/skin01.tga",
                spriteSheet(64, 64, 16, ballColours,
                            [](cairo_t* cr, double cx, double cy, int g, int f, int frames, int) {
                                ball(cr, cx, cy, 27, g, static_cast<double>(f) / frames);
                            }),
                PictureUse::Sprite);
    gallery.addText("dat/skin01.spr", sprFile("dat/skin01.tga", ballColours, 16, true));

    // Cell backs: group = fill value (2 is never shown but kept in step).
    gallery.add("dat/cellback.tga",
                spriteSheet(40, 48, 1, 5,
                            [](cairo_t* cr, double cx, double cy, int g, int, int, int) {
                                cellBack(cr, cx, cy, 22, g);
                            }),
                PictureUse::Sprite);
    gallery.addText("dat/cellback.spr", sprFile("dat/cellback.tga", 5, 1, false));

    // The level chooser's miniature: 0 open, 1 filled; drawn small, so bold.
    gallery.add("dat/cellback_small.tga",
                spriteSheet(40, 48, 1, 2,
                            [](cairo_t* cr, double cx, double cy, int g, int, int, int) {
                                Shapes::hexagon(cr, cx, cy, 22);
                                if (g == 1) {
                                    Shapes::setRgb(cr, Palette::gold, 1);
                                } else {
                                    Shapes::setRgb(cr, {0.45, 0.38, 0.85}, 0.9);
                                }
                                cairo_fill_preserve(cr);
                                Shapes::setRgb(cr, g == 1 ? Palette::goldLight : Palette::lilac, 1);
                                cairo_set_line_width(cr, 4);
                                cairo_stroke(cr);
                            }),
                PictureUse::Sprite);
    gallery.addText("dat/cellback_small.spr", sprFile("dat/cellback_small.tga", 2, 1, true));

    gallery.add("dat/pathpoint.tga",
                spriteSheet(16, 16, 8, 1,
                            [](cairo_t* cr, double cx, double cy, int, int f, int frames, int) {
                                const double t = 0.6 + 0.4 * std::cos(2 * M_PI * f / frames);
                                spark(cr, cx, cy, 7.5 * t, Palette::gold, 0.95);
                            }),
                PictureUse::Sprite);
    gallery.addText("dat/pathpoint.spr", sprFile("dat/pathpoint.tga", 1, 8, false));

    gallery.add("dat/block.tga",
                spriteSheet(40, 40, 1, 1,
                            [](cairo_t* cr, double cx, double cy, int, int, int, int) {
                                lock(cr, cx, cy, 38);
                            }),
                PictureUse::Sprite);
    gallery.addText("dat/block.spr", sprFile("dat/block.tga", 1, 1, false));

    gallery.add("dat/insects.tga", spriteSheet(32, 32, 8, 2, fireflyCell), PictureUse::Sprite);
    gallery.addText("dat/insects.spr", sprFile("dat/insects.tga", 2, 8, false));

    // Particles: each frame its own picture, described in XML.
    struct Kind {
        Rgb colour;
        int points;
    };
    const Kind kinds[] = {
        {Palette::gold, 4}, {Palette::lilac, 0}, {{0.55, 0.9, 1.0}, 6}, {{1.0, 0.95, 0.85}, 0}};
    std::ostringstream xml;
    Picture strip(24 * 4, 24 * 4);
    xml << "<particles texWrap=\"0\" texDynamic=\"0\">\r\n";
    for (int g = 0; g < 4; ++g) {
        xml << "  <group>\r\n";
        for (int f = 0; f < 4; ++f) {
            Canvas c(24, 24);
            const Kind& k = kinds[g];
            const double turn = f * M_PI / 8;
            spark(c.cr(), 12, 12, 11.5 - f * 0.8, k.colour, 0.8);
            if (k.points > 0) {
                Shapes::star(c.cr(), 12, 12, 11 - f, 1.6, k.points, turn);
                Shapes::setRgb(c.cr(), k.colour.mix({1, 1, 1}, 0.6), 0.9);
                cairo_fill(c.cr());
            } else {
                cairo_arc(c.cr(), 12, 12, 6 - f * 0.8, 0, 2 * M_PI);
                Shapes::setRgb(c.cr(), k.colour.mix({1, 1, 1}, 0.5), 0.5);
                cairo_set_line_width(c.cr(), 1.2);
                cairo_stroke(c.cr());
            }
            const std::string name =
                "dat/particles/p" + std::to_string(g) + "_" + std::to_string(f) + ".tga";
            const Picture frame = c.picture();
            gallery.add(name, frame, PictureUse::Sprite, false);
            strip.place(frame, f * 24, g * 24);
            xml << "    <frame>" << name << "</frame>\r\n";
        }
        xml << "  </group>\r\n";
    }
    xml << "</particles>\r\n";
    gallery.addReviewOnly("dat/particles/p*.tga (groups by row)", strip);
    gallery.addText("dat/particles.spr", xml.str());
}

} // namespace BoardArt
