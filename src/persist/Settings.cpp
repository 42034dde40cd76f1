#include "persist/Settings.h"

#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "persist/PropertyFile.h"
#include "platform/GameFolders.h"

#include <algorithm>
#include <fstream>
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

bool Settings::openResources() {
    ResourceManager* pack = ResourceManager::get("main");
    if (!pack)
        return false;
    pack->setPassword(PackFormat::gamePassword);
    pack->open(packPath);
    return std::ifstream(platform::GameFolders::dataPath(packPath), std::ios::binary).is_open();
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
    // A hand-edited or damaged file must not give a volume the player cannot
    // reach with the slider, nor lock or unlock levels that do not exist.
    musicVolume = std::clamp(file.getInt("m_music_volume", 40), 0, maxMusicVolume);
    showDragons = file.getBool("m_show_dragons", true);
    level = std::clamp(file.getInt("m_level", 3), 1, maxLevel);
    return true;
}

namespace {

bool overlaps(const platform::Rect& a, const platform::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

void Settings::fitWindowTo(const std::vector<platform::Rect>& screens) {
    if (screens.empty())
        return;
    const platform::Rect& primary = screens.front();
    if (primary.width() <= 0 || primary.height() <= 0)
        return;
    // A screen smaller than the smallest window still gets the smallest one.
    width = std::max(std::min(width, primary.width()), smallestWindow);
    height = std::max(std::min(height, primary.height()), smallestWindow);
    const platform::Rect window{x, y, x + width, y + height};
    const bool visible = std::any_of(screens.begin(), screens.end(),
                                     [&](const auto& screen) { return overlaps(window, screen); });
    if (!visible) {
        x = primary.left + (primary.width() - width) / 2;
        y = primary.top + (primary.height() - height) / 2;
    }
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
