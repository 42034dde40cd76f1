#pragma once

#include <string>
#include <vector>

class PropertyFile;

// The seven best scores with the players' names, in categories (the game
// fills category 0; the others only travel through the file).
class HighScores {
public:
    static constexpr int entryCount = 7;
    static constexpr const char* defaultPath = "data/top7.tbl";
    static constexpr const char* fileKey = "zpvrta#&%8172";
    static constexpr int fileKeyLength = 13;

    struct Entry {
        std::string name = "Nemo";
        int points = 0;
    };

    explicit HighScores(int categoryCount);

    // Every entry from the store, "Nemo" and 0 for what is missing.
    void load(const PropertyFile& store);
    void save(PropertyFile& store) const;
    // The scrambled file: a file that cannot be read gives the defaults.
    bool loadFile(const std::string& path = defaultPath);
    bool saveFile(const std::string& path = defaultPath) const;

    // Whether points would enter the table (more than the last entry).
    bool accepts(int category, int points) const;
    // Inserts below every entry with equal or more points.
    void add(int category, int points, const std::string& name);

    const std::string& getName(int category, int index) const;
    int getPoints(int category, int index) const;
    int getCategoryCount() const { return static_cast<int>(categories_.size()); }

private:
    std::vector<std::vector<Entry>> categories_;
};
