#include "ui/HighScores.h"

#include "persist/PropertyFile.h"

#include <cstdio>
#include <utility>

namespace {

std::string key(const char* stem, int category, int index) {
    char text[64];
    std::snprintf(text, sizeof text, "top7.rec_%s%03d%03d", stem, category, index);
    return text;
}

const HighScores::Entry& fallbackEntry() {
    static const HighScores::Entry entry;
    return entry;
}

} // namespace

HighScores::HighScores(int categoryCount)
    : categories_(static_cast<std::size_t>(categoryCount > 0 ? categoryCount : 0),
                  std::vector<Entry>(entryCount)) {}

void HighScores::load(const PropertyFile& store) {
    for (std::size_t c = 0; c < categories_.size(); ++c) {
        for (int i = 0; i < entryCount; ++i) {
            Entry& e = categories_[c][static_cast<std::size_t>(i)];
            e.name = store.getString(key("name", static_cast<int>(c), i), "Nemo");
            e.points = store.getInt(key("points", static_cast<int>(c), i), 0);
        }
    }
}

void HighScores::save(PropertyFile& store) const {
    for (std::size_t c = 0; c < categories_.size(); ++c) {
        for (int i = 0; i < entryCount; ++i) {
            const Entry& e = categories_[c][static_cast<std::size_t>(i)];
            store.setString(key("name", static_cast<int>(c), i), e.name);
            store.setInt(key("points", static_cast<int>(c), i), e.points);
        }
    }
}

bool HighScores::loadFile(const std::string& path) {
    PropertyFile store;
    const bool read = store.loadFile(path, true, fileKey, fileKeyLength);
    // What could not be read takes its default either way.
    load(store);
    return read;
}

bool HighScores::saveFile(const std::string& path) const {
    PropertyFile store;
    save(store);
    return store.saveFile(path, fileKey, fileKeyLength);
}

bool HighScores::accepts(int category, int points) const {
    if (category < 0 || category >= getCategoryCount()) {
        return false;
    }
    return points > categories_[static_cast<std::size_t>(category)].back().points;
}

void HighScores::add(int category, int points, const std::string& name) {
    if (!accepts(category, points)) {
        return;
    }
    std::vector<Entry>& table = categories_[static_cast<std::size_t>(category)];
    table.back() = Entry{name, points};
    for (int i = entryCount - 2; i >= 0 && table[static_cast<std::size_t>(i)].points < points;
         --i) {
        std::swap(table[static_cast<std::size_t>(i)], table[static_cast<std::size_t>(i + 1)]);
    }
}

const std::string& HighScores::getName(int category, int index) const {
    if (category < 0 || category >= getCategoryCount() || index < 0 || index >= entryCount) {
        return fallbackEntry().name;
    }
    return categories_[static_cast<std::size_t>(category)][static_cast<std::size_t>(index)].name;
}

int HighScores::getPoints(int category, int index) const {
    if (category < 0 || category >= getCategoryCount() || index < 0 || index >= entryCount) {
        return 0;
    }
    return categories_[static_cast<std::size_t>(category)][static_cast<std::size_t>(index)].points;
}
