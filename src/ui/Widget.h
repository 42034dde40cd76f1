#pragma once

// A control on a screen. Coordinates are the owning screen's logical ones;
// a mouse operation answers whether the event hit the control, which never
// keeps the event from the other controls.
class Widget {
public:
    virtual ~Widget() = default;
    virtual bool onMouseMove(int x, int y, unsigned flags);
    virtual bool onLButtonUp(int x, int y, unsigned flags);
    virtual bool onRButtonUp(int x, int y, unsigned flags);
    virtual bool onLButtonDown(int x, int y, unsigned flags);
    virtual void onKeyDown(int key);
    virtual void onChar(unsigned short code, int repeat);
    virtual void update(float elapsedMs);
    virtual void draw();
    // Back to the normal look (the screen became the top screen again).
    virtual void reset();
};
