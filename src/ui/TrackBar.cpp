#include "ui/TrackBar.h"

#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {

// Multiplies before dividing, so that a value that lies on the grid of the
// other range maps there exactly. An empty source range maps to its start.
float mapRange(float v, float a0, float a1, float b0, float b1) {
    if (a1 == a0) {
        return b0;
    }
    return (b1 - b0) * (v - a0) / (a1 - a0) + b0;
}

} // namespace

TrackBar::TrackBar(Window* owner, Texture* texture) : Control(owner, texture) {
    if (texture != nullptr) {
        thumbWidth_ = static_cast<float>(texture->width());
        thumbHeight_ = static_cast<float>(texture->height());
    }
}

void TrackBar::setRange(float minimum, float maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void TrackBar::setLength(float length) {
    length_ = length;
}

float TrackBar::thumbX() const {
    return x_ + mapRange(value_, minimum_, maximum_, 0, length_);
}

bool TrackBar::onLButtonDown(int x, int y, unsigned) {
    dragging_ = false;
    if (!visible_ || !inside(x, y, thumbX(), y_, thumbWidth_, thumbHeight_)) {
        return false;
    }
    dragging_ = true;
    return true;
}

bool TrackBar::onMouseMove(int x, int, unsigned) {
    if (!visible_ || !dragging_) {
        return false;
    }
    value_ = mapRange(static_cast<float>(x) - x_ - thumbWidth_ / 2, 0, length_, minimum_, maximum_);
    if (value_ > maximum_) {
        value_ = maximum_;
    }
    if (value_ < minimum_) {
        value_ = minimum_;
    }
    return true;
}

bool TrackBar::onLButtonUp(int, int, unsigned) {
    if (!visible_) {
        return false;
    }
    if (dragging_) {
        dragging_ = false;
        fire();
    }
    return false;
}

void TrackBar::draw() {
    if (!visible_) {
        return;
    }
    beginBlend();
    if (texture_ != nullptr) {
        glEnable(GL_TEXTURE_2D);
        texture_->bind();
    }
    Texture::drawRegion(thumbX(), y_, z_, thumbWidth_, thumbHeight_, 0, 1, 0, 1);
    glDisable(GL_TEXTURE_2D);
    endBlend();
}
