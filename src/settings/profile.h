#pragma once
// One bounded read of a key of section "parametres": a 64-character buffer reset from a
// template of NULs before every read, and the delivered text cut at its first NUL.

#include <string>
#include <string_view>

#include "host/host.h"

namespace discmenu {

inline constexpr int kReadBufferChars = 64;
inline constexpr std::string_view kSettingsSection = "parametres";
inline constexpr std::string_view kSettingsFileName = "auto.ini";

// What the profile reader does with its buffer: the text and its NUL over the buffer's
// start. UTF-8 may need more than 64 bytes for 63 characters, so the buffer grows rather
// than cut them.
void DeliverToBuffer(std::string& buffer, const std::string& text);

// The characters before the first NUL of `source`.
std::string CutAtNul(const std::string& source);

class ProfileReader {
public:
    explicit ProfileReader(Host& host) : host_(host) {}

    // Once, after BaseDir is known and before the first read.
    void Prepare(const std::string& baseDir);

    // `size` is 1..64; the result holds at most size - 1 characters.
    std::string ReadSetting(std::string_view key, std::string_view defaultValue, int size);

    const std::string& IniPath() const { return iniPath_; }
    const std::string& NulTemplate() const { return nulTemplate_; }
    const std::string& ReadBuffer() const { return readBuffer_; }

private:
    Host& host_;
    std::string nulTemplate_;
    std::string iniPath_;
    std::string readBuffer_;
};

} // namespace discmenu
