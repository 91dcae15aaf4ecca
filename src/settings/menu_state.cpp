#include "settings/menu_state.h"

namespace discmenu {

void RefreshBaseDir(MenuState& state, Host& host)
{
    state.BaseDir = host.ProgramDirectory();
    const char separator = host.PathSeparator();
    if (state.BaseDir.empty() || state.BaseDir.back() != separator) state.BaseDir += separator;
}

} // namespace discmenu
