#include "settings/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace discmenu {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// 0x80..0x9F of Windows-1252; the five unassigned bytes keep their C1 code, as Windows does.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at `s`, or 0 when it is malformed.
std::size_t Utf8SequenceLength(std::string_view s)
{
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) return 1;
    std::size_t length;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) { length = 2; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { length = 3; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { length = 4; min = 0x10000; }
    else return 0;
    if (s.size() < length) return 0;
    char32_t c = b0 & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (!IsContinuation(b)) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return (c < min || c > 0x10FFFF || surrogate) ? 0 : length;
}

// The length of the plain ASCII bytes at the start of `s`, eight at a time.
std::size_t AsciiRun(std::string_view s)
{
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

// The character of a well-formed sequence.
char32_t DecodeUtf8(std::string_view sequence)
{
    const auto b0 = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) return b0;
    char32_t c = b0 & (0x7F >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i) c = (c << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    return c;
}

} // namespace

std::string ValidUtf8(std::string_view in)
{
    std::size_t i = AsciiRun(in);
    std::string out(in.substr(0, i));
    while (i < in.size()) {
        const std::size_t n = Utf8SequenceLength(in.substr(i));
        if (n == 0) {
            AppendUtf8(out, kReplacement);
            ++i;
        } else {
            out.append(in.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unitAt = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t u = 0; u < units; ++u) {
        char32_t c = unitAt(2 * u);
        if (c >= 0xD800 && c <= 0xDBFF && u + 1 < units) {
            const char32_t low = unitAt(2 * (u + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++u;
            }
        }
        AppendUtf8(out, (c >= 0xD800 && c <= 0xDFFF) ? kReplacement : c);
    }
    return out;
}



std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t ascii = AsciiRun(bytes.substr(i));
        out.append(bytes.substr(i, ascii));
        i += ascii;
        if (i == bytes.size()) break;
        const auto b = static_cast<unsigned char>(bytes[i++]);
        AppendUtf8(out, b < 0xA0 ? kHigh1252[b - 0x80] : b);
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8.substr(i));
        if (n == 0) return std::nullopt;
        const char32_t c = DecodeUtf8(utf8.substr(i, n));
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        const auto high = std::find(std::begin(kHigh1252), std::end(kHigh1252), c);
        if (high == std::end(kHigh1252)) return std::nullopt;
        out += static_cast<char>(0x80 + (high - std::begin(kHigh1252)));
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = AsciiRun(bytes); i < bytes.size(); i += AsciiRun(bytes.substr(i))) {
        const std::size_t n = Utf8SequenceLength(bytes.substr(i));
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool IsAscii(std::string_view bytes) { return AsciiRun(bytes) == bytes.size(); }

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return TextEncoding::Utf8;
    if (bytes.substr(0, 2) == "\xFF\xFE") return TextEncoding::Utf16LittleEndian;
    if (bytes.substr(0, 2) == "\xFE\xFF") return TextEncoding::Utf16BigEndian;
    return TextEncoding::Windows1252;
}

std::size_t MarkLength(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1252: return 0;
    case TextEncoding::Utf8: return 3;
    default: return 2;
    }
}

std::string_view CutToUnits(std::string_view text, std::size_t maxUnits, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        if (text.size() <= maxUnits) return text;
        std::size_t end = maxUnits;
        while (end > 0 && IsContinuation(static_cast<unsigned char>(text[end]))) --end;
        return text.substr(0, end);
    }
    std::size_t end = 0;
    for (std::size_t units = 0; end < text.size() && units < maxUnits; ++units) {
        ++end;
        while (end < text.size() && IsContinuation(static_cast<unsigned char>(text[end]))) ++end;
    }
    return text.substr(0, end);
}

} // namespace discmenu
