#include "settings/text_encoding.h"

#include <algorithm>
#include <cstdint>

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

std::string ValidUtf8(std::string bytes)
{
    std::string_view in = bytes;
    std::size_t i = 0;
    while (i < in.size() && static_cast<unsigned char>(in[i]) < 0x80) ++i;
    if (i == in.size()) return bytes; // plain ASCII: nothing to check further
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

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

} // namespace

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out += ch;
        else if (b < 0xA0) AppendUtf8(out, kHigh1252[b - 0x80]);
        else AppendUtf8(out, b);
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = Utf8SequenceLength(bytes.substr(i));
        if (n == 0) return false;
        i += n;
    }
    return true;
}

DecodedText DecodeText(std::string bytes)
{
    const std::string_view view = bytes;
    if (StartsWith(view, "\xEF\xBB\xBF")) return {ValidUtf8(bytes.substr(3)), TextEncoding::Utf8};
    if (StartsWith(view, "\xFF\xFE")) return {Utf16ToUtf8(view.substr(2), false), TextEncoding::Utf16};
    if (StartsWith(view, "\xFE\xFF")) return {Utf16ToUtf8(view.substr(2), true), TextEncoding::Utf16};
    const bool ascii = std::all_of(view.begin(), view.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return {std::move(bytes), TextEncoding::Windows1252};
    return {Windows1252ToUtf8(view), TextEncoding::Windows1252};
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
