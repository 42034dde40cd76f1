#include "board/PathSparkles.h"

#include "board/EffectLayer.h"
#include "board/Field.h"
#include "platform/Random.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float innerOffset = 10.0f;
constexpr float startOffset = 18.0f;
constexpr float ringRadius = 18.0f;
constexpr int segmentSteps = 8;

bool shown(const Field& field, Cell cell) {
    const PathMarker* marker = field.pathMarkerAt(cell.row, cell.col);
    return marker != nullptr && marker->alpha > 0.0f;
}

Point toward(Point from, Point to, float distance) {
    return from + (to - from).normalised() * distance;
}

float randomUnit() {
    return static_cast<float>(Random::rand() % 100) / 100.0f;
}

Point randomDirection() {
    const float dx = static_cast<float>(Random::rand() % 100 - 50);
    const float dy = static_cast<float>(Random::rand() % 100 - 50);
    return Point{dx, dy}.normalised();
}

void emitRing(const Ball& ball, EffectLayer& layer) {
    for (float angle = 0.0f; angle < 360.0f;
         angle += static_cast<float>(Random::rand() % 100) / 10.0f) {
        const float radians = angle * std::numbers::pi_v<float> / 180.0f;
        const Point offset{ringRadius * std::cos(radians), ringRadius * std::sin(radians)};
        const Point velocity = offset.normalised() * randomUnit();
        const float size = static_cast<float>(Random::rand() % 100) / 50.0f + 2.0f;
        layer.spawnParticle(size, ball.point + offset, velocity);
    }
}

void emitSegment(Point from, Point to, EffectLayer& layer) {
    const Point step = (to - from) * (1.0f / segmentSteps);
    Point at = from;
    for (int i = 0; i < segmentSteps; ++i) {
        if (Random::rand() % 100 < 50) {
            const Point direction = randomDirection();
            const Point velocity = direction * randomUnit();
            const float size = static_cast<float>(Random::rand() % 100) / 25.0f + 2.0f;
            layer.spawnParticle(size, at, velocity);
        }
        at = at + step;
    }
}

} // namespace

void PathSparkles::points(const Field& field, std::vector<Point>& out) {
    out.clear();
    const std::vector<Cell>& path = field.previewedPath();
    const std::size_t n = path.size();
    if (n < 2) {
        return;
    }
    if (shown(field, path[0])) {
        out.push_back(field.centre(path[0].row, path[0].col));
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        if (!shown(field, path[i])) {
            continue;
        }
        const Point centre = field.centre(path[i].row, path[i].col);
        if (shown(field, path[i - 1])) {
            out.push_back(
                toward(centre, field.centre(path[i - 1].row, path[i - 1].col), innerOffset));
        }
        if (shown(field, path[i + 1])) {
            out.push_back(
                toward(centre, field.centre(path[i + 1].row, path[i + 1].col), innerOffset));
        }
    }
    if (shown(field, path[n - 1])) {
        out.push_back(field.centre(path[n - 1].row, path[n - 1].col));
    }
    if (out.size() >= 2) {
        out[0] = toward(out[0], out[1], startOffset);
    }
}

void PathSparkles::emit(const Field& field, EffectLayer& layer, std::vector<Point>& scratch) {
    points(field, scratch);
    const Ball* selected = field.selectedBall();
    if (selected != nullptr && selected->state != Ball::State::Moving) {
        emitRing(*selected, layer);
    }
    for (std::size_t i = 1; i < scratch.size(); ++i) {
        emitSegment(scratch[i - 1], scratch[i], layer);
    }
}
