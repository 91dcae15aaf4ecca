#include "settings/profile.h"

namespace discmenu {

void DeliverToBuffer(std::string& buffer, const std::string& text)
{
    if (buffer.size() < text.size() + 1) buffer.resize(text.size() + 1, '\0');
    buffer.replace(0, text.size() + 1, text + '\0');
}

std::string CutAtNul(const std::string& source)
{
    return source.substr(0, source.find('\0'));
}

void ProfileReader::Prepare(const std::string& baseDir)
{
    iniPath_ = baseDir + std::string(kSettingsFileName);
    nulTemplate_.clear();
    for (int i = 0; i < kReadBufferChars; ++i) nulTemplate_ += '\0';
}

std::string ProfileReader::ReadSetting(std::string_view key, std::string_view defaultValue, int size)
{
    // A fresh buffer every time, so a shorter value never shows the tail of a longer one.
    readBuffer_ = nulTemplate_;
    host_.ReadProfileString(kSettingsSection, key, defaultValue, readBuffer_, size, iniPath_);
    return CutAtNul(readBuffer_);
}

} // namespace discmenu
