#include "ui/EditBox.h"

#include "gfx/Font.h"
#include "gfx/Texture.h"
#include "platform/Clipboard.h"
#include "platform/Key.h"
#include "platform/KeyState.h"

#include <GL/gl.h>

#include <algorithm>

using platform::Key;

namespace {

constexpr int frameCount = 2;
constexpr int idle = 1;
constexpr int focused = 2;
// The text buffer holds 1024 bytes with its terminator.
constexpr int longestText = 1023;

bool printable(unsigned code) {
    return code >= 32 && code < 127;
}

// The font has no glyph for anything else; a pasted line break becomes a gap.
std::string printableCopy(const std::string& s) {
    std::string copy = s;
    for (char& c : copy) {
        if (!printable(static_cast<unsigned char>(c))) {
            c = ' ';
        }
    }
    return copy;
}

} // namespace

EditBox::EditBox(Window* owner, Font* font, float fontSize, Texture* texture)
    : Control(owner, texture), font_(font), fontSize_(fontSize) {}

void EditBox::setMaxLength(int maxLength) {
    maxLength_ = std::clamp(maxLength, 0, longestText);
    if (static_cast<int>(text_.size()) > maxLength_) {
        text_.resize(maxLength_);
    }
    caret_ = std::min(caret_, static_cast<int>(text_.size()));
}

void EditBox::setText(const std::string& text) {
    text_ = printableCopy(text.substr(0, maxLength_));
    caret_ = static_cast<int>(text_.size());
}

void EditBox::setTextColor(float r, float g, float b, float a) {
    textColor_[0] = r;
    textColor_[1] = g;
    textColor_[2] = b;
    textColor_[3] = a;
}

bool EditBox::onLButtonDown(int x, int y, unsigned) {
    if (!visible_) {
        return false;
    }
    const bool hit = contains(x, y, width_, height_);
    state_ = hit ? focused : idle;
    return hit;
}

bool EditBox::onLButtonUp(int x, int y, unsigned) {
    if (!visible_ || !contains(x, y, width_, height_)) {
        return false;
    }
    state_ = focused;
    return true;
}

bool EditBox::onMouseMove(int x, int y, unsigned) {
    return visible_ && contains(x, y, width_, height_);
}

void EditBox::onKeyDown(int key) {
    if (!visible_ || !isFocused()) {
        return;
    }
    const int length = static_cast<int>(text_.size());
    const int before = caret_;
    const std::size_t lengthBefore = text_.size();
    switch (key) {
    case code(Key::Back):
        if (caret_ > 0) {
            --caret_;
            text_.erase(caret_, 1);
        }
        break;
    case code(Key::Delete):
        if (caret_ < length) {
            text_.erase(caret_, 1);
        }
        break;
    case code(Key::Home):
        caret_ = 0;
        break;
    case code(Key::End):
        caret_ = length;
        break;
    case code(Key::Left):
        caret_ = std::max(caret_ - 1, 0);
        break;
    case code(Key::Right):
        caret_ = std::min(caret_ + 1, length);
        break;
    case 'V':
        if (platform::isKeyHeld(Key::Control)) {
            paste();
        }
        return;
    case code(Key::Insert):
        if (platform::isKeyHeld(Key::Shift)) {
            paste();
        }
        return;
    default:
        return;
    }
    if (caret_ != before || text_.size() != lengthBefore) {
        caretVisible_ = true;
    }
}

void EditBox::onChar(unsigned short code, int) {
    if (visible_ && isFocused() && printable(code)) {
        insert(std::string(1, static_cast<char>(code)));
    }
}

void EditBox::insert(const std::string& s) {
    // Only what fits goes in: text already typed is never pushed out.
    const int room = std::max(maxLength_ - static_cast<int>(text_.size()), 0);
    const std::string piece = s.substr(0, room);
    text_.insert(static_cast<std::size_t>(caret_), piece);
    caret_ += static_cast<int>(piece.size());
}

void EditBox::paste() {
    std::string text;
    if (platform::clipboard().getText(text)) {
        insert(printableCopy(text));
    }
}

void EditBox::update(float elapsedMs) {
    blinkTimer_ += elapsedMs;
    if (blinkTimer_ >= blinkPeriod_) {
        caretVisible_ = !caretVisible_;
        blinkTimer_ = 0;
    }
}

float EditBox::caretLeft() const {
    const std::string before = text_.substr(0, caret_);
    const float advance = font_ != nullptr ? font_->textWidth(before.c_str(), fontSize_) : 0;
    return x_ + textMargin_ + advance;
}

float EditBox::baseline() const {
    return y_ + height_ - (height_ - fontSize_) / 2;
}

void EditBox::draw() {
    if (!visible_) {
        return;
    }
    if (texture_ != nullptr) {
        width_ = static_cast<float>(texture_->width());
        height_ = static_cast<float>(texture_->height()) / frameCount;
    }
    glDisable(GL_DEPTH_TEST);
    beginBlend();
    drawFrame(state_, frameCount, width_, height_);
    endBlend();
    if (caretVisible_ && isFocused()) {
        const float left = caretLeft();
        const float gap = (height_ - fontSize_) / 2;
        glDisable(GL_TEXTURE_2D);
        glColor4f(textColor_[0], textColor_[1], textColor_[2], textColor_[3]);
        Texture::drawRegion(left, y_ + gap, z_, caretWidth, height_ - 2 * gap, 0, 1, 0, 1);
    }
    glColor4f(1, 1, 1, 1);
    if (font_ != nullptr) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glTranslatef(0, 0, 0.5f);
        font_->drawTextOutlined(text_.c_str(), fontSize_, x_ + textMargin_, baseline(), 20,
                                textColor_[0], textColor_[1], textColor_[2], textColor_[3], false,
                                false);
        glPopMatrix();
    }
}
