#pragma once

// The 2D frame set-up of the menu screens: white clear colour, depth test,
// texturing, nicest perspective, no lighting, and the logical projection
// (origin top left, y down, depth -50 to 50) over a client of the given size.
void setup2D(int clientWidth, int clientHeight, int logicalWidth, int logicalHeight);

// The logical screen over the whole client area of the program's window (the
// off-screen target when full screen is scaled): origin top left, y down,
// depth -50 to 50, with a fresh model view. A screen calls it first in its
// draw, so it never depends on what the screen before it left behind.
void setUpLogicalScreen(float logicalWidth, float logicalHeight);
