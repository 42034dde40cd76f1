#include "app/Log.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct LogState {
    std::string fileName;
    std::string prefix;
};

LogState& state() {
    static LogState s;
    return s;
}

} // namespace

bool Log::open(const std::string& fileName) {
    state().fileName = fileName;
    std::FILE* f = std::fopen(fileName.c_str(), "w");
    if (!f) {
        return false;
    }
    std::fclose(f);
    return true;
}

void Log::printf(const char* format, ...) {
    const LogState& s = state();
    if (s.fileName.empty()) {
        return;
    }
    std::FILE* f = std::fopen(s.fileName.c_str(), "a");
    if (!f) {
        return;
    }
    std::fputs(s.prefix.c_str(), f);
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    std::fputc('\n', f);
    std::fclose(f);
}

void Log::close() {
    Log::printf("Closing Log");
}

void Log::setPrefix(const std::string& prefix) {
    state().prefix = prefix;
}
