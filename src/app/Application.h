#pragma once

#include "app/View.h"
#include "platform/DisplayMode.h"
#include "platform/Event.h"
#include "platform/Geometry.h"
#include "platform/NativeWindow.h"
#include "ui/Frame.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Window;

// The one owner of the desktop window, its OpenGL context, the logical
// screen and the two stacks of screens. Screens reach it through instance().
// The stacks hold pointers only: whoever pushes a screen deletes it. It is
// also the frame the screens see (registered while the instance exists).
class Application : public Frame {
public:
    // Creates the instance around the system window, or around the given one
    // (tests). Reads the desktop's display mode. False if one exists already.
    static bool create(const std::string& className,
                       std::unique_ptr<platform::NativeWindow> nativeWindow = nullptr);
    static Application* instance();
    // Deletes the instance; the screens still on its stacks stay alive.
    static void destroy();

    // Bits per pixel of the desktop found at start (32 when unknown).
    static int colorDepth();
    // The mouse in client pixels, wherever it is (outside the window too).
    static platform::Point cursorPosition();

    // Window, context and display.
    bool createWindow(const std::string& title, int x, int y, int width, int height);
    void createGraphics();
    void releaseGraphics();
    bool enterFullScreen(int width, int height) override;
    bool leaveFullScreen() override;
    void minimize() override;
    void hideWindow();
    void destroyWindow();
    bool setSwapInterval(int interval);
    // Asks the window to close the way the desktop's close does.
    void postCloseMessage() override;

    int clientWidth() const override { return width_; }
    int clientHeight() const override { return height_; }
    int logicalWidth() const override { return view_.logicalWidth; }
    int logicalHeight() const override { return view_.logicalHeight; }
    platform::Point clientCursorPosition() override { return cursorPosition(); }
    bool isFullScreen() const override { return fullScreen_; }
    bool isMinimized() const override { return minimized_; }
    bool isActive() const { return active_; }
    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    const platform::DisplayMode& desktopMode() const { return desktopMode_; }
    View& view() { return view_; }
    platform::NativeWindow& nativeWindow() { return *native_; }
    // The window's outer rectangle and the cursor, in desktop coordinates;
    // moving the window (dragging a menu screen).
    platform::Rect windowRect() override;
    platform::Point desktopCursorPosition() override;
    void moveWindow(int x, int y, int width, int height) override;

    // The main loop: runs until the quit message and returns its exit code.
    int run();
    // One pass of the loop: one waiting message, or one frame when none
    // waits. False once the quit message has been taken.
    bool runPass();
    void runFrame();
    void updateFrame(float elapsedMs);
    void drawFrame();
    unsigned frameRateLimit() const { return frameRateLimit_; }
    void setFrameRateLimit(unsigned framesPerSecond) { frameRateLimit_ = framesPerSecond; }
    int exitCode() const { return exitCode_; }

    // The stacks: index 0 is the top.
    void pushWindow(Window* window) override;
    void pushDialog(Window* dialog) override;
    void closeTop(bool immediate) override;
    // Takes a window off the window stack wherever it is, telling nobody.
    void removeWindow(Window* window);
    const std::vector<Window*>& windows() const { return windows_; }
    const std::vector<Window*>& dialogs() const { return dialogs_; }
    Window* topWindow() const;
    Window* topDialog() const;
    // The screen that gets the input: the top dialog, else the top window.
    Window* receiver() const;

    // The window procedure: every event the loop takes goes through here.
    std::intptr_t windowProc(const platform::Event& event);

private:
    Application(const std::string& className, std::unique_ptr<platform::NativeWindow> native);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void carryOutClose(bool deferred);
    bool deliverInput(const platform::Event& event, Window* target);

    std::unique_ptr<platform::NativeWindow> native_;
    View view_;
    std::vector<Window*> windows_;
    std::vector<Window*> dialogs_;
    Window* closedDialog_ = nullptr;
    bool reportPending_ = false;
    bool closePending_ = false;
    std::string className_;
    std::string title_;
    bool active_ = false;
    bool fullScreen_ = false;
    bool minimized_ = false;
    int width_ = 0;
    int height_ = 0;
    int savedWidth_ = 0;
    int savedHeight_ = 0;
    int savedX_ = 0;
    int savedY_ = 0;
    int x_ = 0;
    int y_ = 0;
    platform::DisplayMode desktopMode_;
    unsigned frameRateLimit_ = 0;
    unsigned lastFrameTime_ = 0;
    int exitCode_ = 0;
};
