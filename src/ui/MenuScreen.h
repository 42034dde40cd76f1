#pragma once

#include "ui/Window.h"

class DragonFlock;
class Texture;

// What the full-screen menu screens share: mouse positions turned into the
// logical screen before the controls see them, the 2D frame set-up after
// every display switch, and the background picture stretched over a
// 1024-unit square centred on the 800 by 600 screen.
class MenuScreen : public Window {
public:
    MenuScreen(float logicalWidth, float logicalHeight)
        : logicalWidth_(logicalWidth), logicalHeight_(logicalHeight) {}

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;

    float logicalWidth() const { return logicalWidth_; }
    float logicalHeight() const { return logicalHeight_; }

    // The 2D frame set-up over the frame's current client and logical sizes.
    static void setup2D();
    // A picture of the shared UI resources; none before they exist.
    static Texture* picture(const char* key);
    // The last steps of every menu frame: the music topped up, the pointer
    // drawn over everything.
    static void finishFrame();
    // Whether the key is the settings' key that closes a menu screen.
    static bool isQuitKey(int key);

protected:
    // The controls, the pointer's animation and the screen's dragons.
    void updateScreen(float elapsedMs, DragonFlock& dragons);
    // Black clear of colour and depth.
    static void clearFrame();
    // Draws picture (none: nothing) over (-112, -212) to (912, 812).
    static void drawBackground(Texture* picture);
    // Menus drag the desktop window only when it is a window.
    void followDisplayMode();

    float logicalWidth_;
    float logicalHeight_;
};
