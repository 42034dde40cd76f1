#pragma once

#include "Picture.h"

#include <cairo.h>
#include <cstdint>
#include <memory>
#include <string>

struct Rgb {
    double r = 0, g = 0, b = 0;
    Rgb mix(const Rgb& o, double t) const {
        return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
    }
    Rgb scaled(double k) const { return {r * k, g * k, b * k}; }
};

// The colours of the night garden, shared by every picture.
namespace Palette {
inline constexpr Rgb skyTop{0.035, 0.035, 0.13};
inline constexpr Rgb skyMid{0.10, 0.07, 0.26};
inline constexpr Rgb skyLow{0.20, 0.12, 0.36};
inline constexpr Rgb violet{0.42, 0.30, 0.78};
inline constexpr Rgb lilac{0.70, 0.60, 0.95};
inline constexpr Rgb gold{1.00, 0.80, 0.38};
inline constexpr Rgb goldLight{1.00, 0.94, 0.70};
inline constexpr Rgb goldDeep{0.70, 0.44, 0.12};
inline constexpr Rgb ink{0.05, 0.03, 0.10};
inline constexpr Rgb moon{0.92, 0.93, 1.00};
inline constexpr Rgb leaf{0.05, 0.10, 0.14};
inline constexpr Rgb panel{0.09, 0.07, 0.20};
} // namespace Palette

enum class Face { Sans, SansBold, Serif, SerifBold };
enum class Align { Left, Centre, Right };

// A cairo image surface to draw one picture on.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    Picture picture() const;
    // Box-blurs the whole surface three times (close to a gaussian of the
    // given radius).
    void blur(int radius);
    // Paints another canvas over this one at (x, y).
    void paint(const Canvas& other, double x, double y, double alpha = 1.0);
    void paint(const Picture& picture, double x, double y, double alpha = 1.0);
    // Paints another canvas at device position (x, y), whatever this
    // canvas's current transformation.
    void paintDevice(const Canvas& other, double x, double y, double alpha = 1.0);
    // A canvas covering the device area of the user-space rectangle (x, y,
    // w, h) grown by `margin`, with this canvas's transformation, for
    // effects (glows, shadows) that need a layer of their own; paint it back
    // with paintLayer.
    struct Layer;
    Layer layer(double x, double y, double w, double h, double margin) const;
    void paintLayer(const Layer& layer, double alpha = 1.0);

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

struct Canvas::Layer {
    std::unique_ptr<Canvas> canvas;
    double deviceX = 0, deviceY = 0;
};

// Lettering with the DejaVu faces of Debian's fonts-dejavu-core, loaded
// straight from their files with fixed options (no hinting), so the result
// does not depend on the machine's font configuration.
namespace Lettering {
void use(cairo_t* cr, Face face, double size);
double width(cairo_t* cr, const std::string& text);
// Adds the text's outline to the current path; x is the left end, centre or
// right end by `align`, y the baseline.
void path(cairo_t* cr, const std::string& text, double x, double y, Align align);
// Warm gold lettering with a dark rim and a soft glow behind it.
void gold(Canvas& canvas, const std::string& text, Face face, double size, double x, double y,
          Align align, double glow = 1.0);
// Plain lettering in one colour with a thin dark rim.
void plain(Canvas& canvas, const std::string& text, Face face, double size, double x, double y,
           Align align, Rgb colour, double alpha = 1.0);
} // namespace Lettering

// Paths and fills used all over the art.
namespace Shapes {
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A hexagon with a vertex at the top, centred on (cx, cy), `radius` from the
// centre to a vertex.
void hexagon(cairo_t* cr, double cx, double cy, double radius);
void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
          double rotation = 0);
void setRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
// A radial glow: colour at the centre fading to nothing at `radius`.
void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha);
// The night sky: a vertical gradient with scattered stars and a faint haze.
void nightSky(Canvas& canvas, std::uint32_t seed, double starDensity = 1.0);
// A glossy violet panel with a thin gold rim, as every dialog and plaque.
void panel(Canvas& canvas, double x, double y, double w, double h, double radius,
           double alpha = 0.92);
// A dark rounded inset with a thin gold edge, where the game prints or animates.
void inset(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill, double alpha);
} // namespace Shapes
