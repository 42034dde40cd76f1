#pragma once

#include "platform/Geometry.h"

#include <vector>

class Widget;

// A screen of the game. The frame keeps the screens on its stacks, hands the
// top one the input and the updates, and tells the one beneath when the top
// one closes. The controls are added by the derived screen, which owns and
// deletes them; the window only keeps the list.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Mouse positions arrive in the window's client pixels; a screen that
    // wants logical ones converts them first (toLogical).
    virtual bool onMouseMove(int x, int y, unsigned flags);
    virtual bool onLButtonUp(int x, int y, unsigned flags);
    virtual bool onRButtonUp(int x, int y, unsigned flags);
    virtual bool onLButtonDown(int x, int y, unsigned flags);
    virtual void onKeyDown(int key);
    virtual void onChar(unsigned short code, int repeat);
    // A control was clicked or changed. Overrides call this first.
    virtual void onCommand(Widget* widget);
    virtual void update(float elapsedMs);
    virtual void draw();
    // The screen became the top screen.
    virtual void activate();
    virtual bool onRButtonDown(int x, int y, unsigned flags);
    virtual void onDialogClosed(int result, Window* dialog);
    virtual void onWindowClosed(Window* window);
    // The player asked to quit with Alt+F4.
    virtual void onCloseRequest();

    void addWidget(Widget* widget);
    const std::vector<Widget*>& widgets() const { return widgets_; }
    void setResult(int result) { result_ = result; }
    int getResult() const { return result_; }
    bool isDragging() const { return dragging_; }
    bool isDraggable() const { return draggable_; }
    // Whether a press on empty space drags the desktop window (windowed menus).
    void setDraggable(bool draggable) { draggable_ = draggable; }

    // Client pixels to the logical screen: each axis divided by the ratio of
    // the client size to the logical size, cut toward zero.
    static platform::Point toLogical(int x, int y);

private:
    std::vector<Widget*> widgets_;
    int result_ = 0;
    bool dragging_ = false;
    bool draggable_ = false;
    platform::Point dragAnchor_;
};
