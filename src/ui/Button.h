#pragma once

#include "ui/Control.h"

// An image button: a texture of four frames stacked vertically (normal,
// under the cursor, pressed, and a spare). It fires on the press.
class Button : public Control {
public:
    enum class Look { Normal = 1, Hover = 2, Pressed = 3 };

    Button(Window* owner, Texture* texture);

    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    int state() const { return state_; }
    float width() const { return width_; }
    float height() const { return height_; }

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    void reset() override;
    void draw() override;

private:
    float width_ = 0;
    float height_ = 0;
    int state_ = 1;
    bool visible_ = true;
};
