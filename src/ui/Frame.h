#pragma once

#include "platform/Geometry.h"

class Window;

// What the screens ask of the program's frame: the two stacks of screens,
// the desktop window, the display and the mouse. The application is the one
// frame and registers itself while it exists; tests may register their own.
// Screens and controls reach the frame only through here, never the
// application itself, so the toolkit does not depend on the program above it.
class Frame {
public:
    // The registered frame, or none (before start-up, in rules-only tests).
    static Frame* instance();
    static void setInstance(Frame* frame);

    virtual ~Frame() = default;

    // The stacks: whoever pushes a screen deletes it after its close.
    virtual void pushWindow(Window* window) = 0;
    virtual void pushDialog(Window* dialog) = 0;
    virtual void closeTop(bool immediate) = 0;

    // Client size of the program's window in pixels, and the logical screen.
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual int logicalWidth() const = 0;
    virtual int logicalHeight() const = 0;

    // Display.
    virtual bool isFullScreen() const = 0;
    virtual bool isMinimized() const = 0;
    virtual bool enterFullScreen(int width, int height) = 0;
    virtual bool leaveFullScreen() = 0;
    virtual void minimize() = 0;
    // Ends the program the way closing its window does.
    virtual void postCloseMessage() = 0;

    // The window's outer rectangle and the cursor in desktop coordinates;
    // moving the window (dragging a menu screen).
    virtual platform::Rect windowRect() = 0;
    virtual platform::Point desktopCursorPosition() = 0;
    virtual void moveWindow(int x, int y, int width, int height) = 0;
    // The mouse in client pixels, wherever it is.
    virtual platform::Point clientCursorPosition() = 0;
};
