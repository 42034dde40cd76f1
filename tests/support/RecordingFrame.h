#pragma once

// A frame for screen tests: records what the screens push and close, with a
// client size, a display mode and a mouse the test sets. A full-screen switch
// succeeds unless the test says it fails.
#include "ui/Frame.h"
#include "ui/Window.h"

#include <algorithm>
#include <string>
#include <vector>

class RecordingFrame : public Frame {
public:
    RecordingFrame() { Frame::setInstance(this); }
    ~RecordingFrame() override { Frame::setInstance(nullptr); }

    void pushWindow(Window* window) override {
        window->activate();
        windows.insert(windows.begin(), window);
        events.push_back("pushWindow");
    }
    void pushDialog(Window* dialog) override {
        dialogs.insert(dialogs.begin(), dialog);
        dialog->activate();
        events.push_back("pushDialog");
    }
    void closeTop(bool immediate) override {
        events.push_back(immediate ? "closeNow" : "closeLater");
        ++closeRequests;
    }
    // What the application does at the next update after a deferred close.
    void carryOutClose() {
        if (!dialogs.empty()) {
            Window* dialog = dialogs.front();
            dialogs.erase(dialogs.begin());
            Window* target = dialogs.empty() ? top() : dialogs.front();
            if (target)
                target->onDialogClosed(dialog->getResult(), dialog);
        } else if (windows.size() > 1) {
            Window* closed = windows.front();
            windows.erase(windows.begin());
            top()->onWindowClosed(closed);
            top()->activate();
        }
    }
    Window* top() const { return windows.empty() ? nullptr : windows.front(); }
    Window* topDialog() const { return dialogs.empty() ? nullptr : dialogs.front(); }

    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    int logicalWidth() const override { return 800; }
    int logicalHeight() const override { return 600; }
    bool isFullScreen() const override { return fullScreen; }
    bool isMinimized() const override { return minimized; }
    bool enterFullScreen(int w, int h) override {
        events.push_back("enterFullScreen " + std::to_string(w) + "x" + std::to_string(h));
        if (fullScreenFails)
            return true; // ran through, but the display refused the mode
        fullScreen = true;
        return true;
    }
    bool leaveFullScreen() override {
        events.push_back("leaveFullScreen");
        fullScreen = false;
        return true;
    }
    void minimize() override {
        events.push_back("minimize");
        fullScreen = false;
        minimized = true;
    }
    void postCloseMessage() override { events.push_back("close"); }
    platform::Rect windowRect() override { return rect; }
    platform::Point desktopCursorPosition() override { return desktopMouse; }
    void moveWindow(int x, int y, int w, int h) override { rect = {x, y, x + w, y + h}; }
    platform::Point clientCursorPosition() override { return mouse; }

    int count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }

    std::vector<Window*> windows;
    std::vector<Window*> dialogs;
    std::vector<std::string> events;
    int closeRequests = 0;
    int width = 800;
    int height = 600;
    bool fullScreen = false;
    bool fullScreenFails = false;
    bool minimized = false;
    platform::Rect rect{100, 100, 900, 700};
    platform::Point mouse{-1000, -1000};
    platform::Point desktopMouse{0, 0};
};
