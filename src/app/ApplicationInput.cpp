// The window procedure: window messages and the delivery of input to the screens.
#include "app/Application.h"

#include "ui/Window.h"

using namespace platform;

std::intptr_t Application::windowProc(const Message& message) {
    switch (message.message) {
    case WM_ACTIVATE:
        active_ = message.wParam != 0;
        return 1;
    case WM_SIZE:
        if (message.wParam == SIZE_RESTORED && minimized_) {
            if (Window* top = topWindow()) {
                top->activate();
            }
            minimized_ = false;
        }
        return 0;
    case WM_CLOSE:
        if (message.wParam != 0) {
            // Alt+F4: the top window decides, for example by asking first.
            dialogs_.clear();
            if (Window* top = topWindow()) {
                top->onCloseRequest();
            }
        } else {
            native_->hide();
            native_->postQuitMessage(0);
        }
        return 0;
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SHOWWINDOW:
    case WM_TIMER:
        return 0;
    default:
        deliverInput(message, receiver());
        return 0;
    }
}

// The receiver is looked up for every message, so a dialog pushed by one
// handler already gets the next message.
bool Application::deliverInput(const Message& message, Window* target) {
    if (!target) {
        return false;
    }
    int x = lParamX(message.lParam);
    int y = lParamY(message.lParam);
    auto flags = static_cast<unsigned>(message.wParam);
    switch (message.message) {
    case WM_MOUSEMOVE:
        target->onMouseMove(x, y, flags);
        return true;
    case WM_LBUTTONDOWN:
        target->onLButtonDown(x, y, flags);
        return true;
    case WM_LBUTTONUP:
        target->onLButtonUp(x, y, flags);
        return true;
    case WM_RBUTTONDOWN:
        target->onRButtonDown(x, y, flags);
        return true;
    case WM_RBUTTONUP:
        target->onRButtonUp(x, y, flags);
        return true;
    case WM_KEYDOWN:
        target->onKeyDown(static_cast<int>(message.wParam));
        return true;
    case WM_CHAR:
        target->onChar(static_cast<unsigned short>(message.wParam & 0xFFFF),
                       static_cast<int>(message.lParam & 0xFFFF));
        return true;
    default:
        return false;
    }
}
