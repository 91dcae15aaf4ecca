#include "host/host.h"

namespace discmenu {

namespace {
std::string Compose(const std::string& what, const std::string& path, const std::string& reason)
{
    std::string text = what;
    if (!path.empty()) text += "\n" + path;
    if (!reason.empty()) text += "\n" + reason;
    return text;
}
} // namespace

HostError::HostError(std::string what, std::string path, std::string reason)
    : std::runtime_error(Compose(what, path, reason)),
      what_(std::move(what)), path_(std::move(path)), reason_(std::move(reason)) {}

} // namespace discmenu
