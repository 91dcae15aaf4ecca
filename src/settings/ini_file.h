#pragma once
// A reader of the Windows profile format that delivers what GetPrivateProfileStringA
// delivers, so a settings file written on Windows reads the same everywhere.
//
// Names match case-insensitively and whole; blanks around names and values are trimmed;
// one pair of matching outer quotes is removed from a value; ";" starts a comment line;
// the first matching section and, inside it, the first matching key win; a key without
// "=" has no value and gives the default. CR-LF, LF and CR-only line endings all work.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "settings/text_encoding.h"

namespace discmenu {

// Bytes that stay valid while their owner lives: a string, or a file mapped into memory,
// so that a large settings file is never copied.
struct SharedBytes {
    std::shared_ptr<const void> Owner;
    std::string_view Bytes;
};

SharedBytes OwnedBytes(std::string bytes);

class IniFile {
public:
    // A file that is missing or cannot be read is simply empty: every read gives its default.
    IniFile() = default;
    explicit IniFile(std::string fileBytes);
    explicit IniFile(SharedBytes file);

    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    IniFile(IniFile&&) = default;
    IniFile& operator=(IniFile&&) = default;

    // At most size - 1 units of the file's encoding (bytes, or characters for a UTF-16
    // file), as UTF-8: the value when the key is present, else the default without its
    // trailing blanks.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, int size) const;

    // The whole value, unquoted and uncut, as UTF-8: nullopt for a missing file, section
    // or key, or a key without "=".
    std::optional<std::string> FullValue(std::string_view section, std::string_view key) const;

    // The value as it stands in the file, in the file's encoding, quotes included.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    bool HasSection(std::string_view section) const { return IndexOf(section).found; }
    TextEncoding Encoding() const { return encoding_; }
    // The text after the byte-order mark: the file's own bytes, or UTF-8 for a UTF-16 file.
    std::string_view Text() const { return text_; }

private:
    // The keys of one section, first occurrence each; a section with more distinct keys
    // than kMaxIndexedKeys is indexed only up to `rest`, and searched linearly beyond.
    struct SectionIndex {
        bool found = false;
        std::unordered_map<std::string, std::optional<std::string_view>> keys;
        std::string_view rest;
    };
    static constexpr std::size_t kMaxIndexedKeys = 100000;

    SectionIndex& IndexOf(std::string_view section) const;
    // What follows the first header whose folded name is `folded`.
    std::optional<std::string_view> FindSectionBody(std::string_view folded) const;
    // A name asked for in UTF-8, folded as the file's names are; nullopt when the file's
    // encoding cannot hold it, so that nothing in the file can match it.
    std::optional<std::string> FoldQuery(std::string_view name) const;
    std::string FoldInFile(std::string_view name) const;
    std::string ToUtf8(std::string_view inFile) const;

    std::shared_ptr<const void> owner_;
    std::string_view text_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
    // Built on first use: a cache, so the lookups stay const.
    mutable std::unordered_map<std::string, SectionIndex> sections_;
};

// A value without one pair of matching outer quotes (' or "), as the reader delivers it.
std::string_view StripQuotes(std::string_view value);

// Case folding for name comparison: ASCII and the Latin-1 letters.
std::string FoldName(std::string_view name);

} // namespace discmenu
