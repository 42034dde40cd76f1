#pragma once

#include "board/FloatingText.h"
#include "board/Particle.h"

#include <string>
#include <vector>

// The process-wide list of board particles and floating texts. The rules
// write into it; the game screen updates it every frame after the field, so a
// text started by a field that has just been deleted still finishes.
class EffectLayer {
public:
    // Creates the layer when it does not exist yet; answers it either way.
    static EffectLayer* create();
    // The layer, or null before create.
    static EffectLayer* instance();
    static void destroy();

    // An additively drawn particle at point moving by velocity per 30 ms;
    // a size of 0 keeps the picture's own size.
    void spawnParticle(float size, Point point, Point velocity);
    // count particles flying out of point in random directions; size 0 keeps
    // the picture's size, a negative size picks 18 to 33 for each particle.
    void burst(Point point, int count, float size);
    void addText(const std::string& text, Point point, float size, Point velocity, Rgba colour);

    void update(float elapsedMs);
    void draw() const;
    void clear();

    const std::vector<Particle>& additiveParticles() const { return additive_; }
    // Particles drawn with ordinary blending; no rule puts any here.
    const std::vector<Particle>& blendedParticles() const { return blended_; }
    const std::vector<FloatingText>& texts() const { return texts_; }

private:
    EffectLayer() = default;

    std::vector<Particle> additive_;
    std::vector<Particle> blended_;
    std::vector<FloatingText> texts_;
};
