// Any settings file, read through every key at every read size, as the menu reads it:
// nothing may crash, hang or deliver more than the read allows.

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/ini_file.h"
#include "settings/profile.h"
#include "settings/settings.h"

namespace {

using namespace discmenu;

// Serves the profile read from the fuzzed file, as the POSIX host does from a real one.
class FileHost : public Host {
public:
    explicit FileHost(IniFile& ini) : ini_(ini) {}
    std::string ProgramDirectory() override { return "/disc"; }
    char PathSeparator() const override { return '/'; }
    ScreenMetrics GetScreenMetrics() override { return {}; }
    int ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::string& buffer, int size, const std::string&) override
    {
        const std::string value = ini_.GetString(section, key, defaultValue, size);
        DeliverToBuffer(buffer, value);
        return static_cast<int>(value.size());
    }
    std::shared_ptr<Picture> LoadPictureFile(const std::string&) override { return nullptr; }
    int OpenDocument(WindowHandle, const char*, const std::string&, const char*, const std::string&, int) override { return 0; }
    void StartProgram(const std::string&, int) override {}
    int PlaySoundAsync(const std::string&, unsigned) override { return 0; }
    void PumpEvents() override {}
    void EndProgram() override {}

private:
    IniFile& ini_;
};

std::size_t CountCharacters(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IniFile ini(std::string(reinterpret_cast<const char*>(data), size));
    FileHost host(ini);
    ProfileReader profile(host);
    profile.Prepare("/disc/");
    for (const SettingKey& row : kSettingKeys) {
        for (int readSize = 1; readSize <= kReadBufferChars; ++readSize) {
            const std::string value = profile.ReadSetting(row.Key, row.Default, readSize);
            Check(CountCharacters(value) <= static_cast<std::size_t>(readSize - 1));
            Check(value.find('\0') == std::string::npos);
            if (ini.Encoding() == TextEncoding::Utf8) Check(value.size() <= static_cast<std::size_t>(readSize - 1));
        }
    }
    return 0;
}
