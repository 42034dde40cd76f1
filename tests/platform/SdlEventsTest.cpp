// SDL's events as the game's window procedure receives them.
#include "platform/SdlEvents.h"
#include "platform/KeyState.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

using namespace platform;
using Bit = ButtonFlags::Bit;

namespace {

class ScriptedKeys : public KeyState {
public:
    ScriptedKeys() { setKeyState(this); }
    ~ScriptedKeys() override { setKeyState(nullptr); }
    bool isHeld(Key key) override { return held.count(key) != 0; }
    std::set<Key> held;
};

SDL_Event keyEvent(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    return e;
}

SDL_Event buttonEvent(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event motionEvent(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event textEvent(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    return e;
}

class SdlEventsTest : public ::testing::Test {
protected:
    // The window sits 10 pixels right of and 20 below the client's origin.
    std::vector<Event> feed(const SDL_Event& event) {
        std::deque<Event> out;
        translator.translate(
            event,
            [this](int x, int y) {
                return Point{x - offset.x, y - offset.y};
            },
            out);
        return std::vector<Event>(out.begin(), out.end());
    }
    std::vector<Event> press(SDL_Keycode sym, SDL_Scancode scancode) {
        return feed(keyEvent(SDL_KEYDOWN, sym, scancode));
    }
    void release(SDL_Keycode sym, SDL_Scancode scancode) {
        feed(keyEvent(SDL_KEYUP, sym, scancode));
    }
    // The one event an SDL event gave, or an empty one.
    Event only(const std::vector<Event>& events) {
        EXPECT_EQ(events.size(), 1u);
        return events.empty() ? Event() : events.front();
    }

    Point offset{10, 20};
    SdlEventTranslator translator;
};

} // namespace

TEST(InputCodes, AreTheClassicDesktopNumbers) {
    // Stored settings and the screens compare with these numbers directly.
    EXPECT_EQ(code(Key::Back), 8);
    EXPECT_EQ(code(Key::Return), 13);
    EXPECT_EQ(code(Key::Shift), 16);
    EXPECT_EQ(code(Key::Control), 17);
    EXPECT_EQ(code(Key::Escape), 27);
    EXPECT_EQ(code(Key::End), 35);
    EXPECT_EQ(code(Key::Home), 36);
    EXPECT_EQ(code(Key::Left), 37);
    EXPECT_EQ(code(Key::Right), 39);
    EXPECT_EQ(code(Key::Insert), 45);
    EXPECT_EQ(code(Key::Delete), 46);
    EXPECT_EQ(code(Key::F4), 115);
    EXPECT_EQ(code(Key::F12), 123);
    EXPECT_EQ((Bit::LeftButton | Bit::RightButton | Bit::Shift | Bit::Control).word(), 0xFu);
    EXPECT_EQ(ButtonFlags(Bit::MiddleButton).word(), 0x10u);
}

TEST_F(SdlEventsTest, MouseButtonsCarryClientPointAndHeldButtonsAndModifiers) {
    Event down = only(feed(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 110, 120)));
    EXPECT_EQ(down.kind, EventKind::LeftButtonDown);
    EXPECT_EQ(down.point.x, 100);
    EXPECT_EQ(down.point.y, 100);
    EXPECT_EQ(down.buttons.word(), 1u); // the pressed button counts as held

    EXPECT_EQ(only(press(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT)).key, Key::Shift);
    Event right = only(feed(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20)));
    EXPECT_EQ(right.kind, EventKind::RightButtonDown);
    EXPECT_EQ(right.buttons.word(), 1u | 2u | 4u);

    Event up = only(feed(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 20)));
    EXPECT_EQ(up.kind, EventKind::LeftButtonUp);
    EXPECT_EQ(up.buttons.word(), 2u | 4u); // the released button no longer held
    release(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    press(SDLK_RCTRL, SDL_SCANCODE_RCTRL);
    Event rightUp = only(feed(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 20)));
    EXPECT_EQ(rightUp.kind, EventKind::RightButtonUp);
    EXPECT_EQ(rightUp.buttons.word(), 8u);
    EXPECT_TRUE(rightUp.buttons.isControlDown());
    EXPECT_FALSE(rightUp.buttons.isRightDown() || rightUp.buttons.isLeftDown());
    EXPECT_FALSE(rightUp.buttons.isShiftDown());
}

TEST_F(SdlEventsTest, MiddleButtonIsHeldButNeverDelivered) {
    EXPECT_TRUE(feed(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 50, 50)).empty());
    EXPECT_TRUE(feed(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 50, 50)).empty());
    Event move = only(feed(motionEvent(5, 25)));
    EXPECT_EQ(move.kind, EventKind::MouseMove);
    EXPECT_EQ(move.point.x, -5); // left of the client: negative
    EXPECT_EQ(move.point.y, 5);
    EXPECT_TRUE(move.buttons.isMiddleDown());
    EXPECT_TRUE(feed(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 50, 50)).empty());
    EXPECT_EQ(only(feed(motionEvent(5, 25))).buttons.word(), 0u);
}

TEST_F(SdlEventsTest, LosingTheFocusForgetsHeldButtonsAndModifiers) {
    feed(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
    press(SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    press(SDLK_LALT, SDL_SCANCODE_LALT);
    SDL_Event lost{};
    lost.type = SDL_WINDOWEVENT;
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    Event e = only(feed(lost));
    EXPECT_EQ(e.kind, EventKind::Activate);
    EXPECT_FALSE(e.active);
    EXPECT_EQ(only(feed(motionEvent(10, 20))).buttons.word(), 0u);
    // Alt no longer held either: keys reach the game again.
    EXPECT_EQ(only(press(SDLK_x, SDL_SCANCODE_X)).key, Key{'X'});
}

TEST_F(SdlEventsTest, PositionsFarOffTheWindowStayAtTheEdgeOfTheSignedRange) {
    Event far = only(feed(motionEvent(40010, -40000)));
    EXPECT_EQ(far.point.x, 32767);
    EXPECT_EQ(far.point.y, -32768);
}

TEST_F(SdlEventsTest, KeysArriveAsVirtualKeyCodes) {
    EXPECT_EQ(only(press(SDLK_a, SDL_SCANCODE_A)).key, Key{'A'});
    // Letters follow the layout: the key in Q's place that types an A is A.
    EXPECT_EQ(only(press(SDLK_a, SDL_SCANCODE_Q)).key, Key{'A'});
    EXPECT_EQ(only(press(SDLK_7, SDL_SCANCODE_7)).key, Key{'7'});
    // Other keys by position, whatever the layout calls them.
    EXPECT_EQ(only(press(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)).key, Key::Return);
    EXPECT_EQ(only(press(SDLK_KP_3, SDL_SCANCODE_KP_3)).key, Key::Numpad3);
    EXPECT_EQ(only(press(SDLK_F11, SDL_SCANCODE_F11)).key, Key::F11);
    EXPECT_EQ(only(press(0x1000, SDL_SCANCODE_SEMICOLON)).key, Key::Semicolon);
    // A letter's place with a non-letter symbol still gives the letter.
    EXPECT_EQ(only(press(0x40000000, SDL_SCANCODE_Z)).key, Key{'Z'});
    Event esc = only(press(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE));
    EXPECT_EQ(esc.kind, EventKind::KeyDown);
    EXPECT_EQ(esc.repeat, 1);
    EXPECT_TRUE(press(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP).empty()); // no code: nothing
}

TEST_F(SdlEventsTest, AltMakesSystemKeysAndAltF4AsksToClose) {
    EXPECT_TRUE(press(SDLK_LALT, SDL_SCANCODE_LALT).empty());
    EXPECT_TRUE(press(SDLK_x, SDL_SCANCODE_X).empty());
    EXPECT_TRUE(feed(textEvent("x")).empty());
    Event close = only(press(SDLK_F4, SDL_SCANCODE_F4));
    EXPECT_EQ(close.kind, EventKind::Close);
    EXPECT_TRUE(close.altF4);
    release(SDLK_LALT, SDL_SCANCODE_LALT);
    EXPECT_EQ(only(press(SDLK_F4, SDL_SCANCODE_F4)).kind, EventKind::KeyDown);
    // Right Alt (AltGr) types characters and is no system key.
    EXPECT_EQ(only(press(SDLK_RALT, SDL_SCANCODE_RALT)).key, Key::Menu);
    EXPECT_EQ(only(feed(textEvent("@"))).character, '@');
}

TEST_F(SdlEventsTest, TextGivesOneCharacterPerPrintableByte) {
    std::vector<Event> typed = feed(textEvent("aZ 1~"));
    ASSERT_EQ(typed.size(), 5u);
    const char expected[] = "aZ 1~";
    for (std::size_t i = 0; i < typed.size(); ++i) {
        EXPECT_EQ(typed[i].kind, EventKind::Char);
        EXPECT_EQ(typed[i].character, static_cast<unsigned char>(expected[i]));
        EXPECT_EQ(typed[i].repeat, 1);
    }
    // UTF-8 beyond ASCII and control characters are dropped, not split.
    std::vector<Event> mixed = feed(textEvent("\xc3\xa9x\t\x7f"));
    ASSERT_EQ(mixed.size(), 1u);
    EXPECT_EQ(mixed[0].character, 'x');
}

TEST_F(SdlEventsTest, TextWithoutTerminatorStopsAtTheEndOfItsBuffer) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::memset(e.text.text, 'k', sizeof e.text.text);
    EXPECT_EQ(feed(e).size(), sizeof e.text.text);
}

TEST_F(SdlEventsTest, WindowCloseTellsWhetherF4WasHeld) {
    ScriptedKeys keys;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Event plain = only(feed(quit));
    EXPECT_EQ(plain.kind, EventKind::Close);
    EXPECT_FALSE(plain.altF4);
    keys.held = {Key::F4};
    EXPECT_TRUE(only(feed(quit)).altF4);
}

TEST_F(SdlEventsTest, MinimiseRestoreAndFocusBecomeWindowEvents) {
    SDL_Event w{};
    w.type = SDL_WINDOWEVENT;
    w.window.event = SDL_WINDOWEVENT_MINIMIZED;
    Event min = only(feed(w));
    EXPECT_EQ(min.kind, EventKind::Size);
    EXPECT_EQ(min.sizeKind, SizeKind::Minimized);
    w.window.event = SDL_WINDOWEVENT_RESTORED;
    EXPECT_EQ(only(feed(w)).sizeKind, SizeKind::Restored);
    w.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    Event gained = only(feed(w));
    EXPECT_EQ(gained.kind, EventKind::Activate);
    EXPECT_TRUE(gained.active);
    w.window.event = SDL_WINDOWEVENT_MOVED;
    EXPECT_TRUE(feed(w).empty());
}
