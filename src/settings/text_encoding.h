#pragma once
// The encodings a settings file may be in, and the conversions between them and the UTF-8
// text the core holds. Files are decoded only where a value is delivered, so a file of
// hundreds of megabytes costs one pass over its bytes, not a converted copy.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace discmenu {

enum class TextEncoding { Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };

// Windows-1252 unless the bytes start with a UTF-8 or UTF-16 byte-order mark.
TextEncoding DetectEncoding(std::string_view bytes);
std::size_t MarkLength(TextEncoding encoding);

std::string Windows1252ToUtf8(std::string_view bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Malformed sequences become U+FFFD, so the result is always valid UTF-8.
std::string ValidUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// The longest prefix of `text` (UTF-8) that an 8-bit reader limited to `maxUnits` would
// deliver: bytes for a UTF-8 file (never cutting a character), characters otherwise.
std::string_view CutToUnits(std::string_view text, std::size_t maxUnits, TextEncoding encoding);

} // namespace discmenu
