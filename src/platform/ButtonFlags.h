#pragma once

// The key-state word of a mouse event: which buttons and which of Shift and
// Ctrl are held. The bits are the classic desktop ones (MK_LBUTTON = 1 and so
// on), which the screens receive as they stand.
namespace platform {

class ButtonFlags {
public:
    enum class Bit : unsigned {
        LeftButton = 0x0001,
        RightButton = 0x0002,
        Shift = 0x0004,
        Control = 0x0008,
        MiddleButton = 0x0010,
    };

    constexpr ButtonFlags() = default;
    constexpr explicit ButtonFlags(unsigned word) : word_(word) {}
    constexpr ButtonFlags(Bit bit) : word_(static_cast<unsigned>(bit)) {}

    constexpr unsigned word() const { return word_; }
    constexpr bool has(Bit bit) const { return (word_ & static_cast<unsigned>(bit)) != 0; }
    constexpr bool isLeftDown() const { return has(Bit::LeftButton); }
    constexpr bool isRightDown() const { return has(Bit::RightButton); }
    constexpr bool isMiddleDown() const { return has(Bit::MiddleButton); }
    constexpr bool isShiftDown() const { return has(Bit::Shift); }
    constexpr bool isControlDown() const { return has(Bit::Control); }

    constexpr void set(Bit bit, bool on) {
        if (on) {
            word_ |= static_cast<unsigned>(bit);
        } else {
            word_ &= ~static_cast<unsigned>(bit);
        }
    }
    constexpr ButtonFlags operator|(Bit bit) const {
        return ButtonFlags(word_ | static_cast<unsigned>(bit));
    }
    constexpr bool operator==(const ButtonFlags&) const = default;

private:
    unsigned word_ = 0;
};

constexpr ButtonFlags operator|(ButtonFlags::Bit a, ButtonFlags::Bit b) {
    return ButtonFlags() | a | b;
}

} // namespace platform
