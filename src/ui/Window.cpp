#include "ui/Window.h"

#include "ui/Frame.h"
#include "ui/Widget.h"

Window::~Window() = default;

bool Window::onMouseMove(int x, int y, unsigned flags) {
    Frame* app = Frame::instance();
    if (dragging_ && draggable_ && app) {
        platform::Rect rect = app->windowRect();
        platform::Point cursor = app->desktopCursorPosition();
        app->moveWindow(rect.left + (cursor.x - dragAnchor_.x),
                        rect.top + (cursor.y - dragAnchor_.y), rect.width(), rect.height());
        dragAnchor_ = cursor;
    }
    for (Widget* w : widgets_) {
        if (w->onMouseMove(x, y, flags)) {
            dragging_ = false;
        }
    }
    return false;
}

bool Window::onLButtonUp(int x, int y, unsigned flags) {
    dragging_ = false;
    for (Widget* w : widgets_) {
        w->onLButtonUp(x, y, flags);
    }
    return false;
}

bool Window::onRButtonUp(int x, int y, unsigned flags) {
    dragging_ = false;
    for (Widget* w : widgets_) {
        w->onRButtonUp(x, y, flags);
    }
    return false;
}

bool Window::onLButtonDown(int x, int y, unsigned flags) {
    dragging_ = true;
    if (Frame* app = Frame::instance()) {
        dragAnchor_ = app->desktopCursorPosition();
    }
    for (Widget* w : widgets_) {
        if (w->onLButtonDown(x, y, flags)) {
            dragging_ = false;
        }
    }
    return false;
}

void Window::onKeyDown(int key) {
    for (Widget* w : widgets_) {
        w->onKeyDown(key);
    }
}

void Window::onChar(unsigned short code, int repeat) {
    for (Widget* w : widgets_) {
        w->onChar(code, repeat);
    }
}

void Window::onCommand(Widget*) {
    dragging_ = false;
}

void Window::update(float elapsedMs) {
    Frame* app = Frame::instance();
    if (dragging_ && app) {
        platform::Rect rect = app->windowRect();
        platform::Point cursor = app->desktopCursorPosition();
        if (cursor.x < rect.left || cursor.x > rect.right || cursor.y < rect.top ||
            cursor.y > rect.bottom) {
            dragging_ = false;
        }
    }
    for (Widget* w : widgets_) {
        w->update(elapsedMs);
    }
}

void Window::draw() {
    for (Widget* w : widgets_) {
        w->draw();
    }
}

void Window::activate() {
    dragging_ = false;
    for (Widget* w : widgets_) {
        w->reset();
    }
}

bool Window::onRButtonDown(int, int, unsigned) {
    return false;
}

void Window::onDialogClosed(int, Window*) {}

void Window::onWindowClosed(Window*) {}

void Window::onCloseRequest() {}

void Window::addWidget(Widget* widget) {
    widgets_.push_back(widget);
}

platform::Point Window::toLogical(int x, int y) {
    Frame* app = Frame::instance();
    if (!app || app->clientWidth() <= 0 || app->clientHeight() <= 0 || app->logicalWidth() <= 0 ||
        app->logicalHeight() <= 0) {
        return platform::Point{x, y};
    }
    float scaleX = static_cast<float>(app->clientWidth()) / static_cast<float>(app->logicalWidth());
    float scaleY =
        static_cast<float>(app->clientHeight()) / static_cast<float>(app->logicalHeight());
    return platform::Point{static_cast<int>(x / scaleX), static_cast<int>(y / scaleY)};
}
