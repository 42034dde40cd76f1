#include "ui/CheckBox.h"

#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {

constexpr int frameCount = 4;
constexpr int clear = 1;
constexpr int clearHover = 2;
constexpr int ticked = 3;
constexpr int tickedHover = 4;

} // namespace

CheckBox::CheckBox(Window* owner, Texture* texture) : Control(owner, texture) {
    setPosition(200, 40, 0);
    if (texture != nullptr) {
        width_ = static_cast<float>(texture->width());
        height_ = static_cast<float>(texture->height()) / frameCount;
    }
}

void CheckBox::setChecked(bool checked) {
    state_ = checked ? ticked : clear;
}

bool CheckBox::onMouseMove(int x, int y, unsigned) {
    if (contains(x, y, width_, height_)) {
        if (state_ == clear || state_ == ticked) {
            ++state_;
        }
        return true;
    }
    if (state_ == clearHover || state_ == tickedHover) {
        --state_;
    }
    return false;
}

bool CheckBox::onLButtonDown(int, int, unsigned) {
    // The hover state of the last move decides, not the press position.
    if (state_ != clearHover && state_ != tickedHover) {
        return false;
    }
    playClick();
    state_ = state_ == clearHover ? tickedHover : clearHover;
    fire();
    return true;
}

bool CheckBox::onLButtonUp(int, int, unsigned) {
    return false;
}

void CheckBox::draw() {
    glColor4f(1, 1, 1, 1);
    beginBlend();
    drawFrame(state_, frameCount, width_, height_);
    endBlend();
}
