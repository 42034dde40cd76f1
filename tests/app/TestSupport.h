#pragma once

// Helpers shared by the frame's tests: private temporary paths, and the rule
// for tests that need a real display (fail under CI, skip by hand).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("quillmere_" + std::to_string(getpid()) + "_" + name))
        .string();
}

// The whole of a file, empty when it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
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

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

// An X server of the test's own, so that real input events cannot go astray
// to windows of tests running at the same time. Falls back to the display in
// use when no Xvfb can be started.
class PrivateDisplay {
public:
    PrivateDisplay() {
        if (const char* d = std::getenv("DISPLAY")) {
            previous_ = d;
        }
        start();
    }
    ~PrivateDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            if (previous_.empty()) {
                unsetenv("DISPLAY");
            } else {
                setenv("DISPLAY", previous_.c_str(), 1);
            }
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool started() const { return pid_ > 0; }

private:
    void start() {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        pid_t pid = fork();
        if (pid == 0) {
            int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        // The server writes its display number once it accepts clients.
        while (pid > 0 && poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (pid <= 0 || number.empty()) {
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
            return;
        }
        pid_ = pid;
        setenv("DISPLAY", (":" + number).c_str(), 1);
    }

    pid_t pid_ = -1;
    std::string previous_;
};
