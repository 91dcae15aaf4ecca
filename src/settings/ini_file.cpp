#include "settings/ini_file.h"

#include <algorithm>
#include <functional>

namespace discmenu {

namespace {

// Windows also counts Ctrl-Z, the old end-of-file mark, as a blank.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// One logical line of the file, already trimmed; empty lines are skipped by the caller.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line)
    {
        while (!rest_.empty()) {
            const auto end = std::find_if(rest_.begin(), rest_.end(), IsLineEnd);
            const std::size_t length = static_cast<std::size_t>(end - rest_.begin());
            line = Trim(rest_.substr(0, length));
            rest_.remove_prefix(std::min(rest_.size(), length + 1));
            if (!line.empty()) return true;
        }
        return false;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
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

bool SameName(std::string_view a, std::string_view foldedB) { return FoldName(a) == foldedB; }

// Whether a line ends the section being read (any header, even an unknown one).
bool IsHeader(std::string_view line) { return SectionName(line).has_value(); }

} // namespace

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

IniFile::IniFile(std::string fileBytes) : decoded_(DecodeText(std::move(fileBytes))) {}

IniFile::SectionIndex& IniFile::IndexOf(std::string_view section)
{
    const std::string folded = FoldName(section);
    const auto known = sections_.find(folded);
    if (known != sections_.end()) return known->second;

    SectionIndex& index = sections_[folded];
    LineCursor cursor(decoded_.Utf8);
    std::string_view line;
    while (cursor.Next(line)) {
        const auto name = SectionName(line);
        if (name && SameName(*name, folded)) {
            index.found = true;
            break;
        }
    }
    if (!index.found) return index;
    while (index.keys.size() < kMaxIndexedKeys) {
        index.rest = cursor.Rest();
        if (!cursor.Next(line) || IsHeader(line)) {
            index.rest = {};
            break;
        }
        if (IsComment(line)) continue;
        const KeyLine key = SplitKey(line);
        index.keys.try_emplace(FoldName(key.name), key.value);
    }
    return index;
}

std::optional<std::string_view> IniFile::Find(std::string_view section, std::string_view key)
{
    SectionIndex& index = IndexOf(section);
    if (!index.found) return std::nullopt;
    const std::string folded = FoldName(key);
    if (const auto hit = index.keys.find(folded); hit != index.keys.end()) return hit->second;
    LineCursor cursor(index.rest);
    std::string_view line;
    while (cursor.Next(line) && !IsHeader(line)) {
        if (IsComment(line)) continue;
        const KeyLine found = SplitKey(line);
        if (SameName(found.name, folded)) return found.value;
    }
    return std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, int size)
{
    if (size <= 0) return {};
    const std::size_t limit = static_cast<std::size_t>(size) - 1;
    if (const auto value = Find(section, key))
        return std::string(CutToUnits(StripQuotes(*value), limit, decoded_.Encoding));
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    // The default comes from the program, not the file: it is cut like 8-bit text.
    return std::string(CutToUnits(defaultValue, limit, TextEncoding::Windows1252));
}

} // namespace discmenu
