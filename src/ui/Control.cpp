#include "ui/Control.h"

#include "audio/CSoundManager.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "ui/Layout.h"
#include "ui/Window.h"

#include <GL/gl.h>

void Control::setPosition(float x, float y, float z) {
    x_ = x;
    y_ = y;
    z_ = z;
}

void Control::loadPosition(const PropertyFile& layout, const std::string& name) {
    setPosition(layout::number(layout, name + ".x"), layout::number(layout, name + ".y"),
                layout::number(layout, name + ".z"));
}

bool Control::contains(int px, int py, float width, float height) const {
    return inside(px, py, x_, y_, width, height);
}

bool Control::inside(int px, int py, float left, float top, float width, float height) {
    return px >= static_cast<int>(left) && px <= static_cast<int>(left + width) &&
           py >= static_cast<int>(top) && py <= static_cast<int>(top + height);
}

void Control::fire() {
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
}

void Control::playClick() {
    CSoundManager::instance()->play(clickSound, true, false);
}

void Control::drawFrame(int frame, int frames, float width, float height) const {
    const float n = static_cast<float>(frames);
    if (texture_ != nullptr) {
        glEnable(GL_TEXTURE_2D);
        texture_->bind();
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    Texture::drawRegion(x_, y_, z_, width, height, 0, 1, (frame - 1) / n, frame / n);
    glDisable(GL_TEXTURE_2D);
}

void Control::beginBlend() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
}

void Control::endBlend() {
    glDisable(GL_BLEND);
}
