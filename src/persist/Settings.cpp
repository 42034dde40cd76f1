#include "persist/Settings.h"

#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "persist/PropertyFile.h"

#include <memory>

namespace {

std::unique_ptr<Settings>& theSettings() {
    static std::unique_ptr<Settings> settings;
    return settings;
}

// The logical screen a window of no remembered size falls back on.
constexpr int logicalWidth = 800;
constexpr int logicalHeight = 600;
constexpr int smallestWindow = 100;

} // namespace

Settings* Settings::create() {
    auto& settings = theSettings();
    if (!settings)
        settings.reset(new Settings());
    return settings.get();
}

Settings* Settings::instance() {
    return theSettings().get();
}

void Settings::destroy() {
    theSettings().reset();
}

void Settings::openResources() {
    ResourceManager* pack = ResourceManager::get("main");
    if (!pack)
        return;
    pack->setPassword(PackFormat::gamePassword);
    pack->open("data/data.pk");
}

bool Settings::load(const std::string& path) {
    width = logicalWidth;
    height = logicalHeight;
    PropertyFile file;
    if (!file.loadFile(path, true, fileKey, fileKeyLength))
        return false;
    firstRun = false;
    width = file.getInt("m_window_width", 0);
    if (width < smallestWindow)
        width = logicalWidth;
    height = file.getInt("m_window_height", 0);
    if (height < smallestWindow)
        height = logicalHeight;
    x = file.getInt("x", 0);
    y = file.getInt("y", 0);
    sound = file.getInt("m_sound", 1) == 1;
    hints = file.getInt("m_hints", 1) == 1;
    soundInvert = file.getInt("m_sound_invert", 0) != 0;
    fullScreen = file.getInt("m_is_full_screen_loaded", 1) != 0;
    musicVolume = file.getInt("m_music_volume", 40);
    showDragons = file.getBool("m_show_dragons", true);
    level = file.getInt("m_level", 3);
    return true;
}

bool Settings::save(bool windowMinimized, const std::string& path) const {
    PropertyFile file;
    if (!windowMinimized) {
        file.setInt("m_window_width", width);
        file.setInt("m_window_height", height);
        file.setInt("x", x);
        file.setInt("y", y);
    }
    file.setInt("m_sound", sound ? 1 : 0);
    file.setInt("m_hints", hints ? 1 : 0);
    file.setInt("m_sound_invert", soundInvert ? 1 : 0);
    file.setInt("m_is_full_screen_loaded", fullScreen ? 1 : 0);
    file.setInt("m_music_volume", musicVolume);
    file.setInt("m_show_dragons", showDragons ? 1 : 0);
    file.setInt("m_level", level);
    // The file is replaced whole, so the old one is kept until the new one is
    // complete rather than deleted first.
    return file.saveFile(path, fileKey, fileKeyLength);
}
