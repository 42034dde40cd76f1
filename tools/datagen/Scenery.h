#pragma once

#include "Canvas.h"

#include <cstdint>

// The night garden behind every screen. The screens draw a 1024 by 1024
// picture centred on the 800 by 600 screen, so these work in screen
// coordinates on a canvas shifted by (112, 212).
namespace Scenery {

inline constexpr int kSize = 1024;
inline constexpr double kOffsetX = 112;
inline constexpr double kOffsetY = 212;

// A 1024 by 1024 canvas whose drawing coordinates are those of the screen.
void toScreen(Canvas& canvas);
// Sky, haze, stars and the moon at (moonX, moonY) with radius moonR.
void sky(Canvas& canvas, std::uint32_t seed, double moonX, double moonY, double moonR);
// Layered hedges, grass and glowing flowers along the bottom of the screen;
// `height` is how far up from y 600 they reach at most.
void garden(Canvas& canvas, std::uint32_t seed, double height, double left = -112,
            double right = 912);
// Fireflies scattered over a rectangle of the screen.
void fireflies(Canvas& canvas, std::uint32_t seed, int count, double x, double y, double w,
               double h);

} // namespace Scenery
