#pragma once

#include <string>

// What a window manager or a look at the screen would do on the X desktop.
// Kept apart from the game's headers (X11 has a type called Window too).
struct ScreenPixel {
    bool ok = false;
    int r = 0;
    int g = 0;
    int b = 0;
};

ScreenPixel screenPixel(int x, int y);

// Asks the top-level window with this exact name to close, the way a
// window manager's close button does. False when there is no such window.
bool closeWindowNamed(const char* name);

// What the desktop learns about the top-level window with this exact name:
// whether it is shown, its class (the second WM_CLASS string) and the width
// of the first picture of its _NET_WM_ICON. Empty and 0 when there is no
// such window or property.
struct WindowIdentity {
    bool viewable = false;
    std::string className;
    int iconWidth = 0;
};

WindowIdentity windowIdentity(const char* name);
