#pragma once

// The game executable run as a player runs it, on the test's own X display,
// driven with real X input (xdotool) and looked at with screenshots. Places
// on the screen come from the game's own layout files and pictures, read
// from the pack of the game folder with the game's readers.
#include "persist/PropertyFile.h"

#include <sys/types.h>

#include <string>

class ResourceManager;

class LiveGame {
public:
    // A game folder holding a copy of the generated data and nothing else.
    explicit LiveGame(const std::string& home);
    ~LiveGame();
    LiveGame(const LiveGame&) = delete;
    LiveGame& operator=(const LiveGame&) = delete;

    // Starts the game and waits until its window shows and has the focus.
    bool start();
    // Waits for the game to end; its exit code, or -1 (killed) after the time.
    int finish(int seconds = 20);
    bool isRunning();

    // Input at a point of the logical 800 by 600 screen.
    void moveTo(float x, float y);
    void click(float x, float y);
    void press(float x, float y);
    void release(float x, float y);
    void key(const std::string& name);
    // From the main menu through the level choice into a game at level 1;
    // the hint page of a first game is clicked away.
    void newGameAtLevelOne();
    // Asks for the window to close, as the desktop's close button does.
    bool closeWindow();
    // Lets the game draw a few frames.
    static void settle(int ms = 400);
    // The colour on the screen at a logical point.
    struct Rgb {
        int r = 0, g = 0, b = 0;
    };
    Rgb colourAt(float x, float y) const;

    // A screen's layout, and the centre of a control placed by it.
    PropertyFile layout(const std::string& name) const;
    struct Spot {
        float x = 0, y = 0, width = 0, height = 0;
        float centreX() const { return x + width / 2; }
        float centreY() const { return y + height / 2; }
    };
    // frames: 4 for buttons and check boxes, 1 for a slider's thumb.
    Spot control(const PropertyFile& layout, const std::string& name, const std::string& picture,
                 int frames) const;
    // Where a picture file drawn at its own size with its corner at (x, y) lies.
    Spot picture(const std::string& fileName, float x, float y) const;
    // The average colour of a picture of the resource table (or a file).
    Rgb pictureColour(const std::string& fileName) const;
    std::string pictureFile(const std::string& key) const;

    const std::string& home() const { return home_; }

private:
    struct ScreenPoint {
        int x, y;
    };
    ScreenPoint onScreen(float x, float y) const;
    void xdotool(const std::string& arguments) const;

    std::string home_;
    std::string packName_;
    ResourceManager* pack_ = nullptr;
    PropertyFile table_;
    pid_t pid_ = -1;
    int exitCode_ = -1;
    // Where the client area lies on the screen and its size.
    int left_ = 0, top_ = 0, width_ = 800, height_ = 600;
};
