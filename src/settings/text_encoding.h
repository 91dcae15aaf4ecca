#pragma once
// Turning the bytes of a settings file into the UTF-8 text the core holds, and cutting
// that text the way an 8-bit reader would have cut the original bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace discmenu {

enum class TextEncoding { Windows1252, Utf8, Utf16 };

struct DecodedText {
    std::string Utf8;
    TextEncoding Encoding = TextEncoding::Windows1252;
};

// Windows-1252 unless the bytes start with a UTF-8 or UTF-16 byte-order mark (skipped).
// Malformed sequences become U+FFFD, so the result is always valid UTF-8.
DecodedText DecodeText(std::string bytes);

// The longest prefix of `text` that an 8-bit reader limited to `maxUnits` would deliver:
// bytes for a UTF-8 file (never cutting a character), characters otherwise.
std::string_view CutToUnits(std::string_view text, std::size_t maxUnits, TextEncoding encoding);

std::string Windows1252ToUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

} // namespace discmenu
