// The effect layer's sparks and floating texts. Additive sparks are batched
// per picture: their order does not change an additive sum.
#include "board/BoardSprites.h"
#include "board/BoardText.h"
#include "board/EffectLayer.h"
#include "board/QuadBatch.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {

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
                const float w = p.size > 0.0f ? p.size : ownW;
                const float h = p.size > 0.0f ? p.size : ownH;
                batch.whole(p.point, w, h, p.colour);
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
