// The main loop, its frame clock and cap, and the stacks of screens.
#include "app/Application.h"

#include "platform/Clock.h"
#include "ui/Window.h"

#include <algorithm>

namespace {

// An inactive or minimised program only idles.
constexpr unsigned idleSleepMs = 100;

} // namespace

int Application::run() {
    lastFrameTime_ = platform::milliseconds();
    while (runPass()) {
    }
    return exitCode_;
}

bool Application::runPass() {
    platform::Event event;
    if (native_->peekEvent(event)) {
        if (event.kind == platform::EventKind::Quit) {
            exitCode_ = event.exitCode;
            return false;
        }
        windowProc(event);
        return true;
    }
    runFrame();
    return true;
}

void Application::runFrame() {
    unsigned start = platform::milliseconds();
    // Unsigned difference: right across the clock's wrap too.
    float elapsed = static_cast<float>(start - lastFrameTime_);
    updateFrame(elapsed);
    drawFrame();
    native_->swapBuffers();
    if (frameRateLimit_ != 0) {
        unsigned spent = platform::milliseconds() - start;
        unsigned budget = 1000 / frameRateLimit_;
        if (spent < budget) {
            platform::sleep(budget - spent);
        }
    }
    lastFrameTime_ = start;
}

void Application::updateFrame(float elapsedMs) {
    if (closePending_) {
        closePending_ = false;
        carryOutClose(true);
    }
    if (reportPending_) {
        reportPending_ = false;
        Window* target = receiver();
        Window* closed = closedDialog_;
        closedDialog_ = nullptr;
        if (target && closed) {
            target->onDialogClosed(closed->getResult(), closed);
        }
    }
    if (active_) {
        if (Window* target = receiver()) {
            target->update(elapsedMs);
        }
    } else {
        platform::sleep(idleSleepMs);
    }
    if (minimized_) {
        platform::sleep(idleSleepMs);
    }
}

void Application::drawFrame() {
    if (minimized_) {
        return;
    }
    if (Window* top = topWindow()) {
        top->draw();
    }
    // Bottom dialog first, so the top one ends up over everything.
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
        (*it)->draw();
    }
}

void Application::pushWindow(Window* window) {
    if (!window) {
        return;
    }
    window->activate();
    windows_.insert(windows_.begin(), window);
}

void Application::pushDialog(Window* dialog) {
    if (!dialog) {
        return;
    }
    dialogs_.insert(dialogs_.begin(), dialog);
    dialog->activate();
    if (Window* top = topWindow()) {
        top->activate();
    }
}

void Application::closeTop(bool immediate) {
    if (!immediate) {
        closePending_ = true;
        return;
    }
    carryOutClose(false);
}

void Application::carryOutClose(bool deferred) {
    if (!dialogs_.empty()) {
        closedDialog_ = dialogs_.front();
        dialogs_.erase(dialogs_.begin());
        reportPending_ = true;
        return;
    }
    if (windows_.size() < 2) {
        return;
    }
    Window* closed = windows_.front();
    windows_.erase(windows_.begin());
    Window* top = windows_.front();
    // A dialog report still outstanding goes to the new top window instead,
    // in this same update.
    if (deferred && closedDialog_) {
        reportPending_ = true;
    } else {
        top->onWindowClosed(closed);
    }
    top->activate();
}

void Application::removeWindow(Window* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

Window* Application::topWindow() const {
    return windows_.empty() ? nullptr : windows_.front();
}

Window* Application::topDialog() const {
    return dialogs_.empty() ? nullptr : dialogs_.front();
}

Window* Application::receiver() const {
    Window* dialog = topDialog();
    return dialog ? dialog : topWindow();
}
