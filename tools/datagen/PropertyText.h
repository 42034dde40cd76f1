#pragma once

#include <cstdio>
#include <string>

// Writes the key/value text the game's property files are read from: one
// "key value" pair a line, values with blanks in double quotes.
class PropertyText {
public:
    PropertyText& comment(const std::string& text) {
        text_ += "// " + text + "\n";
        return *this;
    }
    PropertyText& set(const std::string& key, const std::string& value) {
        text_ += key + " ";
        text_ +=
            value.find(' ') == std::string::npos && !value.empty() ? value : "\"" + value + "\"";
        text_ += "\n";
        return *this;
    }
    PropertyText& set(const std::string& key, int value) { return set(key, std::to_string(value)); }
    PropertyText& set(const std::string& key, double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        return set(key, std::string(buffer));
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};
