#include "GameScreen.h"

#include "BoardArt.h"
#include "Canvas.h"
#include "Gallery.h"
#include "PropertyText.h"
#include "Scenery.h"
#include "SeededRandom.h"

#include <cctype>
#include <cmath>

namespace {

// Where the game prints its counters: centre x and baseline, size 24.
struct Counter {
    const char* label;
    double x;
    double y;
};
constexpr Counter kCounters[] = {{"SCORE", 85, 40}, {"LIVES", 65, 90}, {"LEVEL", 55, 140}};
constexpr double kCounterSize = 24;
// The chain meter: the jar at (664, 8), 128 by 128; the moves left at (750, 60), size 30.
constexpr double kJarX = 664, kJarY = 8, kJarSize = 128;
constexpr double kChainTextX = 750, kChainTextY = 60, kChainTextSize = 30;

void hud(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // A plaque in the top-left corner holding the three counters.
    Shapes::panel(canvas, -30, -30, 190, 184, 28, 0.8);
    for (const Counter& c : kCounters) {
        // The label sits just above the number, which fills the 24 units above its baseline.
        const double labelBaseline = c.y - kCounterSize - 2;
        Lettering::gold(canvas, c.label, Face::SansBold, 12.5, c.x, labelBaseline, Align::Centre,
                        0.5);
        // A dark slot for the number.
        Shapes::roundedRect(cr, c.x - 58, c.y - kCounterSize + 1, 116, kCounterSize + 2, 9);
        Shapes::setRgb(cr, {0.02, 0.01, 0.07}, 0.55);
        cairo_fill(cr);
    }
    // The ledge under the chain meter, with the badge the moves are printed on.
    Shapes::panel(canvas, kJarX - 10, -30, kJarSize + 20 + 60, kJarSize + 58, 26, 0.55);
    Lettering::gold(canvas, "CHAIN", Face::SansBold, 12.5, kJarX + 46, kJarY + kJarSize + 10,
                    Align::Centre, 0.5);
}

// The chain meter's jar; `lit` fills it with fireflies and warm light.
Picture jar(bool lit) {
    Canvas canvas(128, 128);
    cairo_t* cr = canvas.cr();
    auto body = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, 26, 22);
        cairo_line_to(cr, 66, 22);
        cairo_curve_to(cr, 66, 32, 84, 36, 84, 56);
        cairo_line_to(cr, 84, 110);
        cairo_curve_to(cr, 84, 122, 76, 124, 70, 124);
        cairo_line_to(cr, 22, 124);
        cairo_curve_to(cr, 16, 124, 8, 122, 8, 110);
        cairo_line_to(cr, 8, 56);
        cairo_curve_to(cr, 8, 36, 26, 32, 26, 22);
        cairo_close_path(cr);
    };
    if (lit) {
        Shapes::glow(cr, 46, 80, 62, Palette::gold, 0.55);
    }
    body();
    cairo_pattern_t* glass = cairo_pattern_create_linear(8, 0, 84, 0);
    if (lit) {
        cairo_pattern_add_color_stop_rgba(glass, 0, 0.95, 0.62, 0.20, 0.95);
        cairo_pattern_add_color_stop_rgba(glass, 0.45, 1.0, 0.92, 0.60, 0.95);
        cairo_pattern_add_color_stop_rgba(glass, 1, 0.85, 0.50, 0.15, 0.95);
    } else {
        cairo_pattern_add_color_stop_rgba(glass, 0, 0.22, 0.20, 0.34, 0.85);
        cairo_pattern_add_color_stop_rgba(glass, 0.45, 0.38, 0.36, 0.52, 0.85);
        cairo_pattern_add_color_stop_rgba(glass, 1, 0.18, 0.16, 0.28, 0.85);
    }
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    if (lit) {
        SeededRandom rng(77);
        cairo_save(cr);
        body();
        cairo_clip(cr);
        for (int i = 0; i < 14; ++i) {
            const double x = rng.between(16, 78), y = rng.between(40, 118);
            Shapes::glow(cr, x, y, 8, {1, 1, 0.8}, 0.8);
            cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
            Shapes::setRgb(cr, {1, 1, 0.95}, 1);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    // Glass shine and rim.
    cairo_move_to(cr, 18, 58);
    cairo_curve_to(cr, 18, 46, 24, 42, 30, 40);
    cairo_line_to(cr, 24, 110);
    cairo_close_path(cr);
    Shapes::setRgb(cr, {1, 1, 1}, 0.28);
    cairo_fill(cr);
    body();
    Shapes::setRgb(cr, Palette::ink, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // The cork lid.
    Shapes::roundedRect(cr, 22, 8, 48, 16, 5);
    Shapes::setRgb(cr, lit ? Rgb{0.62, 0.40, 0.22} : Rgb{0.32, 0.28, 0.34}, 1);
    cairo_fill_preserve(cr);
    Shapes::setRgb(cr, Palette::ink, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // The badge the game prints the moves left on (at local 86..106, 22..52), the same in both.
    const double bx = kChainTextX - kJarX + 10, by = kChainTextY - kJarY - kChainTextSize * 0.45;
    cairo_arc(cr, bx, by, 19, 0, 2 * M_PI);
    Shapes::setRgb(cr, {0.05, 0.03, 0.14}, 0.95);
    cairo_fill_preserve(cr);
    Shapes::setRgb(cr, Palette::gold, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return canvas.picture();
}

Picture gameBackground(bool small) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    Scenery::toScreen(canvas);
    Scenery::sky(canvas, small ? 71 : 72, 470, -10, 30);
    // The garden frames the board at the bottom corners only.
    Scenery::garden(canvas, 73, 70, -112, 150);
    Scenery::garden(canvas, 74, 70, 650, 912);
    Scenery::fireflies(canvas, 75, 14, -100, 450, 260, 140);
    Scenery::fireflies(canvas, 76, 14, 640, 450, 260, 140);
    hud(canvas);
    if (small) {
        // The chooser shows this at a quarter size: calmer, lighter.
        canvas.blur(1);
    }
    return canvas.picture();
}

Picture summaryPanel() {
    Canvas canvas(512, 512);
    cairo_t* cr = canvas.cr();
    Shapes::setRgb(cr, {0.04, 0.03, 0.10});
    cairo_paint(cr);
    Shapes::nightSky(canvas, 81, 0.6);
    Shapes::panel(canvas, 10, 10, 492, 492, 32, 0.9);
    // A crescent moon over a wreath of balls crowns the panel.
    Shapes::glow(cr, 256, 100, 110, {0.55, 0.45, 1.0}, 0.35);
    for (int i = 0; i < 7; ++i) {
        const double a = M_PI * (0.12 + 0.76 * i / 6.0);
        BoardArt::ball(cr, 256 - std::cos(a) * 150, 150 - std::sin(a) * 70, 17, i, 0.6);
    }
    Shapes::star(cr, 256, 92, 34, 14, 5);
    Shapes::setRgb(cr, Palette::gold, 1);
    cairo_fill(cr);
    // The inset where the title (y 196) and the five lines (246 to 406) are printed.
    Shapes::inset(cr, 56, 160, 400, 268, 20, {0.02, 0.01, 0.06}, 0.6);
    return canvas.picture();
}

// What the player sees in play: the visible middle of the background, a
// board of the usual 15 rows and 19 columns, the counters and the meter.
Picture mockUp(const Picture& background, const Picture& litJar, const Picture& dullJar) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    canvas.paint(background, -112, -212);
    const int rows = 15, columns = 19, middle = 7;
    const double rowHeight = std::sqrt(40.0 * 40.0 - 20.0 * 20.0) + 1.1;
    SeededRandom rng(5);
    for (int r = 0; r < rows; ++r) {
        const int width = columns - std::abs(middle - r);
        for (int c = 0; c < width; ++c) {
            const double x = 40 + std::abs(r - middle) * 20 + c * 40;
            const double y = 300 + (r - middle) * rowHeight;
            // A flower-shaped level right of the counters.
            const double dx = x - 440, dy = y - 300;
            const double d = std::hypot(dx, dy), a = std::atan2(dy, dx);
            if (d > 200 + 45 * std::cos(6 * a) || d < 40) {
                continue;
            }
            const int fill = d < 90 ? 3 : (rng.next() % 4 == 0 ? 1 : 0);
            BoardArt::cellBack(cr, x, y, 22, rng.next() % 23 == 0 ? 4 : fill);
            if (rng.next() % 3 == 0) {
                const int colour = static_cast<int>(rng.next() % 9);
                BoardArt::ball(cr, x, y, 16, colour == 7 ? 13 : colour == 8 ? 14 : colour % 6, 0.5);
            }
        }
    }
    canvas.paint(dullJar, kJarX, kJarY);
    // The meter two fifths full: the lit jar rises from the bottom.
    cairo_save(cr);
    cairo_rectangle(cr, kJarX, kJarY + kJarSize * 0.6, kJarSize, kJarSize * 0.4);
    cairo_clip(cr);
    canvas.paint(litJar, kJarX, kJarY);
    cairo_restore(cr);
    const char* values[] = {"12345", "3", "7"};
    for (std::size_t i = 0; i < 3; ++i) {
        Lettering::plain(canvas, values[i], Face::SansBold, kCounterSize * 0.8, kCounters[i].x,
                         kCounters[i].y - 5, Align::Centre, {1, 1, 1});
    }
    Lettering::plain(canvas, "3", Face::SansBold, kChainTextSize * 0.8, kChainTextX,
                     kChainTextY - 6, Align::Left, {1, 1, 1});
    return canvas.picture();
}

} // namespace

Picture chainJar(bool lit) {
    return jar(lit);
}

void addGameScreen(Gallery& gallery) {
    const Picture background = gameBackground(false);
    const Picture lit = jar(true), dull = jar(false);
    gallery.addReviewOnly("mock-up: the game screen", mockUp(background, lit, dull));
    gallery.add("dat/game_bg.jpg", background, PictureUse::Photo);
    gallery.add("dat/game_bg_small.jpg", gameBackground(true), PictureUse::Photo);
    gallery.add("dat/stat.jpg", summaryPanel(), PictureUse::Photo);
    gallery.add("dat/dymamite_gray.png", dull, PictureUse::Quad);
    gallery.add("dat/dymamite.png", lit, PictureUse::Quad);
    // Read by the game at start; it uses no key of it, so it records where the
    // head-up display prints, for whoever redraws the backgrounds.
    PropertyText text;
    text.comment("dat/game.txt: the head-up display the backgrounds are drawn for");
    for (const Counter& c : kCounters) {
        std::string key = std::string("hud.") + c.label;
        for (char& ch : key) {
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        text.set(key + ".x", c.x).set(key + ".y", c.y);
    }
    text.set("hud.size", kCounterSize).set("chain.x", kJarX).set("chain.y", kJarY);
    gallery.addText("dat/game.txt", text.text());
}
