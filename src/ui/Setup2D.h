#pragma once

// The 2D frame set-up of the menu screens: white clear colour, depth test,
// texturing, nicest perspective, no lighting, and the logical projection
// (origin top left, y down, depth -50 to 50) over a client of the given size.
void setup2D(int clientWidth, int clientHeight, int logicalWidth, int logicalHeight);
