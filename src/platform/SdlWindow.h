#pragma once

#include "platform/Letterbox.h"
#include "platform/NativeWindow.h"
#include "platform/ScaledPresenter.h"
#include "platform/SdlEvents.h"

#include <deque>

struct SDL_Window;

namespace platform {

// The game window on SDL: a borderless window (the client is the whole
// window), a compatibility OpenGL context, and SDL's events turned into the
// game's events.
class SdlWindow : public NativeWindow {
public:
    // The window's class (X11 WM_CLASS, Wayland app id): the desktop entry's
    // StartupWMClass, so the desktop ties the window to its entry and icon.
    static constexpr const char* className = "quillmere";

    SdlWindow();
    ~SdlWindow() override;

    bool currentDisplayMode(DisplayMode& mode) override;
    bool create(const std::string& title, int x, int y, int width, int height) override;
    void destroy() override;
    bool exists() const override { return window_ != nullptr; }
    void show() override;
    void hide() override;
    void minimize() override;
    Rect outerRect() override;
    Rect adjustRect(const Rect& client) override { return client; }
    void move(int x, int y, int outerWidth, int outerHeight) override;

    bool enterFullScreen(int width, int height) override;
    void leaveFullScreen() override;

    bool createContext() override;
    void releaseContext() override;
    bool hasContext() const override { return context_ != nullptr; }
    void swapBuffers() override;
    bool setSwapInterval(int interval) override;

    bool peekEvent(Event& event) override;
    void postEvent(const Event& event) override;
    void postQuit(int exitCode) override;

    Point cursorPosition() override;
    Point screenToClient(Point desktop) override;
    void setIcon(int width, int height, const std::vector<std::uint8_t>& rgba) override;

private:
    bool startVideo();
    bool probeScaling();
    Letterbox letterbox();
    Point windowToClient(int x, int y);

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    ScaledPresenter presenter_;
    // Whether the driver can scale the client for full screen: unknown until
    // a context has been made once.
    enum class Scaling { Unknown, Yes, No } scaling_ = Scaling::Unknown;
    bool fullScreen_ = false;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    SdlEventTranslator translator_;
    std::deque<Event> queue_;
    bool quitPosted_ = false;
    int exitCode_ = 0;
};

} // namespace platform
