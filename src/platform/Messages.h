#pragma once

#include <cstdint>

// The window messages, virtual-key codes and key-state flags the game's
// window procedure understands. The numbers are the classic desktop ones so
// that key settings and stored values keep their meaning on every platform.
namespace platform {

enum MessageId : unsigned {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_SHOWWINDOW = 0x0018,
    WM_KEYDOWN = 0x0100,
    WM_CHAR = 0x0102,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
};

// wParam of WM_SIZE.
enum SizeKind : unsigned {
    SIZE_RESTORED = 0,
    SIZE_MINIMIZED = 1,
};

// Key-state flags of the mouse messages.
enum MouseKeyFlags : unsigned {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

// Virtual-key codes. Letters are 'A'..'Z' (65-90), digits '0'..'9' (48-57).
enum VirtualKey : int {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_NUMPAD0 = 96,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_F4 = 115,
    VK_F12 = 123,
};

// One message as the window procedure receives it. For mouse messages lParam
// holds the client x in its low 16 bits and y in the next 16; for WM_CHAR
// lParam's low 16 bits are the repeat count; for WM_CLOSE wParam tells whether
// F4 was held when the close was asked for (Alt+F4).
struct Message {
    unsigned message = WM_NULL;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

inline std::intptr_t makeLParam(int low, int high) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                      static_cast<std::uint32_t>(low & 0xFFFF));
}

// The signed 16-bit halves of a mouse message's lParam.
inline int lParamX(std::intptr_t lParam) {
    return static_cast<std::int16_t>(lParam & 0xFFFF);
}
inline int lParamY(std::intptr_t lParam) {
    return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
}

inline Message makeMessage(unsigned id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    Message m;
    m.message = id;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

} // namespace platform
