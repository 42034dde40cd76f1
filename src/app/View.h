#pragma once

// The logical screen every screen draws in: logicalWidth by logicalHeight
// units, origin top left, y growing downward, depth -50 to 50, whatever the
// window's size in pixels.
class View {
public:
    int logicalWidth = 1024;
    int logicalHeight = 768;
    float viewportWidth = 0;
    float viewportHeight = 0;

    void setLogicalSize(int width, int height);
    // Viewport over width by height pixels and the logical projection; with
    // flipY the logical y axis points up. Leaves the model-view matrix
    // selected and cleared.
    void applyOrtho(float width, float height, bool flipY);
    // The 2D frame set-up of the menu screens for a client of width by height
    // pixels: white clear colour, depth test, texturing, nicest perspective
    // hint, no lighting, the logical projection.
    void setup2D(int width, int height);
};
