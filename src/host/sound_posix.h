#pragma once
// Event sounds through the freedesktop sound library, played by a short-lived child
// process: the menu never waits for the sound, still starts on a system without the
// library, and does not keep the library and its sound server client in memory.

#include <string>

namespace discmenu {

// Starts the file and returns at once. A file that cannot be played gives the desktop's
// default event sound instead, as Windows gives its default beep. False when no player
// process could be started.
bool PlaySoundInBackground(const std::string& path);

} // namespace discmenu
