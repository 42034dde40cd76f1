#pragma once

// Reads what the X server shows: the colour of one pixel of the whole screen.
// Kept apart from the game's headers (X11 has a type called Window too).
struct ScreenPixel {
    bool ok = false;
    int r = 0;
    int g = 0;
    int b = 0;
};

ScreenPixel screenPixel(int x, int y);
