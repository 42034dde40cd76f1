#pragma once

#include <string>

class Settings;

// The whole run of the game: start-up in its fixed order, the main loop,
// shutdown in its fixed order.
class Program {
public:
    // Returns the process exit code.
    int run();

    // The window's stored place, corrected once so that the window is not
    // pushed mostly off a smaller screen: a coordinate at or beyond the
    // screen's size less half the window's is halved.
    static void fitToScreen(int screenWidth, int screenHeight, int width, int height, int& x,
                            int& y);

    // Once the audio exists: opens the music device, switches the sound
    // effects, sets the music volume and leaves the music stopped for the
    // main menu to start.
    static void applySettings(const Settings& settings);

    static constexpr const char* title = "Quillmere";
    static constexpr const char* requiredExtensions = "GL_ARB_multitexture ";
};
