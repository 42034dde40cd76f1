#pragma once

#include <cstdio>

// The few arguments the game understands. Without any it just starts.
namespace CommandLine {

inline constexpr const char* usage = "usage: quillmere [--help | --version]";
inline constexpr const char* summary = "a puzzle of the night garden";

// The version printed by --version, "0.1" style.
const char* version();

// Handles the arguments before anything else starts: prints the help or the
// version on `out` (exit code 0), or the usage line on `err` for anything
// else (exit code 2). -1 when the game is to start.
int handle(int argc, const char* const* argv, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace CommandLine
