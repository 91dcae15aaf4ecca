#include "settings/settings.h"

#include "settings/number.h"

namespace discmenu {

const SettingKey kSettingKeys[kSettingKeyCount] = {
    {"titre", "Mes Photos", 64, Derivation::Title},
    {"taille police", "56", 64, Derivation::TitleSize},
    {"son", "", 64, Derivation::Sound},
    // 16, not 32: a picture name holds at most 15 characters.
    {"image", "pelorine.bmp", 16, Derivation::Picture},
    {"fichier1", "index.html", 32, Derivation::Path, &MenuState::File1},
    {"fichier2", "index.html", 32, Derivation::Path, &MenuState::File2},
    {"exe1", "vardeline.exe", 32, Derivation::Path, &MenuState::Exe1},
    {"exe2", "index.html", 32, Derivation::Path, &MenuState::Exe2},
    {"cmdfich1", "", 48, Derivation::Caption, nullptr, ControlId::Command1},
    {"cmdfich2", "", 48, Derivation::Caption, nullptr, ControlId::Command2},
    {"cmdexe1", "", 48, Derivation::Caption, nullptr, ControlId::Command4},
    {"cmdexe2", "", 48, Derivation::Caption, nullptr, ControlId::Command5},
    {"autoexe", "", 32, Derivation::PathOrEmpty, &MenuState::AutoExe},
    {"autofich", "index.html", 32, Derivation::Path, &MenuState::AutoFile},
    {"timer auto", "5", 64, Derivation::LaunchAfter},
    {"arret auto", "50", 64, Derivation::QuitAfter},
};

namespace {

void Derive(const SettingKey& row, const std::string& value, MenuState& state, SettingsSink& sink)
{
    switch (row.Kind) {
    case Derivation::Title: sink.OnTitle(value); break;
    case Derivation::TitleSize:
        state.TitleSize = NumericValue(value);
        sink.OnTitleSize(state.TitleSize);
        break;
    case Derivation::Sound:
        state.NoSound = value.empty();
        state.SoundFile = state.BaseDir + value;
        break;
    case Derivation::Picture: sink.OnPicture(state.BaseDir + value); break;
    case Derivation::Path: state.*row.Field = state.BaseDir + value; break;
    case Derivation::Caption: sink.OnCaption(row.Button, value); break;
    case Derivation::PathOrEmpty: state.*row.Field = value.empty() ? std::string() : state.BaseDir + value; break;
    case Derivation::LaunchAfter: state.LaunchAfter = RoundToInt16(NumericValue(value)); break;
    case Derivation::QuitAfter: state.QuitAfter = NumericValue(value); break;
    }
}

} // namespace

void ClampDelays(MenuState& state)
{
    if (state.LaunchAfter < 2) state.LaunchAfter = 2;
    if (state.LaunchAfter > 25) state.LaunchAfter = 25;
    if (state.QuitAfter < state.LaunchAfter + 5) state.QuitAfter = state.LaunchAfter + 5;
    if (state.QuitAfter > 50) state.QuitAfter = 50;
}

void LoadSettings(ProfileReader& profile, MenuState& state, SettingsSink& sink)
{
    for (const SettingKey& row : kSettingKeys)
        Derive(row, profile.ReadSetting(row.Key, row.Default, row.ReadSize), state, sink);
    ClampDelays(state);
}

} // namespace discmenu

namespace discmenu {

void ReadMenuSettings(Host& host, ProfileReader& profile, MenuState& state, SettingsSink& sink)
{
    RefreshBaseDir(state, host);
    profile.Prepare(state.BaseDir);
    LoadSettings(profile, state, sink);
}

} // namespace discmenu
