// discmenu-check DIR: reads DIR/auto.ini exactly as the menu started from DIR will, prints
// what the menu will show and do, and what will go wrong. Exit status 0 when all is well,
// 1 with warnings only, 2 with errors. It never changes a file.

#include <stdlib.h>

#include <charconv>
#include <iostream>

#include "check/checks.h"
#include "frontend/fltk/fltk_host.h"

namespace {

using namespace discmenu;
using namespace discmenu::check;

// The menu's own host, with DIR standing in for the program's directory.
class DirectoryHost : public FltkHost {
public:
    explicit DirectoryHost(std::string directory) : directory_(std::move(directory)) {}
    std::string ProgramDirectory() override { return directory_; }

private:
    std::string directory_;
};

std::string Number(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void Print(const char* name, const std::string& value) { std::cout << name << " = " << value << '\n'; }

void PrintState(const Disc& disc)
{
    const MenuState& state = disc.State;
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
    Print("Title", disc.Window.Title);
    Print("PicturePath", disc.Window.PicturePath);
    for (const auto& [name, id] : {std::pair{"Command1", ControlId::Command1}, std::pair{"Command2", ControlId::Command2},
                                   std::pair{"Command4", ControlId::Command4}, std::pair{"Command5", ControlId::Command5}})
        Print(name, disc.Window.Captions.count(id) ? disc.Window.Captions.at(id) : "");
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
                     "Reads DIR/auto.ini as the menu started from DIR will, and reports what will go wrong.\n";
        return 64;
    }
    DirectoryHost host(AbsoluteDirectory(argv[1]));
    const Disc disc = ReadDisc(host);
    PrintState(disc);
    std::cout << "\nButtons:\n";
    for (const std::string& line : VisibleButtons(disc)) std::cout << "  " << line << '\n';
    std::cout << "Left alone:\n";
    for (const std::string& line : Timeline(disc)) std::cout << "  " << line << '\n';
    if (disc.StartupFailure) std::cout << "  (the menu does not start)\n";

    const std::vector<Finding> findings = CheckDisc(disc, host);
    int errors = 0, warnings = 0;
    std::cout << '\n';
    for (const Finding& finding : findings) {
        const bool error = finding.Level == Severity::Error;
        (error ? errors : warnings)++;
        std::cout << (error ? "error: " : "warning: ") << finding.Text << '\n';
    }
    std::cout << (findings.empty() ? "No problem found." : std::to_string(errors) + " error(s), " +
                                                            std::to_string(warnings) + " warning(s).")
              << '\n';
    return errors ? 2 : warnings ? 1 : 0;
}
