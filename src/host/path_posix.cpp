#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/host_posix.h"

namespace discmenu {

namespace {

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of `directory` whose name folds to the same as `name`; the first in byte
// order when several do, so the choice never depends on the directory's order.
std::string MatchIgnoringCase(const std::string& directory, const std::string& name)
{
    DIR* dir = opendir(directory.empty() ? "/" : directory.c_str());
    if (!dir) return name;
    const std::string wanted = FoldName(name);
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(dir))
        if (FoldName(entry->d_name) == wanted) matches.emplace_back(entry->d_name);
    closedir(dir);
    if (matches.empty()) return name;
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

std::string ResolvePath(const std::string& path)
{
    std::string unix = path;
    std::replace(unix.begin(), unix.end(), '\\', '/');
    if (unix.empty() || Exists(unix)) return unix;

    std::string resolved = unix.front() == '/' ? "" : ".";
    std::size_t start = unix.front() == '/' ? 1 : 0;
    bool searching = true; // once a component is missing, the rest cannot be found either
    while (start <= unix.size()) {
        const std::size_t end = std::min(unix.find('/', start), unix.size());
        std::string component = unix.substr(start, end - start);
        if (searching && !component.empty() && component != "." && component != "..") {
            if (!Exists(resolved + "/" + component)) component = MatchIgnoringCase(resolved, component);
            searching = Exists(resolved + "/" + component);
        }
        resolved += "/" + component;
        start = end + 1;
    }
    return unix.front() == '/' ? resolved : resolved.substr(2);
}

std::string NativeProgram(const std::string& file)
{
    const std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || file.find('/', dot) != std::string::npos) return file;
    const std::string extension = FoldName(file.substr(dot));
    if (extension != ".exe" && extension != ".com" && extension != ".bat" && extension != ".cmd") return file;
    const std::string twin = file.substr(0, dot);
    struct stat info;
    const bool runnable = stat(twin.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(twin.c_str(), X_OK) == 0;
    return runnable ? twin : file;
}

SharedBytes ReadRegularFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {};
    struct stat info;
    void* mapped = MAP_FAILED;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        mapped = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd); // the mapping outlives the descriptor
    if (mapped == MAP_FAILED) return {};
    const auto size = static_cast<std::size_t>(info.st_size);
    std::shared_ptr<const void> owner(mapped, [size](const void* p) { munmap(const_cast<void*>(p), size); });
    return {std::move(owner), std::string_view(static_cast<const char*>(mapped), size)};
}

std::string SystemReason(int error) { return std::strerror(error); }

} // namespace discmenu
