// The effect layer's sparks and floating texts. With the sprite's atlas all
// particles of a list go out in one call, in list order; without it they are
// batched per picture, which for additive sparks changes nothing (the order
// does not change an additive sum).
#include "board/BoardSprites.h"
#include "board/BoardText.h"
#include "board/EffectLayer.h"
#include "board/QuadBatch.h"
#include "gfx/ParticleAtlas.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {

// Whole particles drawn at the sprite's frame size unless sized.
float sideOf(const Particle& p, float own) {
    return p.size > 0.0f ? p.size : own;
}

void drawFromAtlas(const std::vector<Particle>& particles, const ParticleSprite& sprite,
                   ParticleAtlas& atlas, bool additive) {
    const auto& groups = sprite.textures();
    const int groupCount = static_cast<int>(groups.size());
    QuadBatch batch(&atlas, additive);
    for (const Particle& p : particles) {
        const int g = p.groupPick % groupCount;
        const int frameCount = static_cast<int>(groups[g].size());
        if (frameCount == 0) {
            continue;
        }
        const ParticleAtlas::Cell& cell = atlas.cell(g, p.framePick % frameCount);
        if (cell.empty) {
            continue;
        }
        // Only the part of the frame that can show (v grows downward here).
        const float w = sideOf(p, sprite.frameWidth());
        const float h = sideOf(p, sprite.frameHeight());
        const float left = p.point.x - w / 2 + cell.shownLeft * w;
        const float right = p.point.x - w / 2 + cell.shownRight * w;
        const float top = p.point.y - h / 2 + cell.shownLow * h;
        const float bottom = p.point.y - h / 2 + cell.shownHigh * h;
        const float du = cell.uRight - cell.uLeft;
        const float dv = cell.vHigh - cell.vLow;
        batch.region(Point{(left + right) / 2, (top + bottom) / 2}, right - left, bottom - top,
                     cell.uLeft + du * cell.shownLeft, cell.uLeft + du * cell.shownRight,
                     cell.vLow + dv * cell.shownLow, cell.vLow + dv * cell.shownHigh, p.colour);
    }
}

void drawParticles(const std::vector<Particle>& particles, bool additive) {
    const ParticleSprite* sprite = BoardSprites::current().particles;
    if (sprite == nullptr || particles.empty()) {
        return;
    }
    const auto& groups = sprite->textures();
    const int groupCount = static_cast<int>(groups.size());
    if (groupCount == 0) {
        return;
    }
    if (ParticleAtlas* atlas = sprite->atlas(); atlas != nullptr && atlas->glName() != 0) {
        drawFromAtlas(particles, *sprite, *atlas, additive);
        return;
    }
    const float ownW = sprite->frameWidth();
    const float ownH = sprite->frameHeight();
    for (int g = 0; g < groupCount; ++g) {
        const int frameCount = static_cast<int>(groups[g].size());
        for (int f = 0; f < frameCount; ++f) {
            Texture* texture = groups[g][f];
            bool any = false;
            for (const Particle& p : particles) {
                if (p.groupPick % groupCount == g && p.framePick % frameCount == f) {
                    any = true;
                    break;
                }
            }
            if (!any) {
                continue;
            }
            QuadBatch batch(texture, additive);
            for (const Particle& p : particles) {
                if (p.groupPick % groupCount != g || p.framePick % frameCount != f) {
                    continue;
                }
                batch.whole(p.point, sideOf(p, ownW), sideOf(p, ownH), p.colour);
            }
        }
    }
}

} // namespace

void EffectLayer::draw() const {
    glEnable(GL_TEXTURE_2D);
    drawParticles(additiveParticles(), true);
    drawParticles(blendedParticles(), false);
    const Font* font = BoardSprites::current().font;
    for (const FloatingText& text : texts()) {
        BoardText::centred(font, text.text, text.size, text.point.x, text.point.y, text.colour);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
}
