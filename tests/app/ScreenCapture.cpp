#include "ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

ScreenPixel screenPixel(int x, int y) {
    ScreenPixel pixel;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return pixel;
    }
    ::Window root = DefaultRootWindow(display);
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image) {
        unsigned long value = XGetPixel(image, 0, 0);
        auto channel = [value](unsigned long mask) {
            int shift = 0;
            while (mask && !(mask & 1)) {
                mask >>= 1;
                ++shift;
            }
            return static_cast<int>(((value >> shift) & mask) * 255 / (mask ? mask : 1));
        };
        pixel.r = channel(image->red_mask);
        pixel.g = channel(image->green_mask);
        pixel.b = channel(image->blue_mask);
        pixel.ok = true;
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return pixel;
}
