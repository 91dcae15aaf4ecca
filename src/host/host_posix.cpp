#include "host/host_posix.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/sound_posix.h"
#include "settings/profile.h"

extern char** environ;

namespace discmenu {

namespace {

// Started programs and openers are never waited for; reaping them here keeps them from
// lingering as zombies. Handlers, unlike ignored signals, reset on exec, so the children
// get the default SIGCHLD back.
void ReapChildren(int)
{
    const int saved = errno;
    while (waitpid(-1, nullptr, WNOHANG) > 0) {}
    errno = saved;
}

void InstallReaper()
{
    struct sigaction action = {};
    action.sa_handler = ReapChildren;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    sigaction(SIGCHLD, &action, nullptr);
}

// Spawns `argv` detached: its own session, no descriptor of ours beyond 0-2. Returns 0 or
// an errno value; exec failures are reported because glibc's spawn waits for the exec.
int SpawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory, bool searchPath)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    sigaddset(&defaults, SIGPIPE);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid;
    const int result = searchPath ? posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ)
                                  : posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

const char* DocumentOpener()
{
#ifdef __APPLE__
    return "open";
#else
    return "xdg-open";
#endif
}

} // namespace

PosixHost::PosixHost() { InstallReaper(); }

std::string PosixHost::ProgramDirectory()
{
    std::string exe(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
    if (n <= 0) return "/";
    exe.resize(static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == 0 ? "/" : exe.substr(0, slash);
}

int PosixHost::ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                 std::string& buffer, int size, const std::string& path)
{
    auto profile = profiles_.find(path);
    if (profile == profiles_.end())
        profile = profiles_.emplace(path, IniFile(ReadRegularFile(ResolvePath(path)))).first;
    const std::string value = profile->second.GetString(section, key, defaultValue, size);
    if (size <= 0) return 0;
    DeliverToBuffer(buffer, value);
    return static_cast<int>(value.size());
}

int PosixHost::OpenDocument(WindowHandle, const char*, const std::string& path, const char*,
                            const std::string& workingDirectory, int)
{
    const int error = SpawnDetached({DocumentOpener(), ResolvePath(path)}, ResolvePath(workingDirectory), true);
    return error == 0 ? 42 : 2; // ShellExecute's codes: above 32 is success
}

void PosixHost::StartProgram(const std::string& path, int)
{
    const std::string file = NativeProgram(ResolvePath(path));
    struct stat info;
    int error = 0;
    if (stat(file.c_str(), &info) != 0) error = errno;
    else if (!S_ISREG(info.st_mode) || access(file.c_str(), X_OK) != 0) error = EACCES;
    else error = SpawnDetached({file}, {}, false);
    if (error != 0) throw HostError("Cannot start the program", path, SystemReason(error));
}

int PosixHost::PlaySoundAsync(const std::string& path, unsigned)
{
    return PlaySoundInBackground(ResolvePath(path)) ? 1 : 0;
}

void PosixHost::EndProgram()
{
    std::fflush(nullptr);
    _exit(0);
}

} // namespace discmenu
