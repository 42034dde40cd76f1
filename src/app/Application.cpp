#include "app/Application.h"

#include "gfx/Texture.h"

namespace {

Application* theInstance = nullptr;

} // namespace

Application::Application(const std::string& className,
                         std::unique_ptr<platform::NativeWindow> native)
    : native_(std::move(native)), className_(className) {
    native_->currentDisplayMode(desktopMode_);
    Texture::setDisplayDepth(desktopMode_.bitsPerPixel);
}

Application::~Application() = default;

bool Application::create(const std::string& className,
                         std::unique_ptr<platform::NativeWindow> nativeWindow) {
    if (theInstance) {
        return false;
    }
    if (!nativeWindow) {
        nativeWindow = platform::createSystemWindow();
    }
    theInstance = new Application(className, std::move(nativeWindow));
    Frame::setInstance(theInstance);
    return true;
}

Application* Application::instance() {
    return theInstance;
}

void Application::destroy() {
    if (Frame::instance() == theInstance) {
        Frame::setInstance(nullptr);
    }
    delete theInstance;
    theInstance = nullptr;
}

int Application::colorDepth() {
    if (theInstance && theInstance->desktopMode_.bitsPerPixel > 0) {
        return theInstance->desktopMode_.bitsPerPixel;
    }
    return 32;
}

platform::Point Application::cursorPosition() {
    if (!theInstance) {
        return platform::Point{};
    }
    platform::NativeWindow& native = *theInstance->native_;
    return native.screenToClient(native.cursorPosition());
}
