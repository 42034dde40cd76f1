// The window procedure: window events and the delivery of input to the screens.
#include "app/Application.h"

#include "ui/Window.h"

using namespace platform;

std::intptr_t Application::windowProc(const Event& event) {
    switch (event.kind) {
    case EventKind::Activate:
        active_ = event.active;
        return 1;
    case EventKind::Size:
        if (event.sizeKind == SizeKind::Restored && minimized_) {
            if (Window* top = topWindow()) {
                top->activate();
            }
            minimized_ = false;
        }
        return 0;
    case EventKind::Close:
        if (event.altF4) {
            // Alt+F4: the top window decides, for example by asking first.
            dialogs_.clear();
            if (Window* top = topWindow()) {
                top->onCloseRequest();
            }
        } else {
            native_->hide();
            native_->postQuit(0);
        }
        return 0;
    case EventKind::None:
    case EventKind::Quit:
        return 0;
    default:
        deliverInput(event, receiver());
        return 0;
    }
}

// The receiver is looked up for every event, so a dialog pushed by one
// handler already gets the next event.
bool Application::deliverInput(const Event& event, Window* target) {
    if (!target) {
        return false;
    }
    const int x = event.point.x;
    const int y = event.point.y;
    const unsigned flags = event.buttons.word();
    switch (event.kind) {
    case EventKind::MouseMove:
        target->onMouseMove(x, y, flags);
        return true;
    case EventKind::LeftButtonDown:
        target->onLButtonDown(x, y, flags);
        return true;
    case EventKind::LeftButtonUp:
        target->onLButtonUp(x, y, flags);
        return true;
    case EventKind::RightButtonDown:
        target->onRButtonDown(x, y, flags);
        return true;
    case EventKind::RightButtonUp:
        target->onRButtonUp(x, y, flags);
        return true;
    case EventKind::KeyDown:
        target->onKeyDown(code(event.key));
        return true;
    case EventKind::Char:
        target->onChar(event.character, event.repeat);
        return true;
    default:
        return false;
    }
}
