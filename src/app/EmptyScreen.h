#pragma once

#include "ui/Window.h"

// The screen the game shows while it has no menu yet: black, and Escape
// closes the program the way closing its window does.
class EmptyScreen : public Window {
public:
    void onKeyDown(int key) override;
    void draw() override;
};
