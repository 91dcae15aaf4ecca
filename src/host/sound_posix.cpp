#include "host/sound_posix.h"

#include <dlfcn.h>

namespace discmenu {

namespace {

using CreateFn = int (*)(void**);
using DestroyFn = int (*)(void*);
using PlayFn = int (*)(void*, unsigned, ...); // (context, id, key, value, ..., nullptr)

constexpr const char* kDefaultEventSound = "bell";

} // namespace

SoundPlayer::~SoundPlayer()
{
    // The sound would stop with its context; ending the program ends it anyway.
    if (context_) reinterpret_cast<DestroyFn>(dlsym(library_, "ca_context_destroy"))(context_);
    if (library_) dlclose(library_);
}

bool SoundPlayer::Load()
{
    if (tried_) return context_ != nullptr;
    tried_ = true;
    library_ = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library_) return false;
    auto create = reinterpret_cast<CreateFn>(dlsym(library_, "ca_context_create"));
    if (!create || create(&context_) != 0) context_ = nullptr;
    return context_ != nullptr;
}

bool SoundPlayer::Play(const std::string& path)
{
    if (!Load()) return false;
    auto play = reinterpret_cast<PlayFn>(dlsym(library_, "ca_context_play"));
    if (!play) return false;
    if (play(context_, 0, "media.filename", path.c_str(), "media.role", "event", nullptr) == 0) return true;
    play(context_, 0, "event.id", kDefaultEventSound, "media.role", "event", nullptr);
    return false;
}

} // namespace discmenu
