#include "check/checks.h"

#include <dirent.h>

#include <algorithm>
#include <cmath>

#include "host/host_posix.h"
#include "settings/number.h"
#include "window/design.h"

namespace discmenu::check {

namespace {

using Findings = std::vector<Finding>;

constexpr std::size_t kJolietNameChars = 64;
constexpr double kLargestSensibleTitlePoints = 150; // twice the height of the title's box already

void Add(Findings& findings, Severity level, std::string text) { findings.push_back({level, std::move(text)}); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// What the author wrote for `key`, unquoted and uncut.
std::optional<std::string> Written(const Disc& disc, std::string_view key)
{
    return disc.Ini.FullValue(kSettingsSection, key);
}

struct ButtonTarget {
    ControlId Button;
    const char* Name;
    bool Program;
    std::string MenuState::*Target;
};

constexpr ButtonTarget kButtonTargets[] = {
    {ControlId::Command1, "Command1", false, &MenuState::File1},
    {ControlId::Command2, "Command2", false, &MenuState::File2},
    {ControlId::Command4, "Command4", true, &MenuState::Exe1},
    {ControlId::Command5, "Command5", true, &MenuState::Exe2},
};

// Every file the menu will use, with what it is for.
std::vector<std::pair<std::string, std::string>> UsedFiles(const Disc& disc)
{
    std::vector<std::pair<std::string, std::string>> files = {{"the picture", disc.Window.PicturePath}};
    if (!disc.State.NoSound) files.emplace_back("the sound", disc.State.SoundFile);
    for (const ButtonTarget& b : kButtonTargets)
        if (disc.Window.Visible(b.Button)) files.emplace_back(b.Name, disc.State.*b.Target);
    if (!disc.State.AutoExe.empty()) files.emplace_back("the automatic program", disc.State.AutoExe);
    else files.emplace_back("the automatic document", disc.State.AutoFile);
    return files;
}

void CheckSettingsFile(const Disc& disc, Host&, Findings& findings)
{
    if (disc.Ini.Text().empty())
        Add(findings, Severity::Warning, "no auto.ini, or an empty one: every default applies");
    else if (!disc.Ini.HasSection(kSettingsSection))
        Add(findings, Severity::Warning, "auto.ini has no [parametres] section: every default applies");
}

void CheckEncoding(const Disc& disc, Host&, Findings& findings)
{
    const std::string_view text = disc.Ini.Text();
    switch (disc.Ini.Encoding()) {
    case TextEncoding::Utf8: {
        const bool first = FoldName(text.substr(0, 12)) == "[parametres]";
        Add(findings, first ? Severity::Error : Severity::Warning,
            std::string("auto.ini starts with a UTF-8 byte-order mark, which Windows' reader does not skip: on Windows ") +
                (first ? "[parametres] is not found and every default applies" : "its first section is lost") +
                "; save it as Windows-1252");
        break;
    }
    case TextEncoding::Utf16BigEndian:
        Add(findings, Severity::Warning, "auto.ini is UTF-16 big-endian, which Windows does not read; save it as Windows-1252");
        break;
    case TextEncoding::Utf16LittleEndian:
        Add(findings, Severity::Warning,
            "auto.ini is UTF-16: Windows reads it through its ANSI code page, where other characters become \"?\"");
        break;
    case TextEncoding::Windows1252:
        if (!IsAscii(text) && IsValidUtf8(text))
            Add(findings, Severity::Warning,
                "auto.ini is UTF-8 without a byte-order mark: it is read as Windows-1252, so \"\u00e9\" shows as "
                "\"\u00c3\u00a9\"; save it as Windows-1252");
        break;
    }
}

void CheckCuts(const Disc& disc, Host&, Findings& findings)
{
    for (const SettingKey& row : kSettingKeys) {
        const auto full = Written(disc, row.Key);
        if (!full) continue;
        const std::string used = disc.Ini.GetString(kSettingsSection, row.Key, row.Default, row.ReadSize);
        if (used != *full)
            Add(findings, Severity::Warning,
                Quoted(row.Key) + " is cut to its first " + std::to_string(row.ReadSize - 1) + " characters: " +
                    Quoted(*full) + " is read as " + Quoted(used));
    }
}

void CheckDelays(const Disc& disc, Host&, Findings& findings)
{
    if (disc.StartupFailure) {
        Add(findings, Severity::Error, *disc.StartupFailure + ": the menu will not start");
        return;
    }
    if (const auto launch = Written(disc, "timer auto")) {
        if (RoundToInt16(NumericValue(*launch)) != disc.State.LaunchAfter)
            Add(findings, Severity::Warning,
                "\"timer auto\" " + Quoted(*launch) + " is out of 2..25: the automatic launch happens after " +
                    std::to_string(disc.State.LaunchAfter) + " seconds");
    }
    if (const auto quit = Written(disc, "arret auto")) {
        if (NumericValue(*quit) != disc.State.QuitAfter)
            Add(findings, Severity::Warning,
                "\"arret auto\" " + Quoted(*quit) + " is out of " +
                    std::to_string(disc.State.LaunchAfter + 5) + "..50: the menu ends itself after " +
                    std::to_string(RoundToInt32(disc.State.QuitAfter)) + " seconds");
    }
}

void CheckTitleSize(const Disc& disc, Host&, Findings& findings)
{
    const auto written = Written(disc, "taille police");
    if (!written) return;
    const std::string& text = *written;
    const double size = disc.Window.TitleSize;
    if (!StartsWithNumber(text)) Add(findings, Severity::Warning, "\"taille police\" " + Quoted(text) + " is not a number: the title is not shown");
    else if (size <= 0) Add(findings, Severity::Warning, "\"taille police\" " + Quoted(text) + " is not above 0: the title is not shown");
    else if (size > kLargestSensibleTitlePoints)
        Add(findings, Severity::Warning, "\"taille police\" " + Quoted(text) + " is far too large for the title's box");
}

void CheckPicture(const Disc& disc, Host& host, Findings& findings)
{
    if (disc.Window.PicturePath.empty()) return;
    try {
        const auto picture = host.LoadPictureFile(disc.Window.PicturePath);
        const int w = picture->WidthPixels(), h = picture->HeightPixels();
        if (w != kWindowWidthPixels || h != kWindowHeightPixels)
            Add(findings, Severity::Warning,
                "the picture is " + std::to_string(w) + " x " + std::to_string(h) + " pixels, not 640 x 480: " +
                    (w < kWindowWidthPixels || h < kWindowHeightPixels ? "light-yellow bands show beside it" : "it is cut off"));
    } catch (const HostError& error) {
        Add(findings, Severity::Error, "the menu will not start: " + error.What() + " " + error.Path() + ": " + error.Reason());
    }
}

void CheckTargets(const Disc& disc, Host&, Findings& findings)
{
    auto program = [&](const std::string& who, const std::string& path, const std::string& consequence) {
        for (Platform platform : disc.Platforms)
            if (const std::string why = WhyNotAProgram(path, platform); !why.empty())
                Add(findings, Severity::Error,
                    who + " starts " + path + ", which is " + why + " on " + NameOf(platform) + ": " + consequence);
    };
    auto document = [&](const std::string& who, const std::string& path, const std::string& consequence) {
        if (!ExistsOnWindows(path)) Add(findings, Severity::Warning, who + " opens " + path + ", which is missing: " + consequence);
    };
    for (const ButtonTarget& b : kButtonTargets) {
        if (!disc.Window.Visible(b.Button)) continue;
        const std::string who = b.Name;
        if (b.Button == ControlId::Command5 && !Written(disc, "exe2"))
            Add(findings, Severity::Error, "Command5 is shown but \"exe2\" is not set: it starts " + disc.State.Exe2 +
                                                ", which is not a program, and the menu ends");
        else if (b.Program) program(who, disc.State.*b.Target, "pressing it ends the menu with an error");
        else document(who, disc.State.*b.Target, "pressing it does nothing");
    }
    const std::string tick = "on tick " + std::to_string(disc.State.LaunchAfter);
    if (!disc.State.AutoExe.empty()) program("the automatic launch", disc.State.AutoExe, "the menu ends with an error " + tick);
    else document("the automatic launch", disc.State.AutoFile, "nothing opens " + tick);
}

void CheckSound(const Disc& disc, Host&, Findings& findings)
{
    if (disc.State.NoSound) return;
    for (Platform platform : disc.Platforms)
        if (const std::string why = WhyNotPlayable(disc.State.SoundFile, platform); !why.empty())
            Add(findings, Severity::Warning,
                "the sound " + disc.State.SoundFile + " is " + why + " on " + NameOf(platform) +
                    ": the desktop's default sound plays instead");
}

void CheckNames(const Disc& disc, Host&, Findings& findings)
{
    static const char* const kPathKeys[] = {"son", "image", "fichier1", "fichier2", "exe1", "exe2", "autoexe", "autofich"};
    for (const char* key : kPathKeys) {
        const auto written = Written(disc, key);
        if (!written) continue;
        const std::string& value = *written;
        const bool absolute = !value.empty() && (value[0] == '/' || value[0] == '\\' ||
                                                 (value.size() > 1 && value[1] == ':'));
        if (absolute)
            Add(findings, Severity::Warning, Quoted(key) + " " + Quoted(value) +
                                                 " looks absolute, but every name is taken inside the disc's directory");
    }
    for (const auto& [what, path] : UsedFiles(disc))
        if (!ExistsAsWritten(path) && ExistsOnWindows(path))
            Add(findings, Severity::Warning,
                what + " " + path + " is found only by ignoring case or reading \"\\\" as \"/\": the menu copes, "
                       "but other programs on a case-sensitive system will not");
}

void CheckJolietNames(const std::string& directory, const std::string& shown, Findings& findings)
{
    DIR* dir = opendir(directory.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::size_t characters =
            std::count_if(name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        if (characters > kJolietNameChars)
            Add(findings, Severity::Warning, shown + name + " has a name longer than the 64 characters a Joliet disc keeps");
        if (entry->d_type == DT_DIR) CheckJolietNames(directory + "/" + name, shown + name + "/", findings);
    }
    closedir(dir);
}

void CheckNameLengths(const Disc& disc, Host&, Findings& findings) { CheckJolietNames(disc.Directory, "", findings); }

using Check = void (*)(const Disc&, Host&, Findings&);

constexpr Check kChecks[] = {CheckSettingsFile, CheckEncoding, CheckCuts,   CheckDelays,   CheckTitleSize,
                             CheckPicture,      CheckTargets,  CheckSound,  CheckNames,    CheckNameLengths};

// The systems the disc carries the menu for; a disc with neither binary yet is for both.
std::vector<Platform> PlatformsOf(const std::string& directory)
{
    std::vector<Platform> platforms;
    if (ExistsOnWindows(directory + "discmenu")) platforms.push_back(Platform::Linux);
    if (ExistsOnWindows(directory + "discmenu.exe")) platforms.push_back(Platform::Windows);
    if (platforms.empty()) platforms = {Platform::Linux, Platform::Windows};
    return platforms;
}

} // namespace

bool WindowValues::Visible(ControlId button) const
{
    const auto caption = Captions.find(button);
    return caption != Captions.end() && !caption->second.empty();
}

Disc ReadDisc(Host& host)
{
    Disc disc;
    ProfileReader profile(host);
    try {
        ReadMenuSettings(host, profile, disc.State, disc.Window);
    } catch (const HostError& error) {
        disc.StartupFailure = error.What();
    }
    disc.Directory = disc.State.BaseDir;
    disc.Ini = IniFile(ReadRegularFile(ResolvePath(profile.IniPath())));
    disc.Platforms = PlatformsOf(disc.Directory);
    return disc;
}

std::vector<Finding> CheckDisc(const Disc& disc, Host& host)
{
    Findings findings;
    for (Check check : kChecks) check(disc, host, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.Level > b.Level; });
    return findings;
}

std::vector<std::string> Timeline(const Disc& disc)
{
    if (disc.StartupFailure) return {};
    const MenuState& s = disc.State;
    const std::string launch = s.AutoExe.empty() ? "opens " + s.AutoFile : "starts " + s.AutoExe;
    return {"tick " + std::to_string(s.LaunchAfter) + ": " + launch,
            "tick " + std::to_string(RoundToInt32(s.QuitAfter)) + ": ends"};
}

std::vector<std::string> VisibleButtons(const Disc& disc)
{
    std::vector<std::string> lines;
    for (const ButtonTarget& b : kButtonTargets)
        if (disc.Window.Visible(b.Button))
            lines.push_back(std::string(b.Name) + " " + Quoted(disc.Window.Captions.at(b.Button)) + ": " +
                            (b.Program ? "starts " : "opens ") + disc.State.*b.Target);
    lines.push_back("Command3 \"Quitter\": ends the menu");
    return lines;
}

} // namespace discmenu::check
