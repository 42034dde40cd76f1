#pragma once

// Runs a shell command line and keeps what it printed on each stream.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct ProcessOutcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ProcessOutcome runCommand(const std::string& command, const std::string& errorFile) {
    ProcessOutcome outcome;
    FILE* pipe = popen((command + " 2>'" + errorFile + "'").c_str(), "r");
    if (!pipe) {
        return outcome;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        outcome.out += buffer;
    }
    const int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errorFile, std::ios::binary);
    outcome.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::error_code ignored;
    std::filesystem::remove(errorFile, ignored);
    return outcome;
}
