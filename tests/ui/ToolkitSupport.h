#pragma once

// Shared by the control tests: a frame with a settable mouse, a screen that
// counts the commands of its controls, scripted keys and clipboard, and test
// pictures made of horizontal bands of different colours.
#include "gfx/Texture.h"
#include "picturewriter/PictureWriter.h"
#include "platform/Clipboard.h"
#include "platform/KeyState.h"
#include "support/TempDir.h"
#include "ui/Frame.h"
#include "ui/Window.h"

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A frame whose client area is the logical screen; only the mouse moves.
class FakeFrame : public Frame {
public:
    FakeFrame() { Frame::setInstance(this); }
    ~FakeFrame() override { Frame::setInstance(nullptr); }

    void pushWindow(Window*) override {}
    void pushDialog(Window*) override {}
    void closeTop(bool) override {}
    int clientWidth() const override { return 800; }
    int clientHeight() const override { return 600; }
    int logicalWidth() const override { return 800; }
    int logicalHeight() const override { return 600; }
    bool isFullScreen() const override { return false; }
    bool isMinimized() const override { return false; }
    bool enterFullScreen(int, int) override { return true; }
    bool leaveFullScreen() override { return true; }
    void minimize() override {}
    void postCloseMessage() override {}
    platform::Rect windowRect() override { return platform::Rect{0, 0, 800, 600}; }
    platform::Point desktopCursorPosition() override { return mouse; }
    void moveWindow(int, int, int, int) override {}
    platform::Point clientCursorPosition() override { return mouse; }

    platform::Point mouse{-1000, -1000};
};

// A screen that remembers which controls fired, in order.
class CommandScreen : public Window {
public:
    void onCommand(Widget* widget) override {
        Window::onCommand(widget);
        commands.push_back(widget);
    }
    std::vector<Widget*> commands;
};

class HeldKeys : public platform::KeyState {
public:
    HeldKeys() { platform::setKeyState(this); }
    ~HeldKeys() override { platform::setKeyState(nullptr); }
    bool isHeld(platform::Key key) override { return held.count(key) != 0; }
    std::set<platform::Key> held;
};

class FakeClipboard : public platform::Clipboard {
public:
    FakeClipboard() { platform::setClipboard(this); }
    ~FakeClipboard() override { platform::setClipboard(nullptr); }
    bool getText(std::string& out) override {
        if (!hasText) {
            return false;
        }
        out = text;
        return true;
    }
    bool setText(const std::string& value) override {
        text = value;
        hasText = true;
        return true;
    }
    std::string text;
    bool hasText = false;
};

using Rgb = std::array<int, 3>;

// A picture of `bands` bands, each `bandHeight` rows, band k (from 0) in
// colours[k] and stored first-to-last from the bottom of the picture up, the
// way TGA files store rows. Texture coordinate v grows with the stored row,
// so band k covers v from k / bands to (k + 1) / bands.
inline PictureWriter::Bytes bandPicture(int width, int bandHeight,
                                        const std::vector<Rgb>& colours) {
    PictureWriter::Bytes pixels;
    for (const Rgb& c : colours) {
        for (int i = 0; i < width * bandHeight; ++i) {
            pixels.insert(pixels.end(),
                          {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                           static_cast<std::uint8_t>(c[0]), 255});
        }
    }
    const int height = bandHeight * static_cast<int>(colours.size());
    return PictureWriter::tga(2, 32, width, height, pixels);
}

// A texture of that picture, read from a file of the folder.
inline std::unique_ptr<Texture> bandTexture(const TempDir& dir, const std::string& name, int width,
                                            int bandHeight, const std::vector<Rgb>& colours) {
    return std::unique_ptr<Texture>(Texture::load(
        nullptr, dir.write(name, bandPicture(width, bandHeight, colours)), false, false));
}
