#pragma once

#include "ui/Window.h"

// A modal box over a screen: placed at a position of the logical screen,
// drawn over a shaded backdrop, closed by Escape (result 1, cancelled) or
// Enter (result 0, accepted).
class Dialog : public Window {
public:
    void setShadeSize(int width, int height);
    void setPosition(float x, float y, float z, float w);
    void setPanelSize(int width, int height);
    int shadeWidth() const { return shadeWidth_; }
    int shadeHeight() const { return shadeHeight_; }
    float x() const { return x_; }
    float y() const { return y_; }
    float z() const { return z_; }
    int panelWidth() const { return panelWidth_; }
    int panelHeight() const { return panelHeight_; }

    // The mouse operations work in dialog-local coordinates.
    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override = 0;
    // Moves the model view to the dialog's position (not undone here), then
    // draws the controls.
    void draw() override;

    // Client pixels to dialog-local coordinates.
    platform::Point toLocal(int x, int y) const;

protected:
    // The darkening backdrop over the screen beneath.
    void drawShade(float r, float g, float b, float a);

private:
    int shadeWidth_ = 0;
    int shadeHeight_ = 0;
    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    float w_ = 0;
    int panelWidth_ = 100;
    int panelHeight_ = 100;
};
