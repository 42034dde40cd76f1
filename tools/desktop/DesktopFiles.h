#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The files that make the game a citizen of a Linux desktop: the desktop
// entry, the icons of the hicolor theme, the AppStream metainfo and the
// manual page, made from the game's own drawing and texts. They are written
// in the layout of an installation's share folder.
namespace DesktopFiles {

inline constexpr const char* appId = "org.quillmere.Quillmere";
inline constexpr int iconSizes[] = {16, 32, 48, 64, 128, 256};

struct Release {
    std::string version;
    std::string date; // YYYY-MM-DD
};

std::string desktopEntry();
std::string metainfo(const Release& release);
std::string manualPage(const Release& release);

// Paths below the share folder.
std::string desktopEntryPath();
std::string metainfoPath();
std::string manualPagePath();
std::string iconPath(int size);

// Writes every file below `share`; false, with a message in `error`, when
// something cannot be written.
bool write(const std::filesystem::path& share, const Release& release, std::string& error);

} // namespace DesktopFiles
