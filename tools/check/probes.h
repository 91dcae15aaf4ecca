#pragma once
// What the disc checker asks of the files a disc names: can each system start it, play
// it, find it? Read-only: nothing here changes a file.

#include <string>

namespace discmenu::check {

enum class Platform { Linux, Windows };

const char* NameOf(Platform platform);

// Why `path` cannot be started as a program there; empty when it can.
std::string WhyNotAProgram(const std::string& path, Platform platform);

// Why the start-up sound will not be heard there; empty when it will.
std::string WhyNotPlayable(const std::string& path, Platform platform);

// Whether a file or directory is there with exactly this name (case and separators).
bool ExistsAsWritten(const std::string& path);

// Whether it is there once Windows' rules apply: "\" as separator, case ignored.
bool ExistsOnWindows(const std::string& path);

} // namespace discmenu::check
