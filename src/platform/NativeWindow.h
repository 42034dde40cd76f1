#pragma once

#include "platform/DisplayMode.h"
#include "platform/Event.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The one desktop window of the game with its OpenGL context and its event
// queue. The game talks to this interface only; the system implementation
// sits on SDL, tests put a scripted one in its place.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // The desktop's current display mode; false when there is no display.
    virtual bool currentDisplayMode(DisplayMode& mode) = 0;

    // Creates and shows the window with its client area of width by height
    // and its outer top-left corner at (x, y). False when no window can be made.
    virtual bool create(const std::string& title, int x, int y, int width, int height) = 0;
    virtual void destroy() = 0;
    virtual bool exists() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void minimize() = 0;
    // The outer rectangle in desktop coordinates.
    virtual Rect outerRect() = 0;
    // Grows a client rectangle by the window's frame.
    virtual Rect adjustRect(const Rect& client) = 0;
    // Moves the outer top-left corner to (x, y) and gives the window that outer size.
    virtual void move(int x, int y, int outerWidth, int outerHeight) = 0;

    // Full screen: the window covers the desktop and shows a client of width
    // by height scaled to fit, with bars where the aspects differ. Mouse
    // positions are reported in that client's pixels. False when the display
    // cannot do it; the window is then left as it was.
    virtual bool enterFullScreen(int width, int height) = 0;
    // Back to the plain window; its place and size are set by the caller.
    virtual void leaveFullScreen() = 0;

    // The OpenGL context: double-buffered RGBA with at least 16 depth bits,
    // made current on creation. False when none can be made.
    virtual bool createContext() = 0;
    virtual void releaseContext() = 0;
    virtual bool hasContext() const = 0;
    // Flushes and shows the frame.
    virtual void swapBuffers() = 0;
    // False when the driver cannot set it.
    virtual bool setSwapInterval(int interval) = 0;

    // Takes the next waiting event off the queue; false when none waits.
    // A posted quit is handed out once nothing else waits.
    virtual bool peekEvent(Event& event) = 0;
    virtual void postEvent(const Event& event) = 0;
    virtual void postQuit(int exitCode) = 0;

    // The system cursor in desktop coordinates, and a desktop point in the
    // client's pixels (full screen included).
    virtual Point cursorPosition() = 0;
    virtual Point screenToClient(Point desktop) = 0;

    // The picture the desktop shows for the window: straight RGBA, top row
    // first. Windows without a desktop ignore it.
    virtual void setIcon(int width, int height, const std::vector<std::uint8_t>& rgba);
};

// The system window (SDL).
std::unique_ptr<NativeWindow> createSystemWindow();

} // namespace platform
