#pragma once

#include "ui/Widget.h"

#include <string>

class PropertyFile;
class Texture;
class Window;

// What the four controls share: the screen that receives their commands,
// the picture they draw from (owned by the UI resources, not the control)
// and the top-left corner of the control in the screen's coordinates.
class Control : public Widget {
public:
    Control(Window* owner, Texture* texture) : owner_(owner), texture_(texture) {}

    void setPosition(float x, float y, float z);
    // Places the control from the layout keys name.x, name.y and name.z,
    // each read as "%f" would read it, 0 when missing or not a number.
    void loadPosition(const PropertyFile& layout, const std::string& name);

    float x() const { return x_; }
    float y() const { return y_; }
    float z() const { return z_; }
    Window* owner() const { return owner_; }
    Texture* texture() const { return texture_; }

protected:
    // Both edges inside: the point lies within [x, x + width] by
    // [y, y + height], each bound cut toward zero first.
    bool contains(int px, int py, float width, float height) const;
    // Tells the owner this control fired.
    void fire();
    // The click of the controls.
    static void playClick();
    static constexpr int clickSound = 1001;

    // The hit test for any rectangle (a track bar's thumb moves).
    static bool inside(int px, int py, float left, float top, float width, float height);
    // Frame `frame` (from 1) of a texture of `frames` equal frames stacked
    // vertically, as a quad at the control's position; untextured without a
    // texture. The caller sets colour and blending.
    void drawFrame(int frame, int frames, float width, float height) const;
    // Alpha blending on, alpha test off; and back.
    static void beginBlend();
    static void endBlend();

    Window* owner_;
    Texture* texture_;
    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
};
