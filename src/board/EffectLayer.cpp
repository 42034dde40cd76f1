#include "board/EffectLayer.h"

#include "platform/Random.h"

#include <algorithm>

namespace {

EffectLayer* layer = nullptr;

template <typename T> void updateAll(std::vector<T>& items, float elapsedMs) {
    std::erase_if(items, [elapsedMs](T& item) { return item.update(elapsedMs); });
}

} // namespace

EffectLayer* EffectLayer::create() {
    if (layer == nullptr) {
        layer = new EffectLayer;
    }
    return layer;
}

EffectLayer* EffectLayer::instance() {
    return layer;
}

void EffectLayer::destroy() {
    delete layer;
    layer = nullptr;
}

void EffectLayer::spawnParticle(float size, Point point, Point velocity) {
    Particle p;
    p.point = point;
    p.velocity = velocity;
    p.size = size;
    p.groupPick = Random::rand();
    p.framePick = Random::rand();
    p.fadeRate = static_cast<float>(Random::rand() % 100) / 2000.0f + 0.05f;
    additive_.push_back(p);
}

void EffectLayer::burst(Point point, int count, float size) {
    for (int i = 0; i < count; ++i) {
        float dx = static_cast<float>(Random::rand() % 100 - 50);
        float dy = static_cast<float>(Random::rand() % 100 - 50);
        float speed = static_cast<float>(Random::rand() % 60 - 30) / 10.0f + 4.0f;
        float particleSize = size;
        if (size < 0.0f) {
            particleSize = static_cast<float>(Random::rand() % 16 + 18);
        }
        spawnParticle(particleSize, point, Point{dx, dy}.normalised() * speed);
    }
}

void EffectLayer::addText(const std::string& text, Point point, float size, Point velocity,
                          Rgba colour) {
    FloatingText t;
    t.text = text;
    t.point = {point.x, point.y + size / 2.0f};
    t.velocity = velocity;
    t.colour = colour;
    t.size = size;
    t.fadeRate = static_cast<float>(Random::rand() % 500) / 10000.0f + 0.02f;
    t.delay = static_cast<float>(Random::rand() % 400 + 200);
    texts_.push_back(std::move(t));
}

void EffectLayer::update(float elapsedMs) {
    updateAll(additive_, elapsedMs);
    updateAll(blended_, elapsedMs);
    updateAll(texts_, elapsedMs);
}

void EffectLayer::clear() {
    additive_.clear();
    blended_.clear();
    texts_.clear();
}
