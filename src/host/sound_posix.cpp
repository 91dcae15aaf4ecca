#include "host/sound_posix.h"

#include <dlfcn.h>
#include <unistd.h>

namespace discmenu {

namespace {

using CreateFn = int (*)(void**);
using PlayFn = int (*)(void*, unsigned, ...); // (context, id, key, value, ..., nullptr)
using PlayingFn = int (*)(void*, unsigned, int*);

constexpr const char* kDefaultEventSound = "bell";
constexpr unsigned kSoundId = 1;
constexpr int kPollMicroseconds = 100000;
constexpr int kLongestSoundPolls = 600; // a minute: a start-up sound is never longer

// In the child: play, wait until the sound is over (the library stops it with its
// context), and leave without running anything of the menu's.
[[noreturn]] void PlayAndExit(const std::string& path)
{
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) _exit(1);
    const auto create = reinterpret_cast<CreateFn>(dlsym(library, "ca_context_create"));
    const auto play = reinterpret_cast<PlayFn>(dlsym(library, "ca_context_play"));
    const auto playing = reinterpret_cast<PlayingFn>(dlsym(library, "ca_context_playing"));
    void* context = nullptr;
    if (!create || !play || !playing || create(&context) != 0) _exit(1);
    if (play(context, kSoundId, "media.filename", path.c_str(), "media.role", "event", nullptr) != 0 &&
        play(context, kSoundId, "event.id", kDefaultEventSound, "media.role", "event", nullptr) != 0)
        _exit(1);
    int busy = 1;
    for (int polls = 0; polls < kLongestSoundPolls && playing(context, kSoundId, &busy) == 0 && busy; ++polls)
        usleep(kPollMicroseconds);
    _exit(0);
}

} // namespace

bool PlaySoundInBackground(const std::string& path)
{
    const pid_t child = fork(); // reaped by the host's SIGCHLD handler
    if (child == 0) PlayAndExit(path);
    return child > 0;
}

} // namespace discmenu
