#pragma once

#include "platform/Geometry.h"

#include <string>
#include <vector>

// The player's preferences and what the game remembers between runs, held in
// one process-wide object that screens read and change directly.
class Settings {
public:
    static constexpr const char* defaultPath = "data/dx.cfg";
    static constexpr const char* fileKey = "qim";
    static constexpr int fileKeyLength = 3;

    // Makes the object if there is none yet; returns it either way.
    static Settings* create();
    // The object, or null before create.
    static Settings* instance();
    static void destroy();

    static constexpr const char* packPath = "data/data.pk";

    // Gives the resource manager "main" the game's password and opens its
    // pack; false when there is no manager or no pack file to open.
    bool openResources();
    // Reads the settings file; false (and every field untouched but the window
    // size) when there is none.
    bool load(const std::string& path = defaultPath);
    // Writes the settings file. A minimised window has no size or place worth
    // keeping, so those are then left out. The frame keeps x, y, fullScreen and
    // soundInvert up to date before calling this.
    bool save(bool windowMinimized = false, const std::string& path = defaultPath) const;
    // Brings a remembered window onto the desktop: larger than the first
    // (primary) screen, it shrinks to fit; wholly off every screen, it is
    // centred on the first one. No screens known: nothing changes.
    void fitWindowTo(const std::vector<platform::Rect>& screens);

    static constexpr int maxLevel = 100;
    static constexpr int maxMusicVolume = 64;

    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    bool fullScreen = true;
    int quitKey = 27;     // Escape
    int minimizeKey = 13; // Enter
    bool sound = true;
    bool hints = false;
    bool firstRun = true;
    bool showDragons = true;
    // Kept in 0 to 64 when read; 0 switches the music off.
    int musicVolume = 40;
    // The highest level reached, kept in 1 to 100 when read; loading a higher
    // level raises it.
    int level = 3;
    // The stereo inversion of the sound effects, kept here for the sound manager.
    bool soundInvert = false;

private:
    Settings() = default;
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;
};
