#pragma once

#include <cstddef>
#include <map>
#include <string>

class ResourceManager;

// The game's key/value text store: layouts, sprite descriptions, settings, the
// saved game and the high scores are all this format. Entries are kept in
// ascending byte order of their keys, which is also the order they are saved
// in. A non-null key scrambles the bytes on save and unscrambles them on load.
//
// The text is "key value" pairs separated by any whitespace, "//" starts a
// comment, and a value holding a space is written in double quotes. A value
// the plain text cannot hold (a tab, CR or LF, two slashes, a double quote
// that would end it early, or nothing at all) is written as "" followed by
// the value with %XX escapes for '%', '/' and whitespace; every other value
// is written exactly as before, so older files read back unchanged.
class PropertyFile {
public:
    PropertyFile() = default;

    void clear() { entries.clear(); }

    // False when the file cannot be opened or does not unscramble; the store is
    // then untouched.
    bool loadFile(const std::string& path, bool clearFirst, const char* key = nullptr,
                  int keyLength = 0);
    // Reads the named file through the resource manager (pack entry or disk
    // file). A missing resource gives an empty text, not a failure.
    bool loadResource(const ResourceManager* pack, const std::string& name, bool clearFirst,
                      const char* key = nullptr, int keyLength = 0);
    // Parses a text; the caller's bytes are never changed. Without a key it
    // always succeeds; with one it fails, leaving the store untouched, when the
    // bytes do not unscramble.
    bool loadBuffer(const unsigned char* bytes, std::size_t length, bool clearFirst,
                    const char* key = nullptr, int keyLength = 0);
    // Replaces the file as a whole: a failed save leaves the old file intact.
    bool saveFile(const std::string& path, const char* key = nullptr, int keyLength = 0) const;

    // The text saveFile writes (before scrambling).
    std::string text() const;

    std::string getString(const std::string& key, const std::string& defaultValue) const;
    // The value read as "%d" would; the default when the key is absent or the
    // value does not start with a number.
    int getInt(const std::string& key, int defaultValue) const;
    // True when getInt is not 0.
    bool getBool(const std::string& key, bool defaultValue) const;
    // The value read as "%f" would; the default as for getInt.
    float getFloat(const std::string& key, float defaultValue) const;

    void setString(const std::string& key, const std::string& value) { entries[key] = value; }
    // Stores the value as "%i" prints it.
    void setInt(const std::string& key, int value);

    const std::map<std::string, std::string>& all() const { return entries; }
    bool has(const std::string& key) const { return entries.count(key) != 0; }

private:
    void parse(std::string& buffer);

    std::map<std::string, std::string> entries;
};
