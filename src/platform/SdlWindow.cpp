#include "platform/SdlWindow.h"

#include "platform/StopSignals.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>

namespace platform {
namespace {

void* lookUpGl(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

} // namespace

std::unique_ptr<NativeWindow> createSystemWindow() {
    return std::make_unique<SdlWindow>();
}

SdlWindow::SdlWindow() = default;

SdlWindow::~SdlWindow() {
    destroy();
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool SdlWindow::startVideo() {
    if (!videoStarted_) {
        // A click that activates the window is a click for the game too, and
        // losing the focus in full screen must not minimise the window.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        // Only a real desktop counts as a display: SDL's off-screen drivers
        // would run the game invisibly. An explicit choice is respected.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
        // SDL takes the class from these (else from the executable's name,
        // which a renamed or wrapped program would change); a value the
        // user set stays.
        setenv("SDL_VIDEO_X11_WMCLASS", className, 0);
        setenv("SDL_VIDEO_WAYLAND_WMCLASS", className, 0);
        // All three stop signals take one road: ours (see StopSignals).
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        StopSignals::install();
        videoStarted_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    return videoStarted_;
}

bool SdlWindow::currentDisplayMode(DisplayMode& mode) {
    SDL_DisplayMode m;
    if (!startVideo() || SDL_GetDesktopDisplayMode(0, &m) != 0) {
        return false;
    }
    mode.width = m.w;
    mode.height = m.h;
    // A true-colour desktop stores a pixel in 4 bytes: 32 bits, as the
    // textures expect, even though only 24 of them are colour.
    mode.bitsPerPixel = SDL_BYTESPERPIXEL(m.format) * 8;
    mode.refreshRate = m.refresh_rate;
    return true;
}

bool SdlWindow::create(const std::string& title, int x, int y, int width, int height) {
    if (window_ || !startVideo()) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window_ = SDL_CreateWindow(title.c_str(), x, y, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!window_) {
        return false;
    }
    // A newly shown window takes the activation.
    SDL_RaiseWindow(window_);
    return true;
}

void SdlWindow::destroy() {
    if (!window_) {
        return;
    }
    releaseContext();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    fullScreen_ = false;
    translator_.reset();
}

void SdlWindow::show() {
    if (window_) {
        SDL_ShowWindow(window_);
    }
}

void SdlWindow::hide() {
    if (window_) {
        SDL_HideWindow(window_);
    }
}

void SdlWindow::minimize() {
    if (window_) {
        SDL_MinimizeWindow(window_);
    }
}

Rect SdlWindow::outerRect() {
    Rect r;
    if (window_) {
        int w = 0;
        int h = 0;
        SDL_GetWindowPosition(window_, &r.left, &r.top);
        SDL_GetWindowSize(window_, &w, &h);
        r.right = r.left + w;
        r.bottom = r.top + h;
    }
    return r;
}

void SdlWindow::move(int x, int y, int outerWidth, int outerHeight) {
    // In full screen the window keeps covering the desktop.
    if (!window_ || fullScreen_) {
        return;
    }
    // Dragging moves the window on every mouse move: leave the size alone then.
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (w != outerWidth || h != outerHeight) {
        SDL_SetWindowSize(window_, outerWidth, outerHeight);
    }
    SDL_SetWindowPosition(window_, x, y);
}

bool SdlWindow::probeScaling() {
    if (scaling_ == Scaling::Unknown && window_) {
        if (context_) {
            scaling_ = presenter_.load(lookUpGl) ? Scaling::Yes : Scaling::No;
        } else if (createContext()) {
            releaseContext();
        }
    }
    return scaling_ == Scaling::Yes;
}

bool SdlWindow::enterFullScreen(int width, int height) {
    if (!window_ || width <= 0 || height <= 0 || !probeScaling()) {
        return false;
    }
    // Cover the display by hand first: without a window manager the desktop
    // full-screen request below changes nothing but SDL's idea of the size.
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds) != 0) {
        return false;
    }
    SDL_SetWindowSize(window_, bounds.w, bounds.h);
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
    // With a window manager this keeps panels and the like off the game.
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    fullScreen_ = true;
    clientWidth_ = width;
    clientHeight_ = height;
    if (context_) {
        presenter_.begin(width, height);
    }
    return true;
}

void SdlWindow::leaveFullScreen() {
    if (!window_ || !fullScreen_) {
        return;
    }
    if (context_) {
        presenter_.end();
    }
    SDL_SetWindowFullscreen(window_, 0);
    fullScreen_ = false;
}

bool SdlWindow::createContext() {
    if (!window_ || context_) {
        return context_ != nullptr;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        return false;
    }
    SDL_GL_MakeCurrent(window_, context_);
    bool canScale = presenter_.load(lookUpGl);
    if (scaling_ == Scaling::Unknown) {
        scaling_ = canScale ? Scaling::Yes : Scaling::No;
    }
    if (fullScreen_) {
        presenter_.begin(clientWidth_, clientHeight_);
    }
    return true;
}

void SdlWindow::releaseContext() {
    if (!context_) {
        return;
    }
    SDL_GL_MakeCurrent(window_, context_);
    presenter_.end();
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
}

void SdlWindow::swapBuffers() {
    if (!context_) {
        return;
    }
    glFlush();
    if (fullScreen_ && presenter_.active()) {
        int w = 0;
        int h = 0;
        SDL_GL_GetDrawableSize(window_, &w, &h);
        presenter_.present(w, h, Letterbox(w, h, clientWidth_, clientHeight_).area());
    }
    SDL_GL_SwapWindow(window_);
}

bool SdlWindow::setSwapInterval(int interval) {
    return context_ && SDL_GL_SetSwapInterval(interval) == 0;
}

Letterbox SdlWindow::letterbox() {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return Letterbox(w, h, clientWidth_, clientHeight_);
}

Point SdlWindow::windowToClient(int x, int y) {
    if (window_ && fullScreen_) {
        return letterbox().toClient(Point{x, y});
    }
    return Point{x, y};
}

Point SdlWindow::cursorPosition() {
    Point p;
    if (!videoStarted_) {
        return p;
    }
    // Over the window its own motion events are the truth: the desktop-wide
    // position is a cache that pointers moved by other programs (XTest,
    // remote desktops) may leave stale.
    if (window_ != nullptr && SDL_GetMouseFocus() == window_) {
        int wx = 0;
        int wy = 0;
        SDL_GetWindowPosition(window_, &wx, &wy);
        SDL_GetMouseState(&p.x, &p.y);
        return Point{wx + p.x, wy + p.y};
    }
    SDL_GetGlobalMouseState(&p.x, &p.y);
    return p;
}

Point SdlWindow::screenToClient(Point desktop) {
    if (!window_) {
        return desktop;
    }
    int wx = 0;
    int wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    return windowToClient(desktop.x - wx, desktop.y - wy);
}

void SdlWindow::postEvent(const Event& event) {
    queue_.push_back(event);
}

void SdlWindow::postQuit(int exitCode) {
    quitPosted_ = true;
    exitCode_ = exitCode;
}

bool SdlWindow::peekEvent(Event& event) {
    if (StopSignals::takeRequest()) {
        // As the window manager's close: the program shuts down as usual.
        postEvent(Event::close(false));
    }
    if (queue_.empty() && videoStarted_) {
        const auto toClient = [this](int x, int y) { return windowToClient(x, y); };
        SDL_Event sdlEvent;
        while (queue_.empty() && SDL_PollEvent(&sdlEvent)) {
            translator_.translate(sdlEvent, toClient, queue_);
        }
    }
    if (!queue_.empty()) {
        event = queue_.front();
        queue_.pop_front();
        return true;
    }
    if (quitPosted_) {
        quitPosted_ = false;
        event = Event::quit(exitCode_);
        return true;
    }
    return false;
}

void SdlWindow::setIcon(int width, int height, const std::vector<std::uint8_t>& rgba) {
    if (!window_ || width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba.data()), width, height,
                                           32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface) {
        SDL_SetWindowIcon(window_, surface);
        SDL_FreeSurface(surface);
    }
}

} // namespace platform
