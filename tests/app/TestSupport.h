#pragma once

// Helpers shared by the frame's tests: private temporary paths, and the rule
// for tests that need a real display (fail under CI, skip by hand).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("quillmere_" + std::to_string(getpid()) + "_" + name))
        .string();
}

inline bool underCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

inline bool displayNamed() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

// Use at the top of a test that needs a window.
#define REQUIRE_DISPLAY()                                                                          \
    do {                                                                                           \
        if (!displayNamed()) {                                                                     \
            if (underCi()) {                                                                       \
                FAIL() << "no DISPLAY under CI";                                                   \
            }                                                                                      \
            GTEST_SKIP() << "no DISPLAY";                                                          \
        }                                                                                          \
    } while (false)
