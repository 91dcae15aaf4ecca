#pragma once
// The sixteen keys of "auto.ini", read in their fixed order, each turned at once into a
// field of MenuState or handed to whoever shows the window.

#include <string>
#include <string_view>

#include "settings/menu_state.h"
#include "settings/profile.h"
#include "window/controls.h"

namespace discmenu {

// Receives the values that shape the window, right after the read that yields each.
class SettingsSink {
public:
    virtual ~SettingsSink() = default;
    virtual void OnTitle(const std::string& title) = 0;
    virtual void OnTitleSize(double points) = 0;
    virtual void OnPicture(const std::string& path) = 0;
    virtual void OnCaption(ControlId button, const std::string& caption) = 0;
};

enum class Derivation {
    Title,
    TitleSize,
    Sound,
    Picture,
    Path,          // field := BaseDir + value
    Caption,
    PathOrEmpty,   // field := empty for an empty value, else BaseDir + value
    LaunchAfter,
    QuitAfter,
};

struct SettingKey {
    std::string_view Key;
    std::string_view Default;
    int ReadSize;
    Derivation Kind;
    std::string MenuState::*Field = nullptr; // for the path derivations
    ControlId Button = ControlId::Command1;    // for the captions
};

inline constexpr int kSettingKeyCount = 16;
extern const SettingKey kSettingKeys[kSettingKeyCount];

// The sixteen reads in order, then the delay clamps. `profile` must be prepared. Throws
// HostError when "timer auto" does not fit 16 bits, before "arret auto" is read.
void LoadSettings(ProfileReader& profile, MenuState& state, SettingsSink& sink);

// Locates the program directory and the settings file, then LoadSettings: what the menu
// does before it shows anything, and what the disc checker repeats.
void ReadMenuSettings(Host& host, ProfileReader& profile, MenuState& state, SettingsSink& sink);

// 2 <= LaunchAfter <= 25 and LaunchAfter + 5 <= QuitAfter <= 50, in this order.
void ClampDelays(MenuState& state);

} // namespace discmenu
