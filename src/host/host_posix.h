#pragma once
// The host services on Linux and other POSIX systems: everything that needs the operating
// system but no window. A front end derives from it for the screen, pictures and events.

#include <map>
#include <memory>
#include <string>

#include "host/host.h"
#include "settings/ini_file.h"

namespace discmenu {

class PosixHost : public Host {
public:
    PosixHost();

    std::string ProgramDirectory() override;
    char PathSeparator() const override { return '/'; }
    int ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::string& buffer, int size, const std::string& path) override;
    int OpenDocument(WindowHandle window, const char* verb, const std::string& path,
                     const char* parameters, const std::string& workingDirectory, int showCommand) override;
    void StartProgram(const std::string& path, int windowStyle) override;
    int PlaySoundAsync(const std::string& path, unsigned flags) override;
    void EndProgram() override;

private:
    // The settings file is read once per path and kept: all sixteen reads share it.
    std::map<std::string, IniFile> profiles_;
};

// A path as a disc made on Windows writes it, made usable here: backslashes become "/",
// and a component missing with its exact case is looked up case-insensitively.
std::string ResolvePath(const std::string& path);

// A disc for both systems names its programs "name.exe" (or .com, .bat, .cmd); the Linux
// version of such a program sits beside it as "name". Returns that twin when it is there and executable, else `file`.
std::string NativeProgram(const std::string& file);

// The whole of a regular file, mapped, or nothing: a directory, a FIFO or an unreadable
// file reads as missing, and nothing here ever blocks.
SharedBytes ReadRegularFile(const std::string& path);

// The system's own words for errno `error`.
std::string SystemReason(int error);

} // namespace discmenu
