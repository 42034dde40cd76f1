#pragma once

#include "Canvas.h"

class Gallery;

// The pieces of the board, drawn by the sprites and reused by the help and
// hint animations so that every picture shows the same balls and cells.
namespace BoardArt {

inline constexpr int ballColours = 16;
inline constexpr int ordinaryColours = 13;
inline constexpr int joker = 13;
inline constexpr int colourBomb = 14;
inline constexpr int blastBall = 15;

// The ball of a colour (0 to 15) centred on (cx, cy); phase 0 to 1 runs the
// glint of its looping animation.
void ball(cairo_t* cr, double cx, double cy, double radius, int colour, double phase);
// The cell back of a fill value (0, 1, 2, 3 or 4 locked), `radius` from its
// centre to its top vertex.
void cellBack(cairo_t* cr, double cx, double cy, double radius, int fill);
// The lock overlay drawn over a ball on a locked cell.
void lock(cairo_t* cr, double cx, double cy, double size);
// A small glowing spark, as the particles.
void spark(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha);
Rgb colourOf(int colour);

// dat/skin01.spr, cellback.spr, cellback_small.spr, pathpoint.spr,
// block.spr, insects.spr and the particle description dat/particles.spr.
void addSprites(Gallery& gallery);

} // namespace BoardArt
