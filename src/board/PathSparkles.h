#pragma once

#include "board/Point.h"

#include <vector>

class EffectLayer;
class Field;

// The shimmer of a held ball: the points the sparks follow along the
// previewed path, and the sparks themselves, emitted anew on every draw.
namespace PathSparkles {

// The shown cells of the previewed path as a line of points: the ends at
// their centres, inner cells by points 10 px toward each shown neighbour,
// the first point pulled 18 px toward the second so the sparks start outside
// the ball. Empty for paths shorter than two cells.
void points(const Field& field, std::vector<Point>& out);

// The ring around the selected, standing ball and the sparks along the
// path into the layer. Draws the same random numbers with or without
// pictures.
void emit(const Field& field, EffectLayer& layer, std::vector<Point>& scratch);

} // namespace PathSparkles
