#include "XDesktop.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

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

namespace {

::Window findNamed(Display* display, ::Window window, const char* name) {
    char* found = nullptr;
    if (XFetchName(display, window, &found) && found) {
        bool same = std::strcmp(found, name) == 0;
        XFree(found);
        if (same) {
            return window;
        }
    }
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    ::Window result = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !result; ++i) {
            result = findNamed(display, children[i], name);
        }
        if (children) {
            XFree(children);
        }
    }
    return result;
}

} // namespace

bool closeWindowNamed(const char* name) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    ::Window target = findNamed(display, DefaultRootWindow(display), name);
    if (target) {
        XEvent event;
        std::memset(&event, 0, sizeof event);
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, target, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return target != 0;
}

WindowIdentity windowIdentity(const char* name) {
    WindowIdentity identity;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return identity;
    }
    ::Window target = findNamed(display, DefaultRootWindow(display), name);
    if (target) {
        XWindowAttributes attributes;
        identity.viewable = XGetWindowAttributes(display, target, &attributes) &&
                            attributes.map_state == IsViewable;
        XClassHint hint{nullptr, nullptr};
        if (XGetClassHint(display, target, &hint)) {
            identity.className = hint.res_class ? hint.res_class : "";
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, target, XInternAtom(display, "_NET_WM_ICON", False), 0, 2,
                               False, AnyPropertyType, &type, &format, &count, &remaining,
                               &data) == Success &&
            data) {
            if (format == 32 && count >= 2) {
                identity.iconWidth = static_cast<int>(reinterpret_cast<long*>(data)[0]);
            }
            XFree(data);
        }
    }
    XCloseDisplay(display);
    return identity;
}
