#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace platform {

// The two folders of the game: the read-only data (the pack, the loose sound
// files) and the player's own files (log, settings, saved game, high scores).
// The program works inside the player's folder, so every file it writes by a
// relative name lands there; the readers of the data resolve their names
// against the data folder with dataPath.
class GameFolders {
public:
    // What the choice looks at, gathered by current() or made up by a test.
    struct Environment {
        std::string quillmereHome; // QUILLMERE_HOME: one folder for everything
        std::string xdgDataHome;
        std::string home;
        std::filesystem::path executableFolder;
        // From the executable's folder to the installed data.
        std::filesystem::path installedData;
        // The build's generated data, for a program run from the build.
        std::filesystem::path builtData;
        std::filesystem::path workingFolder;
    };
    struct Places {
        std::filesystem::path data;
        // Empty when there is no home to keep the player's files in.
        std::filesystem::path user;
    };

    static constexpr const char* folderName = "quillmere";
    // What a player would miss: builds of old kept these beside the data, and
    // a new player's folder takes them over from there (copies: the data
    // folder is never written).
    static constexpr const char* keptFiles[] = {"data/dx.cfg", "data/saved.dat", "data/top7.tbl"};

    static Environment current();
    static Places choose(const Environment& environment);

    GameFolders() = default;
    // Leaves the data folder unset again and removes a stand-in folder.
    ~GameFolders();
    GameFolders(const GameFolders&) = delete;
    GameFolders& operator=(const GameFolders&) = delete;

    // Makes the player's folder (and its "data" folder) when missing, works
    // inside it and resolves data names against places.data from now on. A
    // player's folder made now takes over the kept files found in the data
    // folder.
    // When the player's folder cannot be made or entered, says so once on
    // `complaints` and works in a private temporary folder instead, so the
    // game still plays (and writes nowhere else); false then.
    bool enter(const Places& places, std::FILE* complaints = stderr);

    // Where the program writes: the player's folder or the stand-in.
    const std::filesystem::path& workFolder() const { return workFolder_; }

    // A name of the game's data as a path to read: relative names are taken
    // from the data folder once one is entered, others are left as they are.
    static std::string dataPath(const std::string& name);

private:
    static bool makeAndEnter(const std::filesystem::path& folder);
    static void adoptOlderFiles(const std::filesystem::path& from, const std::filesystem::path& to);

    std::filesystem::path workFolder_;
    std::filesystem::path standIn_;
};

} // namespace platform
