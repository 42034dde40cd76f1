#pragma once

#include "ui/Control.h"

#include <string>

class Font;

// A one-line text field with a blinking caret: typed characters 32 to 126,
// the editing keys, and paste of the clipboard's plain text. The text never
// grows past maxLength characters.
class EditBox : public Control {
public:
    EditBox(Window* owner, Font* font, float fontSize, Texture* texture);

    void setMaxLength(int maxLength);
    int maxLength() const { return maxLength_; }
    void setFocused(bool focused) { state_ = focused ? 2 : 1; }
    bool isFocused() const { return state_ == 2; }
    const std::string& getText() const { return text_; }
    void setText(const std::string& text);
    int caret() const { return caret_; }
    bool isCaretVisible() const { return caretVisible_; }
    void setTextColor(float r, float g, float b, float a);
    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    float width() const { return width_; }
    float height() const { return height_; }
    // Where the caret bar starts and where the text stands.
    float caretLeft() const;
    float baseline() const;
    static constexpr float caretWidth = 3.0f;

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    void onKeyDown(int key) override;
    void onChar(unsigned short code, int repeat) override;
    void update(float elapsedMs) override;
    void draw() override;

private:
    void insert(const std::string& s);
    void paste();

    float textMargin_ = 7.0f;
    float width_ = 130.0f;
    float height_ = 60.0f;
    int state_ = 1;
    float textColor_[4] = {1, 1, 0, 1};
    Font* font_;
    float fontSize_;
    std::string text_;
    int maxLength_ = 10;
    bool visible_ = true;
    bool caretVisible_ = false;
    float blinkPeriod_ = 500.0f;
    float blinkTimer_ = 0;
    int caret_ = 0;
};
