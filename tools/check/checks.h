#pragma once
// The disc checker: reads a disc's settings exactly as the menu will and tells the disc's
// author, before burning, what will go wrong or will probably not do what was meant.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "check/probes.h"
#include "host/host.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace discmenu::check {

enum class Severity { Warning, Error };

struct Finding {
    Severity Level;
    std::string Text;
};

// What start-up hands the window, kept for the report.
struct WindowValues : SettingsSink {
    std::string Title;
    double TitleSize = 0;
    std::string PicturePath;
    std::map<ControlId, std::string> Captions;

    void OnTitle(const std::string& text) override { Title = text; }
    void OnTitleSize(double points) override { TitleSize = points; }
    void OnPicture(const std::string& path) override { PicturePath = path; }
    void OnCaption(ControlId button, const std::string& text) override { Captions[button] = text; }
    bool Visible(ControlId button) const;
};

struct Disc {
    std::string Directory; // as the menu's BaseDir, ending in "/"
    IniFile Ini;           // the settings file as it is on the disc
    MenuState State;
    WindowValues Window;
    std::optional<std::string> StartupFailure; // what stops the menu before its window shows
    std::vector<Platform> Platforms;           // the systems this disc carries the menu for
};

// Reads `directory` through `host` (whose program directory it must be), as the menu does.
Disc ReadDisc(Host& host);

std::vector<Finding> CheckDisc(const Disc& disc, Host& host);

// "tick 5: opens …", "tick 50: ends" for an untouched menu.
std::vector<std::string> Timeline(const Disc& disc);

// "Command1 \"caption\": opens …" for each button the menu shows.
std::vector<std::string> VisibleButtons(const Disc& disc);

} // namespace discmenu::check
