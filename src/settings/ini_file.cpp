#include "settings/ini_file.h"

#include <algorithm>
#include <cstring>

namespace discmenu {

namespace {

// Windows also counts Ctrl-Z, the old end-of-file mark, as a blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// One logical line of the file, already trimmed; empty lines are skipped. Line feeds are
// found with memchr; the next one is remembered, so a file of carriage returns alone is
// still read in one pass.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line)
    {
        while (!rest_.empty()) {
            if (nextFeed_ < rest_.data()) {
                const void* feed = std::memchr(rest_.data(), '\n', rest_.size());
                nextFeed_ = feed ? static_cast<const char*>(feed) : rest_.data() + rest_.size();
            }
            std::size_t length = static_cast<std::size_t>(nextFeed_ - rest_.data());
            if (const void* ret = std::memchr(rest_.data(), '\r', length))
                length = static_cast<std::size_t>(static_cast<const char*>(ret) - rest_.data());
            line = Trim(rest_.substr(0, length));
            rest_.remove_prefix(std::min(rest_.size(), length + 1));
            if (!line.empty()) return true;
        }
        return false;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
    const char* nextFeed_ = nullptr;
};

bool IsComment(std::string_view line) { return line.front() == ';'; }

// "[name]" up to the last "]" of the line, so trailing comments after it are ignored.
std::optional<std::string_view> SectionName(std::string_view line)
{
    if (line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::optional<std::string_view> value;
};

KeyLine SplitKey(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {line, std::nullopt};
    return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Windows-1252 bytes folded like FoldName folds their characters, plus the letters
// only that code page has (Š, Œ, Ž, Ÿ).
std::string Fold1252(std::string_view name)
{
    std::string out(name);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = static_cast<char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E) ch = static_cast<char>(c + 0x10);
        else if (c == 0x9F) ch = static_cast<char>(0xFF);
    }
    return out;
}

// Whether a line ends the section being read (any header, even an unknown one).
bool IsHeader(std::string_view line) { return SectionName(line).has_value(); }

} // namespace

SharedBytes OwnedBytes(std::string bytes)
{
    auto owner = std::make_shared<const std::string>(std::move(bytes));
    const std::string_view view = *owner;
    return {std::move(owner), view};
}

std::string_view StripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string FoldName(std::string_view name)
{
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE (but U+00D7, the multiplication sign) fold to U+00E0..U+00FE.
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

IniFile::IniFile(std::string fileBytes) : IniFile(OwnedBytes(std::move(fileBytes))) {}

IniFile::IniFile(SharedBytes file) : encoding_(DetectEncoding(file.Bytes))
{
    const std::string_view text = file.Bytes.substr(MarkLength(encoding_));
    // UTF-16 is rare enough to convert whole; the 8-bit encodings are read where they lie.
    if (encoding_ == TextEncoding::Utf16LittleEndian || encoding_ == TextEncoding::Utf16BigEndian)
        file = OwnedBytes(Utf16ToUtf8(text, encoding_ == TextEncoding::Utf16BigEndian));
    else
        file.Bytes = text;
    owner_ = std::move(file.Owner);
    text_ = file.Bytes;
}

std::string IniFile::FoldInFile(std::string_view name) const
{
    return encoding_ == TextEncoding::Windows1252 ? Fold1252(name) : FoldName(name);
}

std::optional<std::string> IniFile::FoldQuery(std::string_view name) const
{
    if (encoding_ != TextEncoding::Windows1252) return FoldName(name);
    const auto inFile = Utf8ToWindows1252(name);
    if (!inFile) return std::nullopt;
    return Fold1252(*inFile);
}

std::string IniFile::ToUtf8(std::string_view inFile) const
{
    return encoding_ == TextEncoding::Windows1252 ? Windows1252ToUtf8(inFile) : ValidUtf8(inFile);
}

// Headers are found by their "[" alone, so the lines of other sections cost no more than
// a memchr over them: a "[" begins a header when only blanks stand before it on its line.
std::optional<std::string_view> IniFile::FindSectionBody(std::string_view folded) const
{
    for (std::size_t at = text_.find('['); at != std::string_view::npos; at = text_.find('[', at + 1)) {
        std::size_t start = at;
        while (start > 0 && IsBlank(text_[start - 1])) --start;
        if (start > 0 && text_[start - 1] != '\n' && text_[start - 1] != '\r') continue;
        const std::size_t end = std::min(text_.find_first_of("\r\n", at), text_.size());
        const auto name = SectionName(Trim(text_.substr(at, end - at)));
        if (name && FoldInFile(*name) == folded) return text_.substr(std::min(end + 1, text_.size()));
        at = end == text_.size() ? end - 1 : end;
    }
    return std::nullopt;
}

IniFile::SectionIndex& IniFile::IndexOf(std::string_view section) const
{
    const std::string key = FoldName(section);
    const auto known = sections_.find(key);
    if (known != sections_.end()) return known->second;

    SectionIndex& index = sections_[key];
    const auto folded = FoldQuery(section);
    if (!folded) return index;
    const auto body = FindSectionBody(*folded);
    if (!body) return index;
    index.found = true;
    LineCursor cursor(*body);
    std::string_view line;
    while (index.keys.size() < kMaxIndexedKeys) {
        index.rest = cursor.Rest();
        if (!cursor.Next(line) || IsHeader(line)) {
            index.rest = {};
            break;
        }
        if (IsComment(line)) continue;
        const KeyLine key = SplitKey(line);
        index.keys.try_emplace(FoldInFile(key.name), key.value);
    }
    return index;
}

std::optional<std::string_view> IniFile::Find(std::string_view section, std::string_view key) const
{
    SectionIndex& index = IndexOf(section);
    const auto folded = FoldQuery(key);
    if (!index.found || !folded) return std::nullopt;
    if (const auto hit = index.keys.find(*folded); hit != index.keys.end()) return hit->second;
    LineCursor cursor(index.rest);
    std::string_view line;
    while (cursor.Next(line) && !IsHeader(line)) {
        if (IsComment(line)) continue;
        const KeyLine found = SplitKey(line);
        if (FoldInFile(found.name) == *folded) return found.value;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::FullValue(std::string_view section, std::string_view key) const
{
    const auto value = Find(section, key);
    if (!value) return std::nullopt;
    return ToUtf8(StripQuotes(*value));
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, int size) const
{
    if (size <= 0) return {};
    const std::size_t limit = static_cast<std::size_t>(size) - 1;
    if (const auto value = Find(section, key)) {
        // No more than `limit` bytes of the file can make `limit` units: only those are decoded.
        const std::string_view unquoted = StripQuotes(*value);
        const bool eightBit = encoding_ == TextEncoding::Windows1252 || encoding_ == TextEncoding::Utf8;
        const std::string text = ToUtf8(unquoted.substr(0, eightBit ? limit : 4 * limit)); // UTF-16 is held as UTF-8
        return std::string(CutToUnits(text, limit, encoding_));
    }
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    // The default comes from the program, not the file: it is cut like 8-bit text.
    return std::string(CutToUnits(defaultValue, limit, TextEncoding::Windows1252));
}

} // namespace discmenu
