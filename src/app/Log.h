#pragma once

#include <string>

// The game's plain text log. Every line is appended and the file closed
// again at once, so the lines are on disk even if the program dies.
class Log {
public:
    // Remembers the name and creates the file empty. False when it cannot be
    // created; the lines are then lost silently.
    static bool open(const std::string& fileName);
    // One line: the prefix, the formatted text, a line end.
    static void printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // Writes "Closing Log".
    static void close();
    static void setPrefix(const std::string& prefix);
};
