#pragma once

#include "ui/Control.h"

// A horizontal slider: only its thumb is drawn (the track belongs to the
// screen's background). The thumb's left edge travels `length` pixels from
// the minimum to the maximum; the owner hears of a drag once, on release.
class TrackBar : public Control {
public:
    TrackBar(Window* owner, Texture* texture);

    void setRange(float minimum, float maximum);
    void setLength(float length);
    // No clamping and no notification.
    void setValue(float value) { value_ = value; }
    float getValue() const { return value_; }
    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    float length() const { return length_; }
    // Left edge of the thumb for the current value.
    float thumbX() const;
    bool isDragging() const { return dragging_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    void draw() override;

private:
    float value_ = 5.0f;
    float minimum_ = 0.0f;
    float maximum_ = 10.0f;
    float thumbWidth_ = 0;
    float length_ = 100.0f;
    float thumbHeight_ = 0;
    bool visible_ = true;
    bool dragging_ = false;
};
