#pragma once

// The logical screen over the whole client area (the off-screen target when
// full screen is scaled): origin top left, y down, depth -50 to 50, with a
// fresh model view. A screen calls it first in its draw, so it never depends
// on what the screen before it left behind.
void setUpLogicalScreen(float logicalWidth, float logicalHeight);
