// The window, its OpenGL context and the switches between windowed and full screen.
#include "app/Application.h"

#include "app/Log.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

namespace {

const char* glText(GLenum name) {
    const char* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "";
}

void logDriver() {
    const char* rule = "---------------------------------------------------";
    Log::printf("%s", rule);
    Log::printf("Vendor: %s", glText(GL_VENDOR));
    Log::printf("Version: %s", glText(GL_VERSION));
    Log::printf("Renderer: %s", glText(GL_RENDERER));
    Log::printf("%s", rule);
}

} // namespace

bool Application::createWindow(const std::string& title, int x, int y, int width, int height) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    title_ = title;
    return native_->create(title, x, y, width, height);
}

void Application::createGraphics() {
    native_->createContext();
    // Written even without a context: the extension check then tells.
    logDriver();
    Texture::reloadAll();
}

void Application::releaseGraphics() {
    Texture::releaseAll();
    native_->releaseContext();
}

bool Application::enterFullScreen(int width, int height) {
    if (width == 320 || width == 400 || width == 640) {
        return false;
    }
    if (!fullScreen_) {
        platform::Rect outer = native_->outerRect();
        savedX_ = outer.left;
        savedY_ = outer.top;
        savedWidth_ = width_;
        savedHeight_ = height_;
    }
    platform::DisplayMode mode;
    if (!native_->currentDisplayMode(mode)) {
        return false;
    }
    desktopMode_ = mode;
    releaseGraphics();
    if (native_->enterFullScreen(width, height)) {
        fullScreen_ = true;
    }
    // Refused: the game goes on in a window of the requested size at the top left.
    platform::Rect outer = native_->adjustRect(platform::Rect{0, 0, width, height});
    native_->move((width - outer.width()) / 2, (height - outer.height()) / 2, outer.width(),
                  outer.height());
    width_ = width;
    height_ = height;
    createGraphics();
    return true;
}

bool Application::leaveFullScreen() {
    releaseGraphics();
    native_->leaveFullScreen();
    fullScreen_ = false;
    if (savedWidth_ <= 0 || savedHeight_ <= 0) {
        // Never switched: there is no windowed size to go back to.
        savedWidth_ = width_;
        savedHeight_ = height_;
    }
    platform::Rect outer = native_->adjustRect(
        platform::Rect{savedX_, savedY_, savedX_ + savedWidth_, savedY_ + savedHeight_});
    if (savedX_ < 1 || savedY_ < 1) {
        savedX_ = (desktopMode_.width - view_.logicalWidth) / 2;
        savedY_ = (desktopMode_.height - view_.logicalHeight) / 2;
    }
    native_->move(savedX_, savedY_, outer.width(), outer.height());
    width_ = savedWidth_;
    height_ = savedHeight_;
    createGraphics();
    return true;
}

void Application::minimize() {
    if (fullScreen_) {
        leaveFullScreen();
    }
    native_->minimize();
    minimized_ = true;
}

void Application::hideWindow() {
    native_->hide();
}

void Application::destroyWindow() {
    if (fullScreen_) {
        native_->leaveFullScreen();
        fullScreen_ = false;
    }
    native_->destroy();
}

bool Application::setSwapInterval(int interval) {
    return native_->setSwapInterval(interval);
}

void Application::postCloseMessage() {
    native_->postEvent(platform::Event::close(false));
}

platform::Rect Application::windowRect() {
    return native_->outerRect();
}

platform::Point Application::desktopCursorPosition() {
    return native_->cursorPosition();
}

void Application::moveWindow(int x, int y, int width, int height) {
    native_->move(x, y, width, height);
}
