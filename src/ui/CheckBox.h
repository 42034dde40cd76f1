#pragma once

#include "ui/Control.h"

// A check box: four frames (clear, clear under the cursor, ticked, ticked
// under the cursor). It changes only when pressed while under the cursor.
class CheckBox : public Control {
public:
    CheckBox(Window* owner, Texture* texture);

    void setChecked(bool checked);
    bool isChecked() const { return state_ > 2; }
    int state() const { return state_; }
    float width() const { return width_; }
    float height() const { return height_; }

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    void draw() override;

private:
    float width_ = 0;
    float height_ = 0;
    int state_ = 1;
};
