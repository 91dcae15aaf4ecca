#include "check/probes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <fstream>

#include "host/host_posix.h"
#include "settings/ini_file.h"

namespace discmenu::check {

namespace {

std::string Head(const std::string& path, std::size_t bytes)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(bytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(bytes));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

bool StartsWith(const std::string& s, std::string_view prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

std::string Extension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) return {};
    return FoldName(path.substr(dot));
}

// Why a regular file is not there, in the system's words.
std::string WhyMissing(const std::string& file)
{
    struct stat info;
    if (stat(file.c_str(), &info) != 0) return SystemReason(errno);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    return {};
}

std::uint32_t Little(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct WaveFormat {
    bool wave = false;
    unsigned format = 0; // 1: PCM; 0xFFFE: extensible, whose first sub-format bytes say the same
    unsigned bits = 0;
};

WaveFormat ReadWaveFormat(const std::string& head)
{
    WaveFormat wave;
    if (!StartsWith(head, "RIFF") || head.compare(8, 4, "WAVE") != 0) return wave;
    wave.wave = true;
    for (std::size_t at = 12; at + 8 <= head.size();) {
        const std::uint32_t size = Little(head, at + 4, 4);
        if (head.compare(at, 4, "fmt ") == 0 && at + 24 <= head.size()) {
            wave.format = Little(head, at + 8, 2);
            wave.bits = Little(head, at + 22, 2);
            if (wave.format == 0xFFFE && at + 34 <= head.size()) wave.format = Little(head, at + 32, 2);
            break;
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

} // namespace

const char* NameOf(Platform platform) { return platform == Platform::Linux ? "Linux" : "Windows"; }

std::string WhyNotAProgram(const std::string& path, Platform platform)
{
    if (platform == Platform::Windows) {
        const std::string file = ResolvePath(path);
        if (const std::string missing = WhyMissing(file); !missing.empty()) return missing;
        const std::string extension = Extension(file);
        if (StartsWith(Head(file, 2), "MZ") || extension == ".bat" || extension == ".cmd") return {};
        return "not a Windows program";
    }
    const std::string file = NativeProgram(ResolvePath(path));
    if (const std::string missing = WhyMissing(file); !missing.empty()) return missing;
    const std::string head = Head(file, 4);
    if (StartsWith(head, "MZ")) return "a Windows program, with no Linux program of the same name without \".exe\" beside it";
    if (access(file.c_str(), X_OK) != 0) return "not executable (no x permission)";
    if (!StartsWith(head, "\x7f" "ELF") && !StartsWith(head, "#!")) return "neither a Linux program nor a script";
    return {};
}

std::string WhyNotPlayable(const std::string& path, Platform platform)
{
    const std::string file = ResolvePath(path);
    if (const std::string missing = WhyMissing(file); !missing.empty()) return missing;
    const std::string head = Head(file, 4096);
    if (StartsWith(head, "OggS"))
        return platform == Platform::Windows ? "Ogg Vorbis, which Windows' sound call does not play" : "";
    const WaveFormat wave = ReadWaveFormat(head);
    if (!wave.wave) return "not a WAV sound";
    if (platform == Platform::Linux && !(wave.format == 1 && (wave.bits == 8 || wave.bits == 16)))
        return "a WAV sound that is not 8- or 16-bit PCM, which the Linux sound library does not play";
    return {};
}

bool ExistsAsWritten(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool ExistsOnWindows(const std::string& path) { return ExistsAsWritten(ResolvePath(path)); }

} // namespace discmenu::check
