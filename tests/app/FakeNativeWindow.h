#pragma once

// A scripted desktop window for driving the frame without a display: it
// records what the application asks of it and hands out queued events.
#include "platform/NativeWindow.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class FakeNativeWindow : public platform::NativeWindow {
public:
    bool displayReadable = true;
    platform::DisplayMode mode{1280, 1024, 32, 60};
    bool canCreate = true;
    bool canFullScreen = true;
    int border = 1; // a thin frame around the client on every side
    bool created = false;
    bool visible = false;
    bool minimized = false;
    bool fullScreen = false;
    bool context = false;
    int contextsMade = 0;
    int swaps = 0;
    std::string title;
    platform::Rect outer;
    platform::Point cursor;
    std::deque<platform::Event> queue;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<std::string> calls;
    std::function<void()> onSwap;

    bool currentDisplayMode(platform::DisplayMode& m) override {
        if (displayReadable) {
            m = mode;
        }
        return displayReadable;
    }
    bool create(const std::string& t, int x, int y, int w, int h) override {
        calls.push_back("create");
        if (!canCreate) {
            return false;
        }
        title = t;
        created = visible = true;
        platform::Rect r = adjustRect(platform::Rect{x, y, x + w, y + h});
        outer = platform::Rect{x, y, x + r.width(), y + r.height()};
        return true;
    }
    void destroy() override {
        calls.push_back("destroy");
        created = visible = context = false;
    }
    bool exists() const override { return created; }
    void show() override { visible = true; }
    void hide() override {
        calls.push_back("hide");
        visible = false;
    }
    void minimize() override {
        calls.push_back("minimize");
        minimized = true;
    }
    platform::Rect outerRect() override { return outer; }
    platform::Rect adjustRect(const platform::Rect& c) override {
        return platform::Rect{c.left - border, c.top - border, c.right + border, c.bottom + border};
    }
    void move(int x, int y, int w, int h) override {
        calls.push_back("move");
        if (!fullScreen) {
            outer = platform::Rect{x, y, x + w, y + h};
        }
    }
    bool enterFullScreen(int, int) override {
        calls.push_back("enterFullScreen");
        if (!canFullScreen || !created) {
            return false;
        }
        fullScreen = true;
        outer = platform::Rect{0, 0, mode.width, mode.height};
        return true;
    }
    void leaveFullScreen() override {
        calls.push_back("leaveFullScreen");
        fullScreen = false;
    }
    bool createContext() override {
        calls.push_back("createContext");
        context = created;
        contextsMade += context ? 1 : 0;
        return context;
    }
    void releaseContext() override {
        calls.push_back("releaseContext");
        context = false;
    }
    bool hasContext() const override { return context; }
    void swapBuffers() override {
        ++swaps;
        if (onSwap) {
            onSwap();
        }
    }
    bool setSwapInterval(int) override { return false; }
    bool peekEvent(platform::Event& m) override {
        if (!queue.empty()) {
            m = queue.front();
            queue.pop_front();
            return true;
        }
        if (quitPosted) {
            quitPosted = false;
            m = platform::Event::quit(quitCode);
            return true;
        }
        return false;
    }
    void postEvent(const platform::Event& m) override { queue.push_back(m); }
    void postQuit(int code) override {
        quitPosted = true;
        quitCode = code;
    }
    void setIcon(int w, int h, const std::vector<std::uint8_t>& rgba) override {
        iconWidth = w;
        iconHeight = h;
        icon = rgba;
    }
    int iconWidth = 0;
    int iconHeight = 0;
    std::vector<std::uint8_t> icon;
    platform::Point cursorPosition() override { return cursor; }
    platform::Point screenToClient(platform::Point p) override {
        return platform::Point{p.x - outer.left - border, p.y - outer.top - border};
    }
};
