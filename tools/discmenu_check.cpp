// discmenu-check DIR: reads DIR/auto.ini exactly as the menu started from DIR would, and
// prints what the menu will do with it, one "Name = value" line per item.

#include <stdlib.h>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "host/host_posix.h"
#include "settings/settings.h"

namespace {

using namespace discmenu;

// The menu's own host, with DIR standing in for the program's directory.
class DirectoryHost : public PosixHost {
public:
    explicit DirectoryHost(std::string directory) : directory_(std::move(directory)) {}
    std::string ProgramDirectory() override { return directory_; }
    ScreenMetrics GetScreenMetrics() override { return {}; }
    std::shared_ptr<Picture> LoadPictureFile(const std::string& path) override
    {
        throw HostError("The checker does not load pictures", path);
    }
    void PumpEvents() override {}

private:
    std::string directory_;
};

// Records the window values the menu would show.
class Recorder : public SettingsSink {
public:
    std::string title, picture;
    std::map<ControlId, std::string> captions;
    void OnTitle(const std::string& text) override { title = text; }
    void OnTitleSize(double) override {}
    void OnPicture(const std::string& path) override { picture = path; }
    void OnCaption(ControlId button, const std::string& text) override { captions[button] = text; }
};

std::string Number(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void Print(const char* name, const std::string& value) { std::cout << name << " = " << value << '\n'; }

void PrintState(const MenuState& state, const Recorder& window)
{
    Print("BaseDir", state.BaseDir);
    Print("File1", state.File1);
    Print("File2", state.File2);
    Print("Exe1", state.Exe1);
    Print("Exe2", state.Exe2);
    Print("SoundFile", state.SoundFile);
    Print("AutoExe", state.AutoExe);
    Print("AutoFile", state.AutoFile);
    Print("TitleSize", Number(state.TitleSize));
    Print("QuitAfter", Number(state.QuitAfter));
    Print("LaunchAfter", Number(state.LaunchAfter));
    Print("NoSound", state.NoSound ? "true" : "false");
    Print("Title", window.title);
    Print("PicturePath", window.picture);
    const std::pair<const char*, ControlId> buttons[] = {{"Command1", ControlId::Command1},
                                                        {"Command2", ControlId::Command2},
                                                        {"Command4", ControlId::Command4},
                                                        {"Command5", ControlId::Command5}};
    for (const auto& [name, id] : buttons) Print(name, window.captions.at(id));
}

std::string AbsoluteDirectory(const std::string& directory)
{
    char* real = realpath(directory.c_str(), nullptr);
    if (!real) return directory;
    std::string result = real;
    free(real);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: discmenu-check DIR\n"
                     "Prints what the menu started from DIR will read from DIR/auto.ini.\n";
        return 64;
    }
    DirectoryHost host(AbsoluteDirectory(argv[1]));
    ProfileReader profile(host);
    MenuState state;
    Recorder window;
    try {
        ReadMenuSettings(host, profile, state, window);
    } catch (const HostError& error) {
        std::cerr << "error: " << error.what() << "\nThe menu will not start with these settings.\n";
        return 2;
    }
    PrintState(state, window);
    return 0;
}
