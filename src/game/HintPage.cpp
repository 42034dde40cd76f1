#include "game/HintPage.h"

#include "game/GameResources.h"
#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

HintPage::HintPage(int page) : page_(page) {}

bool HintPage::update(float elapsedMs) {
    if (page_ == 0 && GameResources::exists()) {
        for (int i = 0; i < 2; ++i) {
            if (ParticleSprite* animation = GameResources::instance()->gameplay(i)) {
                animation->update(elapsedMs);
            }
        }
    }
    const bool fadingIn = alpha_ < 1 && fadeSpeed_ > 0;
    // From 0 too: a page clicked before its first update must still go.
    const bool fadingOut = alpha_ >= 0 && fadeSpeed_ < 0;
    if (fadingIn || fadingOut) {
        alpha_ += elapsedMs / 30.0f * fadeSpeed_;
    } else if (delay_ > 0) {
        delay_ -= elapsedMs;
    }
    return alpha_ < 0;
}

void HintPage::onLButtonDown() {
    if (delay_ <= 0 && fadeSpeed_ > 0) {
        fadeSpeed_ = -fadeSpeed_;
    }
}

void HintPage::draw() const {
    if (!GameResources::exists()) {
        return;
    }
    GameResources* resources = GameResources::instance();
    const auto& hints = resources->hints();
    if (page_ < 0 || page_ >= static_cast<int>(hints.size())) {
        return;
    }
    const GameResources::Hint& hint = hints[static_cast<std::size_t>(page_)];
    const float a = alpha_ < 0 ? 0 : (alpha_ > 1 ? 1 : alpha_);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, a);
    if (hint.image != nullptr && hint.image->glName() != 0) {
        hint.image->bind();
        hint.image->drawAt(hint.x, hint.y, 0);
    }
    if (page_ == 0) {
        glPushMatrix();
        glTranslatef(275, 300, 0);
        if (ParticleSprite* first = resources->gameplay(0)) {
            first->draw();
        }
        glTranslatef(250, 0, 0);
        if (ParticleSprite* second = resources->gameplay(1)) {
            second->draw();
        }
        glPopMatrix();
    }
    glColor4f(1, 1, 1, 1);
}
