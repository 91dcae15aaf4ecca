#pragma once
// Event sounds through the freedesktop sound library, loaded when first needed so the
// menu still starts on a system that lacks it.

#include <string>

namespace discmenu {

class SoundPlayer {
public:
    SoundPlayer() = default;
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the file and returns at once. A file that cannot be played gives the
    // desktop's default event sound instead, as Windows gives its default beep.
    bool Play(const std::string& path);

private:
    bool Load();

    void* library_ = nullptr;
    void* context_ = nullptr;
    bool tried_ = false;
};

} // namespace discmenu
