#include "gfx/SpriteBase.h"

#include "persist/FileData.h"
#include "persist/ResourceManager.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

SpriteBase::SpriteBase(const SpriteBase& other) {
    assign(other);
}

void SpriteBase::assign(const SpriteBase& other) {
    std::copy(other.position_, other.position_ + 4, position_);
    groups_ = other.groups_;
    frames_ = other.frames_;
    frameWidth_ = other.frameWidth_;
    frameHeight_ = other.frameHeight_;
    frame_ = other.frame_;
    group_ = other.group_;
    visible_ = other.visible_;
    blend_ = other.blend_;
    alphaTest_ = other.alphaTest_;
    flipV_ = other.flipV_;
    reverse_ = other.reverse_;
    time_ = other.time_;
    frameTime_ = other.frameTime_;
}

void SpriteBase::loadOwnFile() {
    ResourceManager* resources = resources_;
    if (resources == nullptr) {
        load(nullptr, nullptr, 0);
        return;
    }
    const FileData file = resources->readFile(fileName_);
    load(resources, file.data(), file.size);
}

void SpriteBase::update(float dt) {
    // A sprite without frames still counts one, so the clock stays finite.
    const int frames = std::max(frames_, 1);
    const float cycle = frames * frameTime_;
    if (!reverse_) {
        time_ += dt;
    } else if (time_ > dt) {
        time_ -= dt;
    } else {
        time_ = cycle - dt;
    }
    frame_ = static_cast<int>(time_ / frameTime_);
    if (frame_ >= frames || time_ < 0) {
        // However long the step, the clock wraps into the cycle, so a draw
        // never samples outside the grid.
        time_ = std::fmod(time_, cycle);
        if (time_ < 0) {
            time_ += cycle;
        }
        frame_ = std::clamp(static_cast<int>(time_ / frameTime_), 0, frames - 1);
    }
}

void SpriteBase::setGroup(int group) {
    group_ = group >= 0 && group < groups_ ? group : 0;
}

void SpriteBase::setFrame(int frame) {
    if (frame >= 0 && frame < frames_) {
        frame_ = frame;
        time_ = frame * frameTime_;
    } else {
        frame_ = 0;
        time_ = 0;
    }
}

void SpriteBase::setFrameSize(float width, float height) {
    frameWidth_ = width;
    frameHeight_ = height;
}

void SpriteBase::setBlend(bool blend) {
    blend_ = blend;
    alphaTest_ = false;
}

void SpriteBase::setAlphaTest(bool alphaTest) {
    blend_ = false;
    alphaTest_ = alphaTest;
}

void SpriteBase::setFrameRate(float framesPerSecond) {
    frameTime_ = 1000.0f / std::max(framesPerSecond, 0.001f);
}

void SpriteBase::setPosition(float x, float y, float z) {
    position_[0] = x;
    position_[1] = y;
    position_[2] = z;
}

SpriteBase::Cell SpriteBase::cell() const {
    const float frames = static_cast<float>(std::max(frames_, 1));
    const float groups = static_cast<float>(std::max(groups_, 1));
    return Cell{frame_ / frames, (frame_ + 1) / frames, group_ / groups, (group_ + 1) / groups};
}

void SpriteBase::beginDraw(bool additive) const {
    if (blend_) {
        glBlendFunc(GL_SRC_ALPHA, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    if (alphaTest_) {
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    }
    glEnable(GL_TEXTURE_2D);
}

void SpriteBase::endDraw() const {
    glDisable(GL_TEXTURE_2D);
    if (blend_) {
        glDisable(GL_BLEND);
    }
    if (alphaTest_) {
        glDisable(GL_ALPHA_TEST);
    }
}

void SpriteBase::drawQuad(float uLeft, float uRight, float vLow, float vHigh) const {
    const float hw = frameWidth_ / 2;
    const float hh = frameHeight_ / 2;
    const float vFirst = flipV_ ? vHigh : vLow;
    const float vSecond = flipV_ ? vLow : vHigh;
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(uRight, vFirst);
    glVertex3f(hw, -hh, 0);
    glTexCoord2f(uLeft, vFirst);
    glVertex3f(-hw, -hh, 0);
    glTexCoord2f(uRight, vSecond);
    glVertex3f(hw, hh, 0);
    glTexCoord2f(uLeft, vSecond);
    glVertex3f(-hw, hh, 0);
    glEnd();
}
