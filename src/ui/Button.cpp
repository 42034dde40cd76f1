#include "ui/Button.h"

#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {
constexpr int frameCount = 4;
}

Button::Button(Window* owner, Texture* texture) : Control(owner, texture) {
    if (texture != nullptr) {
        width_ = static_cast<float>(texture->width());
        height_ = static_cast<float>(texture->height()) / frameCount;
    }
}

bool Button::onMouseMove(int x, int y, unsigned) {
    if (!visible_) {
        return false;
    }
    const bool hit = contains(x, y, width_, height_);
    state_ = hit ? static_cast<int>(Look::Hover) : static_cast<int>(Look::Normal);
    return hit;
}

bool Button::onLButtonDown(int x, int y, unsigned) {
    if (!visible_ || !contains(x, y, width_, height_)) {
        return false;
    }
    playClick();
    state_ = static_cast<int>(Look::Pressed);
    fire();
    return true;
}

bool Button::onLButtonUp(int, int, unsigned) {
    if (!visible_ || state_ != static_cast<int>(Look::Pressed)) {
        return false;
    }
    state_ = static_cast<int>(Look::Hover);
    return true;
}

void Button::reset() {
    state_ = static_cast<int>(Look::Normal);
}

void Button::draw() {
    if (!visible_) {
        return;
    }
    beginBlend();
    drawFrame(state_, frameCount, width_, height_);
    endBlend();
}
