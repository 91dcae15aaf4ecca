#pragma once
// A host for the unit tests: settings files live in memory, and every other call is
// recorded as one line of text so tests can assert on what the core asked for.

#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "settings/ini_file.h"
#include "settings/profile.h"

namespace discmenu::testing {

class FakePicture : public Picture {
public:
    explicit FakePicture(std::string path) : path(std::move(path)) {}
    int WidthPixels() const override { return 640; }
    int HeightPixels() const override { return 480; }
    std::string path;
};

class FakeHost : public Host {
public:
    std::string programDirectory = "D:\\";
    char separator = '\\';
    ScreenMetrics metrics{15, 15, 800 * 15, 600 * 15};
    std::map<std::string, std::string> files;  // settings files by full path
    bool failPicture = false;
    bool failStart = false;
    std::vector<std::string> calls;
    int ended = 0;

    std::string ProgramDirectory() override { return programDirectory; }
    char PathSeparator() const override { return separator; }
    ScreenMetrics GetScreenMetrics() override
    {
        calls.push_back("ScreenMetrics");
        return metrics;
    }
    int ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::string& buffer, int size, const std::string& path) override
    {
        const auto file = files.find(path);
        IniFile ini = file == files.end() ? IniFile() : IniFile(file->second);
        const std::string value = ini.GetString(section, key, defaultValue, size);
        DeliverToBuffer(buffer, value);
        return static_cast<int>(value.size());
    }
    std::shared_ptr<Picture> LoadPictureFile(const std::string& path) override
    {
        calls.push_back("LoadPictureFile " + path);
        if (failPicture) throw HostError("Cannot load the picture", path, "No such file");
        return std::make_shared<FakePicture>(path);
    }
    int OpenDocument(WindowHandle window, const char* verb, const std::string& path, const char* parameters,
                     const std::string& workingDirectory, int showCommand) override
    {
        calls.push_back("OpenDocument " + std::string(window ? "window" : "null") + " " +
                        (verb ? verb : "null") + " " + path + " " + (parameters ? parameters : "null") + " " +
                        workingDirectory + " " + std::to_string(showCommand));
        return 42;
    }
    void StartProgram(const std::string& path, int windowStyle) override
    {
        calls.push_back("StartProgram " + path + " " + std::to_string(windowStyle));
        if (failStart) throw HostError("Cannot start the program", path, "No such file");
    }
    int PlaySoundAsync(const std::string& path, unsigned flags) override
    {
        calls.push_back("PlaySoundAsync " + path + " " + std::to_string(flags));
        return 1;
    }
    void PumpEvents() override { calls.push_back("PumpEvents"); }
    void EndProgram() override
    {
        calls.push_back("EndProgram");
        ++ended;
    }
};

} // namespace discmenu::testing
