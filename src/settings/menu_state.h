#pragma once
// What the menu knows after reading "auto.ini": full paths, the sound flag, the two
// delays and the tick count. Owned by the menu window for the whole run.

#include <cstdint>
#include <string>

#include "host/host.h"

namespace discmenu {

struct MenuState {
    std::int32_t Ticks = 0;
    std::string BaseDir;
    std::string File1;
    std::string File2;
    std::string Exe1;
    std::string Exe2;
    std::string SoundFile;
    std::string AutoExe;
    std::string AutoFile;
    double TitleSize = 0;
    double QuitAfter = 0;
    std::int16_t LaunchAfter = 0;
    bool NoSound = false;
};

// BaseDir := the program's directory, ending in exactly the separator it already has
// at the root, or one appended.
void RefreshBaseDir(MenuState& state, Host& host);

} // namespace discmenu
