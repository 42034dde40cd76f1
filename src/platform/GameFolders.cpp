#include "platform/GameFolders.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

fs::path& dataFolder() {
    static fs::path folder;
    return folder;
}

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(folder / "data" / "data.pk", error);
}

} // namespace

GameFolders::Environment GameFolders::current() {
    Environment environment;
    environment.quillmereHome = environmentText("QUILLMERE_HOME");
    environment.xdgDataHome = environmentText("XDG_DATA_HOME");
    environment.home = environmentText("HOME");
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        environment.executableFolder = executable.parent_path();
    }
#ifdef QUILLMERE_INSTALLED_DATA
    environment.installedData = QUILLMERE_INSTALLED_DATA;
#endif
#ifdef QUILLMERE_BUILT_DATA
    environment.builtData = QUILLMERE_BUILT_DATA;
#endif
    environment.workingFolder = fs::current_path(error);
    return environment;
}

GameFolders::Places GameFolders::choose(const Environment& environment) {
    Places places;
    if (!environment.quillmereHome.empty()) {
        places.data = environment.workingFolder / environment.quillmereHome;
        places.user = places.data;
        return places;
    }
    std::error_code error;
    // The executable's path has its links resolved, so ".." is its parent.
    const fs::path installed =
        (environment.executableFolder / environment.installedData).lexically_normal();
    // An installed tree first, so that a copy of a built program finds the
    // data that was installed with it rather than the build's.
    if (!environment.executableFolder.empty() && !environment.installedData.empty() &&
        holdsData(installed)) {
        places.data = installed;
    } else if (!environment.builtData.empty() && fs::is_directory(environment.builtData, error)) {
        places.data = environment.builtData;
    } else if (holdsData(environment.executableFolder)) {
        places.data = environment.executableFolder;
    } else {
        places.data = environment.workingFolder;
    }
    // Relative values are not allowed in either variable: they are ignored.
    const fs::path xdg = environment.xdgDataHome;
    const fs::path home = environment.home;
    if (xdg.is_absolute()) {
        places.user = xdg / folderName;
    } else if (home.is_absolute()) {
        places.user = home / ".local" / "share" / folderName;
    }
    return places;
}

GameFolders::~GameFolders() {
    dataFolder().clear();
    if (!standIn_.empty()) {
        std::error_code ignored;
        fs::remove_all(standIn_, ignored);
    }
}

bool GameFolders::makeAndEnter(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder / "data", error);
    if (!fs::is_directory(folder / "data", error) || ::access(folder.c_str(), W_OK) != 0 ||
        ::access((folder / "data").c_str(), W_OK) != 0) {
        return false;
    }
    fs::current_path(folder, error);
    return !error;
}

void GameFolders::adoptOlderFiles(const fs::path& from, const fs::path& to) {
    for (const char* name : keptFiles) {
        std::error_code error;
        if (fs::is_regular_file(from / name, error)) {
            fs::copy_file(from / name, to / name, fs::copy_options::skip_existing, error);
        }
    }
}

bool GameFolders::enter(const Places& places, std::FILE* complaints) {
    dataFolder() = places.data;
    std::error_code error;
    const bool fresh = !places.user.empty() && !fs::exists(places.user, error);
    if (!places.user.empty() && makeAndEnter(places.user)) {
        workFolder_ = places.user;
        if (fresh && places.data != places.user) {
            adoptOlderFiles(places.data, places.user);
        }
        return true;
    }
    if (complaints) {
        if (places.user.empty()) {
            std::fprintf(complaints,
                         "quillmere: no home folder: settings and saved games are not kept\n");
        } else {
            std::fprintf(complaints, "quillmere: cannot keep settings and saved games in %s\n",
                         places.user.c_str());
        }
    }
    std::string pattern = (fs::temp_directory_path(error) / "quillmere-XXXXXX").string();
    if (!error && ::mkdtemp(pattern.data()) != nullptr) {
        standIn_ = pattern;
        if (makeAndEnter(standIn_)) {
            workFolder_ = standIn_;
        }
    }
    return false;
}

std::string GameFolders::dataPath(const std::string& name) {
    const fs::path& folder = dataFolder();
    if (folder.empty() || name.empty() || fs::path(name).is_absolute()) {
        return name;
    }
    return (folder / name).string();
}

} // namespace platform
