#include "ui/Dragon.h"

#include "gfx/Sprite.h"
#include "persist/Settings.h"
#include "platform/Random.h"
#include "ui/Frame.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr float flyingFrameRate = 45;
constexpr float hoveringFrameRate = 10;
// The pointer scares a hovering dragon off from this far.
constexpr float scareDistance = 32;

float wrapped(float angle) {
    if (angle > 360) {
        return angle - 360;
    }
    if (angle < -360) {
        return angle + 360;
    }
    return angle;
}

bool pointerNear(float x, float y) {
    Frame* frame = Frame::instance();
    if (frame == nullptr) {
        return false;
    }
    const platform::Point mouse = frame->clientCursorPosition();
    const float dx = static_cast<float>(mouse.x) - x;
    const float dy = static_cast<float>(mouse.y) - y;
    return dx * dx + dy * dy <= scareDistance * scareDistance;
}

bool dragonsShown() {
    const Settings* settings = Settings::instance();
    return settings == nullptr || settings->showDragons;
}

} // namespace

Dragon::Dragon(Sprite* sprite) : sprite_(sprite) {
    flyTimer_ = static_cast<float>(Random::rand() % 7000 + 3000);
    hoverTimer_ = static_cast<float>(Random::rand() % 1000 + 1000);
}

Dragon::~Dragon() {
    delete sprite_;
}

void Dragon::setPoint(float x, float y) {
    position_[0] = x;
    position_[1] = y;
    position_[2] = 0;
    position_[3] = 1;
}

void Dragon::update(float elapsedMs) {
    // Speeds and turn rates are per 6 ms.
    const float k = elapsedMs / 6;
    if (!isHovering()) {
        flyTimer_ -= elapsedMs;
        if (sprite_ != nullptr) {
            sprite_->setFrameRate(flyingFrameRate);
        }
        angle_ = wrapped(angle_ + k * turnRate_);
        const float a = angle_ * 3.14159f / 180;
        position_[0] += std::sin(a) * k * speed_;
        position_[1] -= std::cos(a) * k * speed_;
    } else {
        angle_ = wrapped(angle_ + turnRate_ / 2 * k);
        if (sprite_ != nullptr) {
            sprite_->setFrameRate(hoveringFrameRate);
        }
        hoverTimer_ -= elapsedMs;
        if (hoverTimer_ < 0 || pointerNear(position_[0], position_[1])) {
            flyTimer_ = static_cast<float>(Random::rand() % 5000 + 2500);
            hoverTimer_ = static_cast<float>(Random::rand() % 5000 + 2500);
        }
    }
    if (sprite_ != nullptr) {
        sprite_->update(elapsedMs);
    }
}

void Dragon::draw() {
    if (sprite_ == nullptr || !dragonsShown()) {
        return;
    }
    const float x = position_[0];
    const float y = position_[1];
    const float z = position_[2];
    // The shadow falls further off the nearer the dragon is to the edges; a
    // hovering dragon is low over the ground, so its shadow stays close.
    const float lift = isHovering() ? 4.0f : 1.0f;
    const float dx = (x / 20 - 20) / lift;
    const float dy = (y / 20 - 15) / lift;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(x + dx, y + dy, z);
    glRotatef(angle_, 0, 0, 1);
    glScalef(1.1f, 1.1f, 1);
    glColor4f(0, 0, 0, 0.3f);
    sprite_->draw();
    glColor4f(1, 1, 1, 1);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(angle_, 0, 0, 1);
    sprite_->draw();
    glPopMatrix();
}
