#include "ui/Cursor.h"

#include "ui/Frame.h"
#include "gfx/Sprite.h"

#include <GL/gl.h>

namespace {

Cursor*& theCursor() {
    static Cursor* cursor = nullptr;
    return cursor;
}

} // namespace

Cursor::Cursor(const Sprite* first, const Sprite* second) {
    const Sprite* sources[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        if (sources[i] != nullptr) {
            sprites_[i] = new Sprite(*sources[i]);
            sprites_[i]->setBlend(true);
            sprites_[i]->setFlipV(true);
        }
    }
    current_ = sprites_[0];
}

Cursor::~Cursor() {
    delete sprites_[0];
    delete sprites_[1];
}

void Cursor::create(const Sprite* first, const Sprite* second) {
    delete theCursor();
    theCursor() = new Cursor(first, second);
}

Cursor* Cursor::instance() {
    return theCursor();
}

void Cursor::destroy() {
    delete theCursor();
    theCursor() = nullptr;
}

Sprite* Cursor::sprite(int index) const {
    return index == 0 || index == 1 ? sprites_[index] : nullptr;
}

void Cursor::setKind(int index) {
    if (index == 0 || index == 1) {
        current_ = sprites_[index];
    }
}

void Cursor::update(float elapsedMs) {
    if (current_ != nullptr) {
        current_->update(elapsedMs);
    }
}

void Cursor::draw() {
    if (current_ == nullptr) {
        return;
    }
    // Client pixels, used as logical units without conversion.
    Frame* frame = Frame::instance();
    const platform::Point mouse = frame ? frame->clientCursorPosition() : platform::Point{};
    const float x = static_cast<float>(mouse.x);
    const float y = static_cast<float>(mouse.y);
    current_->setPosition(x, y, 40);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(x, y, 40);
    current_->draw();
    glPopMatrix();
}
