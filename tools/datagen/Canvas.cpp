// Drawing on cairo surfaces for the generated pictures.
//
// Index, in file order:
// - Canvas: the surface, its picture, blur and painting of canvases and pictures.
// - Lettering: the font faces, text measuring and text paths.
// - Shapes: rounded rectangles, hexagons, colours and glows, the night sky,
//   insets and panels.
#include "Canvas.h"
#include "SeededRandom.h"

#include <algorithm>
#include <array>
#include <cairo-ft.h>
#include <cmath>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <stdexcept>
#include <vector>

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot create a drawing surface");
    }
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Picture Canvas::picture() const {
    cairo_surface_flush(surface_);
    Picture out(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            std::uint8_t* o = out.at(x, y);
            o[3] = static_cast<std::uint8_t>(a);
            if (a == 0) {
                o[0] = o[1] = o[2] = 0;
                continue;
            }
            const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            o[0] = static_cast<std::uint8_t>(std::min(255u, (r * 255 + a / 2) / a));
            o[1] = static_cast<std::uint8_t>(std::min(255u, (g * 255 + a / 2) / a));
            o[2] = static_cast<std::uint8_t>(std::min(255u, (b * 255 + a / 2) / a));
        }
    }
    return out;
}

namespace {

// One box-blur pass along a line of `count` values `step` apart.
void boxLine(std::uint32_t* line, int count, int step, int radius,
             std::vector<std::uint32_t>& tmp) {
    tmp.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        tmp[static_cast<std::size_t>(i)] = line[i * step];
    }
    const int window = 2 * radius + 1;
    std::array<std::uint32_t, 4> sum{};
    auto addPixel = [&](std::uint32_t p, int sign) {
        for (int c = 0; c < 4; ++c) {
            sum[static_cast<std::size_t>(c)] +=
                static_cast<std::uint32_t>(sign) * ((p >> (8 * c)) & 0xFF);
        }
    };
    auto sample = [&](int i) {
        return (i < 0 || i >= count) ? 0u : tmp[static_cast<std::size_t>(i)];
    };
    for (int i = -radius; i <= radius; ++i) {
        addPixel(sample(i), 1);
    }
    for (int i = 0; i < count; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c) {
            out |= ((sum[static_cast<std::size_t>(c)] + window / 2) / window) << (8 * c);
        }
        line[i * step] = out;
        addPixel(sample(i + radius + 1), 1);
        addPixel(sample(i - radius), -1);
    }
}

} // namespace

void Canvas::blur(int radius) {
    if (radius <= 0) {
        return;
    }
    cairo_surface_flush(surface_);
    auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
    const int stride = cairo_image_surface_get_stride(surface_) / 4;
    std::vector<std::uint32_t> tmp;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height_; ++y) {
            boxLine(data + y * stride, width_, 1, radius, tmp);
        }
        for (int x = 0; x < width_; ++x) {
            boxLine(data + x, height_, stride, radius, tmp);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::paint(const Canvas& other, double x, double y, double alpha) {
    cairo_save(cr_);
    cairo_set_source_surface(cr_, other.surface(), x, y);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::paintDevice(const Canvas& other, double x, double y, double alpha) {
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_set_source_surface(cr_, other.surface(), x, y);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

Canvas::Layer Canvas::layer(double x, double y, double w, double h, double margin) const {
    double x0 = x - margin, y0 = y - margin, x1 = x + w + margin, y1 = y + h + margin;
    cairo_user_to_device(cr_, &x0, &y0);
    cairo_user_to_device(cr_, &x1, &y1);
    const double left = std::floor(std::min(x0, x1)), top = std::floor(std::min(y0, y1));
    const int width = static_cast<int>(std::ceil(std::max(x0, x1) - left)) + 1;
    const int height = static_cast<int>(std::ceil(std::max(y0, y1) - top)) + 1;
    Layer out;
    out.canvas = std::make_unique<Canvas>(std::max(1, width), std::max(1, height));
    out.deviceX = left;
    out.deviceY = top;
    cairo_matrix_t m;
    cairo_get_matrix(cr_, &m);
    cairo_translate(out.canvas->cr(), -left, -top);
    cairo_transform(out.canvas->cr(), &m);
    return out;
}

void Canvas::paintLayer(const Layer& layer, double alpha) {
    paintDevice(*layer.canvas, layer.deviceX, layer.deviceY, alpha);
}

void Canvas::paint(const Picture& picture, double x, double y, double alpha) {
    Canvas tmp(picture.width, picture.height);
    cairo_surface_flush(tmp.surface());
    unsigned char* data = cairo_image_surface_get_data(tmp.surface());
    const int stride = cairo_image_surface_get_stride(tmp.surface());
    for (int py = 0; py < picture.height; ++py) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + py * stride);
        for (int px = 0; px < picture.width; ++px) {
            const std::uint8_t* p = picture.at(px, py);
            const unsigned a = p[3];
            row[px] = (a << 24) | (((p[0] * a + 127) / 255) << 16) |
                      (((p[1] * a + 127) / 255) << 8) | ((p[2] * a + 127) / 255);
        }
    }
    cairo_surface_mark_dirty(tmp.surface());
    paint(tmp, x, y, alpha);
}

namespace Lettering {

namespace {

const char* fileOf(Face face) {
    switch (face) {
    case Face::Sans:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Face::SansBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Face::Serif:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case Face::SerifBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    }
    return "";
}

// The faces stay loaded for the whole run of the generator.
cairo_font_face_t* faceOf(Face face) {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) {
            throw std::runtime_error("cannot start FreeType");
        }
        return lib;
    }();
    static std::array<cairo_font_face_t*, 4> faces{};
    auto& slot = faces[static_cast<std::size_t>(face)];
    if (!slot) {
        FT_Face ft = nullptr;
        if (FT_New_Face(library, fileOf(face), 0, &ft) != 0) {
            throw std::runtime_error(std::string("missing font ") + fileOf(face) +
                                     " (Debian package fonts-dejavu-core)");
        }
        slot = cairo_ft_font_face_create_for_ft_face(ft, FT_LOAD_NO_HINTING);
    }
    return slot;
}

} // namespace

void use(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, faceOf(face));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double width(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

void path(cairo_t* cr, const std::string& text, double x, double y, Align align) {
    const double w = width(cr, text);
    const double left = align == Align::Left ? x : align == Align::Centre ? x - w / 2 : x - w;
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, text.c_str());
}

void gold(Canvas& canvas, const std::string& text, Face face, double size, double x, double y,
          Align align, double glow) {
    cairo_t* cr = canvas.cr();
    if (glow > 0) {
        use(cr, face, size);
        path(cr, text, x, y, align);
        double x0, y0, x1, y1;
        cairo_path_extents(cr, &x0, &y0, &x1, &y1);
        cairo_new_path(cr);
        const int radius = std::max(2, static_cast<int>(size * 0.16));
        Canvas::Layer halo = canvas.layer(x0, y0, x1 - x0, y1 - y0, radius * 3 + size * 0.1);
        cairo_t* hc = halo.canvas->cr();
        use(hc, face, size);
        path(hc, text, x, y, align);
        Shapes::setRgb(hc, {1.0, 0.62, 0.22}, 0.75);
        cairo_set_line_width(hc, size * 0.12);
        cairo_fill_preserve(hc);
        cairo_stroke(hc);
        halo.canvas->blur(radius);
        canvas.paintLayer(halo, glow);
    }
    cairo_save(cr);
    use(cr, face, size);
    path(cr, text, x, y, align);
    Shapes::setRgb(cr, Palette::ink, 0.9);
    cairo_set_line_width(cr, std::max(1.5, size * 0.09));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y - size * 0.8, 0, y + size * 0.1);
    cairo_pattern_add_color_stop_rgb(fill, 0.0, 1.0, 0.97, 0.80);
    cairo_pattern_add_color_stop_rgb(fill, 0.45, Palette::gold.r, Palette::gold.g, Palette::gold.b);
    cairo_pattern_add_color_stop_rgb(fill, 1.0, Palette::goldDeep.r, Palette::goldDeep.g,
                                     Palette::goldDeep.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    cairo_restore(cr);
}

void plain(Canvas& canvas, const std::string& text, Face face, double size, double x, double y,
           Align align, Rgb colour, double alpha) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    use(cr, face, size);
    path(cr, text, x, y, align);
    Shapes::setRgb(cr, Palette::ink, 0.8 * alpha);
    cairo_set_line_width(cr, std::max(1.2, size * 0.08));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    Shapes::setRgb(cr, colour, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace Lettering

namespace Shapes {

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void hexagon(cairo_t* cr, double cx, double cy, double radius) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 3;
        cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
          double rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + rotation + i * M_PI / points;
        const double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void setRgb(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0.0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.35, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1.0, c.r, c.g, c.b, 0);
    cairo_save(cr);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(p);
}

void nightSky(Canvas& canvas, std::uint32_t seed, double starDensity) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, Palette::skyTop.r, Palette::skyTop.g,
                                     Palette::skyTop.b);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, Palette::skyMid.r, Palette::skyMid.g,
                                     Palette::skyMid.b);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, Palette::skyLow.r, Palette::skyLow.g,
                                     Palette::skyLow.b);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    SeededRandom rng(seed);
    // Soft nebula haze.
    for (int i = 0; i < 7; ++i) {
        const Rgb tint = (i % 2) ? Palette::violet : Rgb{0.20, 0.30, 0.65};
        glow(cr, rng.between(0, w), rng.between(0, h * 0.8), rng.between(w * 0.15, w * 0.35), tint,
             0.10);
    }
    const int stars = static_cast<int>(w * h / 2600 * starDensity);
    for (int i = 0; i < stars; ++i) {
        const double x = rng.between(0, w), y = rng.between(0, h);
        const double size = std::pow(rng.unit(), 3.0) * 1.8 + 0.35;
        const double bright = rng.between(0.35, 1.0) * (1.0 - 0.5 * y / h);
        const Rgb tint = Palette::moon.mix(Palette::gold, rng.unit() * 0.5);
        setRgb(cr, tint, bright);
        cairo_arc(cr, x, y, size, 0, 2 * M_PI);
        cairo_fill(cr);
        if (size > 1.5) {
            glow(cr, x, y, size * 5, tint, 0.25 * bright);
        }
    }
}

void inset(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill, double alpha) {
    roundedRect(cr, x, y, w, h, r);
    setRgb(cr, fill, alpha);
    cairo_fill_preserve(cr);
    setRgb(cr, Palette::goldDeep, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void panel(Canvas& canvas, double x, double y, double w, double h, double radius, double alpha) {
    cairo_t* cr = canvas.cr();
    {
        Canvas::Layer shadow = canvas.layer(x + 4, y + 8, w, h, 30);
        roundedRect(shadow.canvas->cr(), x + 4, y + 8, w, h, radius);
        setRgb(shadow.canvas->cr(), {0, 0, 0}, 0.55 * alpha);
        cairo_fill(shadow.canvas->cr());
        shadow.canvas->blur(8);
        canvas.paintLayer(shadow);
    }
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, radius);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(fill, 0.0, 0.20, 0.15, 0.40, alpha);
    cairo_pattern_add_color_stop_rgba(fill, 0.5, Palette::panel.r, Palette::panel.g,
                                      Palette::panel.b, alpha);
    cairo_pattern_add_color_stop_rgba(fill, 1.0, 0.05, 0.04, 0.13, alpha);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    setRgb(cr, Palette::goldDeep, 0.9 * alpha);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    roundedRect(cr, x + 4, y + 4, w - 8, h - 8, std::max(0.0, radius - 4));
    setRgb(cr, Palette::gold, 0.35 * alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A faint sheen across the upper half.
    roundedRect(cr, x + 6, y + 6, w - 12, h * 0.35, std::max(0.0, radius - 6));
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h * 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.10 * alpha);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
}

} // namespace Shapes
